#include "Widgets/BrushObjects.h"

#include "Graphics/BrushDrawing.h"
#include "Graphics/IImageList.h"
#include "Graphics/RenderContext.h"
#include "Widgets/WidgetResources.h"

namespace Corvane
{
using namespace Graphics;

void NineBrushObject::Draw()
{
    if (!IsVisible() || !mImages || GetAlpha() == 0.0f)
        return;
    DrawState state = GetRenderContext().state;
    state.tint.alpha = GetAlpha();
    const Rect<float>& bounds = GetBounds();
    DrawNineBrush(mImages, 0, bounds.x, bounds.y, bounds.width, bounds.height, state, GetCurrentCanvas());
}

void ThreeBrushObject::Draw()
{
    if (!IsVisible() || !mImages || GetAlpha() == 0.0f)
        return;
    DrawState state = GetRenderContext().state;
    state.tint = GetColor();
    const Rect<float>& bounds = GetBounds();
    DrawThreeBrushHorizontal(mImages, 0, bounds.x, bounds.y, bounds.width, state, GetCurrentCanvas());
}

Object* NineBrushObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto* brush = new NineBrushObject(name);
    brush->SetImages(FindNamedResource<IImageList>(attributes, L"images"));
    return brush;
}

Object* ThreeBrushObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto* brush = new ThreeBrushObject(name);
    brush->SetImages(FindNamedResource<IImageList>(attributes, L"images"));
    return brush;
}
} // namespace Corvane
