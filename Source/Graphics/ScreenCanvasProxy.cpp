#include "Graphics/ScreenCanvasProxy.h"

#include "Framework/IGraphicsPlatform.h"

namespace Corvane::Graphics
{
namespace
{
ICanvas* PlatformCanvas()
{
    IGraphicsPlatform* platform = IGraphicsPlatform::GetInstance();
    return platform ? platform->GetCanvas() : nullptr;
}
} // namespace

Label cScreenCanvasProxy::GetName()
{
    if (ICanvas* canvas = PlatformCanvas())
        return canvas->GetName();
    static const Label name("ScreenCanvasProxy");
    return name;
}

const Rect<int>& cScreenCanvasProxy::GetBounds()
{
    if (ICanvas* canvas = PlatformCanvas())
        return canvas->GetBounds();
    static const Rect<int> none;
    return none;
}

bool cScreenCanvasProxy::QueryInterface(Label name, void** out)
{
    ICanvas* canvas = PlatformCanvas();
    return canvas && canvas->QueryInterface(name, out);
}

ICanvas* GetScreenCanvasProxy()
{
    static cScreenCanvasProxy proxy;
    return &proxy;
}
} // namespace Corvane::Graphics
