#include "Widgets/BackgroundObject.h"

#include "Graphics/BrushDrawing.h"
#include "Graphics/IImageList.h"
#include "Graphics/RenderContext.h"
#include "Widgets/WidgetResources.h"

namespace Corvane
{
void BackgroundObject::Draw()
{
    if (!IsVisible())
        return;
    const Rect<float>& bounds = GetBounds();
    Graphics::DrawNineBrush(mImages, 0, bounds.x, bounds.y, bounds.width, bounds.height,
                            Graphics::GetRenderContext().state, Graphics::GetCurrentCanvas());
}

Object* BackgroundObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto* background = new BackgroundObject(name);
    background->SetImages(FindNamedResource<IImageList>(attributes, L"images"));
    return background;
}
} // namespace Corvane
