#include "Graphics/ImageList.h"

#include "Graphics/DrawingFunctions.h"

namespace Corvane
{
namespace
{
constexpr int kNothingToDraw = 1;
} // namespace

ImageList::~ImageList()
{
    for (std::size_t i = 0; i < mImages.size(); ++i)
        if (mOwned[i])
            delete mImages[i];
}

void ImageList::AddImage(IImage* image, bool owned)
{
    mImages.push_back(image);
    mOwned.push_back(owned);
}

IImage* ImageList::GetImage(int index) const
{
    return index >= 0 && index < GetCount() ? mImages[std::size_t(index)] : nullptr;
}

int ImageList::GetWidth(int index) const
{
    const IImage* image = GetImage(index);
    return image ? image->GetWidth() : 0;
}

int ImageList::GetHeight(int index) const
{
    const IImage* image = GetImage(index);
    return image ? image->GetHeight() : 0;
}

std::uint8_t ImageList::GetAlpha(int index, int x, int y) const
{
    return static_cast<std::uint8_t>(GetPixel(index, x, y) >> 24);
}

PackedColor ImageList::GetPixel(int index, int x, int y) const
{
    const IImage* image = GetImage(index);
    return image ? image->GetPixel(x, y) : 0;
}

int ImageList::Draw(int index, float x, float y, const Graphics::DrawState& state, Graphics::ICanvas* canvas)
{
    IImage* image = GetImage(index);
    return image ? Graphics::DrawImage(image, x, y, state, canvas) : kNothingToDraw;
}

int ImageList::DrawInRect(int index, const Rect<float>& destination, const Graphics::DrawState& state,
                          Graphics::ICanvas* canvas)
{
    IImage* image = GetImage(index);
    return image ? Graphics::DrawImageInRect(image, Internal::FloorRect(destination), state, canvas) : kNothingToDraw;
}
} // namespace Corvane
