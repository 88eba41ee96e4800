#include "Widgets/ItemViewObject.h"

#include "AttributeContainer.h"
#include "Graphics/BrushDrawing.h"
#include "Graphics/IImageList.h"
#include "Graphics/RenderContext.h"
#include "Widgets/WidgetResources.h"

namespace Corvane
{
Rect<float> ItemViewObject::GetContentArea(int topPiece) const
{
    const Rect<float>& bounds = GetBounds();
    if (!mImages)
        return bounds;
    const auto width = [this](int piece) { return static_cast<float>(mImages->GetWidth(piece)); };
    const auto height = [this](int piece) { return static_cast<float>(mImages->GetHeight(piece)); };
    return {bounds.x + width(3), bounds.y + height(topPiece), bounds.width - (width(5) + width(3)),
            bounds.height - (height(7) + height(1))};
}

void ItemViewObject::DrawFrame() const
{
    const Rect<float>& bounds = GetBounds();
    Graphics::DrawNineBrush(mImages, 0, bounds.x, bounds.y, bounds.width, bounds.height,
                            Graphics::GetRenderContext().state, Graphics::GetCurrentCanvas());
}

void ReadItemViewAttributes(ItemViewObject& view, const IAttributeContainer& attributes)
{
    if (attributes.HasAttribute(L"images"))
        view.SetImages(FindNamedResource<IImageList>(attributes, L"images"));
    const auto color = [&attributes](const wchar_t* name) {
        return ParseColor(attributes.GetStringAttribute(name, L""));
    };
    if (attributes.HasAttribute(L"textColor"))
        view.SetColor(color(L"textColor"));
    if (attributes.HasAttribute(L"selectedTextColor"))
        view.SetSelectedTextColor(color(L"selectedTextColor"));
    if (attributes.HasAttribute(L"selectedBackgroundColor"))
        view.SetSelectedBackgroundColor(color(L"selectedBackgroundColor"));
}
} // namespace Corvane
