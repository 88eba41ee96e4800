#include "SceneGraph/ImageListItems.h"

#include "Graphics/ImageList.h"

using namespace Corvane;

IImage* ImageListItems::Get(int index)
{
    if (!mList || index < 0 || index >= mList->GetCount())
        return nullptr;
    if (auto* list = dynamic_cast<ImageList*>(mList))
        return list->GetImage(index);
    const int width = mList->GetWidth(index);
    const int height = mList->GetHeight(index);
    if (width <= 0 || height <= 0)
        return nullptr;
    std::unique_ptr<Image>& copy = mCopies[index];
    if (!copy)
    {
        auto pixels = std::make_unique<PackedColor[]>(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels[static_cast<std::size_t>(y) * width + x] = mList->GetPixel(index, x, y);
        copy = std::make_unique<Image>(std::move(pixels), width, height, true, false);
    }
    return copy.get();
}
