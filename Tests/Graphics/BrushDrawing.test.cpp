#include "Graphics/BrushDrawing.h"

#include "Graphics/RecordingCanvas.h"
#include "Support/TestImageLists.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
// One drawn piece: its item, where, and the width of its source rectangle (-1 for the whole).
struct Piece
{
    int item;
    float x;
    float y;
    int cutTo;
    bool operator==(const Piece&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Piece& p)
{
    return out << "{" << p.item << " at " << p.x << "," << p.y << " cut " << p.cutTo << "}";
}

class BrushDrawing : public testing::Test
{
protected:
    std::vector<Piece> Pieces(const ImageList& list, bool vertical = false) const
    {
        std::vector<Piece> pieces;
        for (const CanvasCall& call : canvas.calls)
        {
            const Rect<int>& source = call.state.sourceRect;
            const int cut = call.state.HasSourceRect() ? (vertical ? source.height : source.width) : -1;
            pieces.push_back({ItemIndex(list, call.image), call.numbers[0], call.numbers[1], cut});
        }
        return pieces;
    }

    RecordingCanvas canvas{{"IQuadDrawingCanvas"}};
};
} // namespace

TEST_F(BrushDrawing, ThreeBrushKeepsTheCapsAndRepeatsTheMiddleCuttingTheLastRepeat)
{
    const auto list = MakeImageList({{10, 8}, {30, 8}, {10, 8}});
    EXPECT_EQ(DrawThreeBrushHorizontal(list.get(), 0.0f, 5.0f, 100.0f, DrawState(), &canvas), 0);
    EXPECT_EQ(Pieces(*list),
              (std::vector<Piece>{{0, 0, 5, -1}, {2, 90, 5, -1}, {1, 10, 5, -1}, {1, 40, 5, -1}, {1, 70, 5, 20}}));

    canvas.calls.clear();
    EXPECT_EQ(DrawThreeBrushHorizontal(list.get(), 10.7f, 0.0f, 20.0f, DrawState(), &canvas), 0);
    EXPECT_EQ(Pieces(*list), (std::vector<Piece>{{0, 10, 0, -1}, {2, 20, 0, -1}})) << "from 10 to floor (30.7)";

    canvas.calls.clear();
    EXPECT_EQ(DrawThreeBrushHorizontal(list.get(), 0.0f, 0.0f, 14.0f, DrawState(), &canvas), 0);
    EXPECT_EQ(Pieces(*list), (std::vector<Piece>{{0, 0, 0, -1}, {2, 4, 0, -1}})) << "caps wider than the brush overlap";
}

TEST_F(BrushDrawing, VerticalThreeBrushRunsDownAndCutsAtTheBottom)
{
    const auto list = MakeImageList({{8, 4}, {8, 10}, {8, 6}});
    EXPECT_EQ(DrawThreeBrushVertical(list.get(), 3.0f, 1.5f, 35.0f, DrawState(), &canvas), 0);
    EXPECT_EQ(Pieces(*list, true),
              (std::vector<Piece>{{0, 3, 1, -1}, {2, 3, 30, -1}, {1, 3, 5, -1}, {1, 3, 15, -1}, {1, 3, 25, 5}}));
}

TEST_F(BrushDrawing, NineBrushRepeatsTheMiddleRowAndClipsItsLastRepeat)
{
    // Rows 4, 10 and 6 high; columns 5, 20 and 5 wide.
    std::vector<Vector2<int>> sizes;
    for (const int height : {4, 10, 6})
        for (const int width : {5, 20, 5})
            sizes.push_back({width, height});
    const auto list = MakeImageList(sizes);
    DrawState state;
    state.tint = {1, 0, 0, 0.5f};
    EXPECT_EQ(DrawNineBrush(list.get(), 2.0f, 0.0f, 30.0f, 25.0f, state, &canvas), 0);
    const std::vector<Piece> pieces = Pieces(*list);
    EXPECT_EQ(pieces, (std::vector<Piece>{{0, 2, 0, -1},
                                          {2, 27, 0, -1},
                                          {1, 7, 0, -1}, // top row
                                          {6, 2, 19, -1},
                                          {8, 27, 19, -1},
                                          {7, 7, 19, -1}, // bottom row
                                          {3, 2, 4, -1},
                                          {5, 27, 4, -1},
                                          {4, 7, 4, -1}, // middle, whole
                                          {3, 2, 14, -1},
                                          {5, 27, 14, -1},
                                          {4, 7, 14, -1}})); // middle, clipped
    for (std::size_t i = 0; i < pieces.size(); ++i)
    {
        EXPECT_EQ(canvas.calls[i].state.tint, state.tint) << "piece " << i;
        EXPECT_EQ(canvas.calls[i].state.clip, i < 9 ? kUnboundedClip : Rect<int>(2, 14, 30, 5)) << "piece " << i;
    }

    canvas.calls.clear();
    EXPECT_EQ(DrawNineBrush(list.get(), 0.0f, 0.0f, 30.0f, 10.0f, state, &canvas), 0);
    EXPECT_EQ(canvas.calls.size(), 6u) << "top and bottom rows fill the height: no middle row";
}

TEST_F(BrushDrawing, ResultsForMissingListsShortListsAndOffsets)
{
    const auto eight = MakeImageList(8, {4, 4});
    EXPECT_EQ(DrawNineBrush(nullptr, 0, 0, 10, 10, DrawState(), &canvas), 1);
    EXPECT_EQ(DrawNineBrush(eight.get(), 0, 0, 10, 10, DrawState(), &canvas), -1);
    EXPECT_EQ(DrawThreeBrushHorizontal(eight.get(), -1, 0, 0, 10, DrawState(), &canvas), -1);
    EXPECT_EQ(DrawThreeBrushHorizontal(eight.get(), 6, 0, 0, 10, DrawState(), &canvas), -1) << "needs items 6 to 8";
    EXPECT_TRUE(canvas.calls.empty());

    EXPECT_EQ(DrawThreeBrushHorizontal(eight.get(), 5, 0, 0, 12, DrawState(), &canvas), 0);
    EXPECT_EQ(Pieces(*eight), (std::vector<Piece>{{5, 0, 0, -1}, {7, 8, 0, -1}, {6, 4, 0, -1}}));

    // A middle piece without pixels cannot cover anything: the caps are drawn and drawing ends.
    const auto hollow = MakeImageList({{4, 4}, {0, 0}, {4, 4}});
    EXPECT_EQ(DrawThreeBrushHorizontal(hollow.get(), 0, 0, 50, DrawState(), &canvas), 0);
}

TEST(ThreeBrushPixel, AnswersFromThePieceUnderThePoint)
{
    // Each piece's alpha is its item index plus 1, so the answer names the piece.
    ImageList list;
    const int widths[] = {10, 30, 10};
    for (int i = 0; i < 3; ++i)
    {
        auto* image = new Image(widths[i], 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < widths[i]; ++x)
                image->SetPixel(x, y, PackedColor(i + 1) << 24);
        list.AddImage(image, true);
    }
    const struct
    {
        int x, y, piece;
    } cases[] = {{0, 0, 1},  {9, 7, 1},  {10, 0, 2},  {70, 3, 2}, {90, 3, 2} /* width - end cap */,
                 {91, 3, 3}, {99, 7, 3}, {100, 0, 0}, {-1, 0, 0}, {5, 8, 0},
                 {5, -1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(GetThreeBrushPixelHorizontal(&list, 0, c.x, c.y, 100.0f), c.piece) << c.x << "," << c.y;
    EXPECT_EQ(GetThreeBrushPixelHorizontal(nullptr, 0, 1, 1, 100.0f), 0);
    EXPECT_EQ(GetThreeBrushPixelHorizontal(&list, 1, 1, 1, 100.0f), 0) << "too few pieces from 1";
}
