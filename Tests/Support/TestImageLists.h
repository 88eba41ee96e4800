// Image lists made in memory: one image per given size, each filled with one colour, so that a
// recording canvas shows which item was drawn where.
#pragma once

#include "Graphics/Image.h"
#include "Graphics/ImageList.h"
#include "Graphics/Vector2.h"

#include <memory>
#include <vector>

namespace Corvane::Testing
{
inline std::unique_ptr<ImageList> MakeImageList(const std::vector<Vector2<int>>& sizes, PackedColor fill = 0xFF808080u)
{
    auto list = std::make_unique<ImageList>();
    for (const Vector2<int>& size : sizes)
    {
        auto* image = new Image(size.x, size.y);
        for (int y = 0; y < size.y; ++y)
            for (int x = 0; x < size.x; ++x)
                image->SetPixel(x, y, fill);
        list->AddImage(image, true);
    }
    return list;
}

// count items of one size.
inline std::unique_ptr<ImageList> MakeImageList(int count, Vector2<int> size, PackedColor fill = 0xFF808080u)
{
    return MakeImageList(std::vector<Vector2<int>>(static_cast<std::size_t>(count), size), fill);
}

// The index of image in list, or -1.
inline int ItemIndex(const ImageList& list, const IImage* image)
{
    for (int i = 0; i < list.GetCount(); ++i)
        if (list.GetImage(i) == image)
            return i;
    return -1;
}
} // namespace Corvane::Testing
