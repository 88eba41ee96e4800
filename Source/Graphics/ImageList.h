// A list of separate images, some owned by the list and some by others (the resource manager, a
// widget's own images).
#pragma once

#include "Graphics/IImage.h"
#include "Graphics/IImageList.h"

#include <vector>

namespace Corvane
{
class ImageList : public IImageList
{
public:
    ImageList() = default;
    // Deletes the images the list owns.
    ~ImageList() override;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // Appends image (may be null: an index that draws nothing); owned images are deleted with the list.
    void AddImage(IImage* image, bool owned);
    // The image at index, or null for an invalid index.
    IImage* GetImage(int index) const;

    int GetCount() const override { return static_cast<int>(mImages.size()); }
    int GetWidth(int index) const override;
    int GetHeight(int index) const override;
    std::uint8_t GetAlpha(int index, int x, int y) const override;
    PackedColor GetPixel(int index, int x, int y) const override;
    int Draw(int index, float x, float y, const Graphics::DrawState& state, Graphics::ICanvas* canvas) override;
    int DrawInRect(int index, const Rect<float>& destination, const Graphics::DrawState& state,
                   Graphics::ICanvas* canvas) override;

private:
    std::vector<IImage*> mImages;
    std::vector<bool> mOwned;
};
} // namespace Corvane
