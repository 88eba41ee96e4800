#include "Graphics/ImageList.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/Image.h"
#include "Graphics/RenderContext.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// Counts its deletions so ownership can be checked.
class CountedImage : public Image
{
public:
    CountedImage(int w, int h, int* deleted) : Image(w, h), mDeleted(deleted) {}
    ~CountedImage() override { ++*mDeleted; }

private:
    int* mDeleted;
};
} // namespace

TEST(ImageList, DeletesOnlyTheImagesItOwns)
{
    int deleted = 0;
    CountedImage borrowed(1, 1, &deleted);
    {
        ImageList list;
        list.AddImage(new CountedImage(2, 3, &deleted), true);
        list.AddImage(&borrowed, false);
        list.AddImage(new CountedImage(4, 5, &deleted), true);
        EXPECT_EQ(list.GetCount(), 3);
    }
    EXPECT_EQ(deleted, 2);
}

TEST(ImageList, ItemsAndInvalidIndices)
{
    ImageList list;
    auto* first = new Image(2, 3);
    first->SetPixel(1, 2, 0x80112233);
    list.AddImage(first, true);
    list.AddImage(nullptr, false); // an index without an image
    EXPECT_EQ(list.GetWidth(0), 2);
    EXPECT_EQ(list.GetHeight(0), 3);
    EXPECT_EQ(list.GetPixel(0, 1, 2), 0x80112233u);
    EXPECT_EQ(list.GetAlpha(0, 1, 2), 0x80);
    EXPECT_EQ(list.GetPixel(0, 2, 2), 0u); // outside the image

    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    const Graphics::DrawState state = Graphics::GetDefaultDrawState();
    for (int index : {-1, 1, 2})
    {
        EXPECT_EQ(list.GetWidth(index), 0);
        EXPECT_EQ(list.GetHeight(index), 0);
        EXPECT_EQ(list.GetPixel(index, 0, 0), 0u);
        EXPECT_EQ(list.GetAlpha(index, 0, 0), 0);
        EXPECT_EQ(list.Draw(index, 0, 0, state, &canvas), 1);
        EXPECT_EQ(list.DrawInRect(index, {0, 0, 5, 5}, state, &canvas), 1);
    }
    EXPECT_TRUE(canvas.calls.empty());
}

TEST(ImageList, DrawsPlacedOrStretchedIntoRoundedDownRectangles)
{
    ImageList list;
    auto* image = new Image(4, 4);
    list.AddImage(image, true);
    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    const Graphics::DrawState state = Graphics::GetDefaultDrawState();

    EXPECT_EQ(list.Draw(0, 1.5f, 2.25f, state, &canvas), 0);
    EXPECT_EQ(list.DrawInRect(0, {1.9f, -0.5f, 10.99f, 3.0f}, state, &canvas), 0);
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[0].operation, "DrawImage");
    EXPECT_EQ(canvas.calls[0].numbers, (std::vector<float>{1.5f, 2.25f}));
    EXPECT_EQ(canvas.calls[0].image, image);
    EXPECT_EQ(canvas.calls[1].operation, "DrawStretchedImage");
    EXPECT_EQ(canvas.calls[1].numbers, (std::vector<float>{1, -1, 10, 3}));

    RecordingCanvas pixelsOnly({"IPixelSettingCanvas"});
    EXPECT_EQ(list.Draw(0, 0, 0, state, &pixelsOnly), -2);

    // The free functions hand the item to its list, and need one.
    EXPECT_EQ(Graphics::DrawImageListItem(&list, 0, 3, 4, state, &canvas), 0);
    EXPECT_EQ(Graphics::DrawImageListItemInRect(&list, 0, {0.5f, 0, 2, 2}, state, &canvas), 0);
    ASSERT_EQ(canvas.calls.size(), 4u);
    EXPECT_EQ(canvas.calls[2].numbers, (std::vector<float>{3, 4}));
    EXPECT_EQ(canvas.calls[3].numbers, (std::vector<float>{0, 0, 2, 2}));
    EXPECT_EQ(Graphics::DrawImageListItem(nullptr, 0, 3, 4, state, &canvas), 1);
    EXPECT_EQ(Graphics::DrawImageListItemInRect(nullptr, 0, {0, 0, 2, 2}, state, &canvas), 1);
    EXPECT_EQ(Graphics::DrawImageListItem(&list, 0, 3, 4, state, &pixelsOnly), -2);
    EXPECT_EQ(canvas.calls.size(), 4u);
}
