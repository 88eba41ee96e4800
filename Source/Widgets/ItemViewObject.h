// What the list and the tree share: a nine-piece frame around a content area where rows of text
// are drawn in the control's font and colour, the selected row in its own text and background
// colours. Without frame images the content area is the whole bounds and no frame is drawn.
#pragma once

#include "Graphics/ColorF.h"
#include "Graphics/Rect.h"
#include "Widgets/ControlObject.h"

namespace Corvane
{
class IAttributeContainer;
class IImageList;

class ItemViewObject : public ControlObject
{
public:
    using ControlObject::ControlObject;

    // The nine frame pieces, row by row; not owned: the resource manager's. The size stays.
    void SetImages(IImageList* images) { mImages = images; }
    IImageList* GetImages() const { return mImages; }
    void SetSelectedTextColor(const ColorF& color) { mSelectedTextColor = color; }
    const ColorF& GetSelectedTextColor() const { return mSelectedTextColor; }
    void SetSelectedBackgroundColor(const ColorF& color) { mSelectedBackgroundColor = color; }
    const ColorF& GetSelectedBackgroundColor() const { return mSelectedBackgroundColor; }

protected:
    // The bounds inside the frame: left and right borders are the widths of pieces 3 and 5, the
    // top and bottom borders the heights of pieces topPiece and 7, and the height loses those of
    // pieces 1 and 7.
    Rect<float> GetContentArea(int topPiece) const;
    // The frame over the bounds with the current draw state.
    void DrawFrame() const;

private:
    IImageList* mImages = nullptr;
    ColorF mSelectedTextColor{1.0f, 1.0f, 1.0f, 1.0f};
    ColorF mSelectedBackgroundColor{0.0f, 0.0f, 0.0f, 1.0f};
};

// The attributes the list's and the tree's factories read, each only when present: "images"
// (image list name), "textColor", "selectedTextColor", "selectedBackgroundColor" (colour texts).
void ReadItemViewAttributes(ItemViewObject& view, const IAttributeContainer& attributes);
} // namespace Corvane
