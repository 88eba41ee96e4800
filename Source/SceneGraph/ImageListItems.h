// The items of an image list as whole images, for drawing that needs one (tiling a strip). An
// image list's items are its own images; the items of other lists (a film strip's cells) are copied
// out once, when first asked for, and kept with this object.
#pragma once

#include "Graphics/IImage.h"
#include "Graphics/IImageList.h"
#include "Graphics/Image.h"

#include <map>
#include <memory>

class ImageListItems
{
public:
    // list: not owned; null for none.
    explicit ImageListItems(Corvane::IImageList* list = nullptr) : mList(list) {}

    Corvane::IImageList* GetList() const { return mList; }
    int GetCount() const { return mList ? mList->GetCount() : 0; }
    // Item index, or null when index is outside the list or the item has no pixels.
    Corvane::IImage* Get(int index);

private:
    Corvane::IImageList* mList;
    std::map<int, std::unique_ptr<Corvane::Image>> mCopies;
};
