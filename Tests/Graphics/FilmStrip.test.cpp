#include "Graphics/FilmStrip.h"
#include "Graphics/RenderContext.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// A w x h strip whose every pixel tells where it is: 0xFF000000 | x << 8 | y.
std::unique_ptr<Image> Strip(int w, int h)
{
    auto image = std::make_unique<Image>(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image->SetPixel(x, y, 0xFF000000u | PackedColor(x) << 8 | PackedColor(y));
    return image;
}
} // namespace

TEST(FilmStrip, CellsAndFrameRectangles)
{
    // 256 x 64 with four columns and no rows given: four cells of 64 x 64.
    FilmStrip strip(Strip(256, 64), 4, 0);
    EXPECT_EQ(strip.GetCount(), 4);
    EXPECT_EQ(strip.GetWidth(2), 64);
    EXPECT_EQ(strip.GetHeight(2), 64);
    EXPECT_EQ(strip.GetFrameRect(0), (Rect<int>{0, 0, 64, 64}));
    EXPECT_EQ(strip.GetFrameRect(3), (Rect<int>{192, 0, 64, 64}));
    // Index 5 would be row 1, below the strip.
    EXPECT_EQ(strip.GetFrameRect(5), (Rect<int>{64, 64, 64, 64}));

    // Three columns of a 100-wide image: integer cells, the last column's spare pixel unused.
    FilmStrip grid(Strip(100, 60), 3, 2);
    EXPECT_EQ(grid.GetCount(), 6);
    EXPECT_EQ(grid.GetFrameRect(4), (Rect<int>{33, 30, 33, 30}));
    FilmStrip reversed(Strip(100, 60), 3, 2, true);
    EXPECT_EQ(reversed.GetFrameRect(4), (Rect<int>{33, 30, 33, 30}));
    EXPECT_EQ(reversed.GetFrameRect(3), (Rect<int>{66, 30, 33, 30}));
}

TEST(FilmStrip, GridsOfNoOrNegativeCellsHaveOneCell)
{
    for (const auto& [columns, rows] : {std::pair{0, 0}, std::pair{-3, 2}, std::pair{-2, -2}})
    {
        FilmStrip strip(Strip(40, 20), columns, rows);
        EXPECT_GE(strip.GetColumns(), 1);
        EXPECT_GE(strip.GetRows(), 1);
        EXPECT_EQ(strip.GetCount(), strip.GetColumns() * strip.GetRows());
        EXPECT_GT(strip.GetWidth(0), 0);
        EXPECT_EQ(strip.GetFrameRect(0).x, 0);
    }
    EXPECT_EQ(FilmStrip(Strip(40, 20), -3, 2).GetWidth(1), 40);
    EXPECT_EQ(FilmStrip().GetCount(), 0);
}

TEST(FilmStrip, PixelsAreReadWithinTheirCell)
{
    FilmStrip strip(Strip(30, 20), 3, 2);
    EXPECT_EQ(strip.GetPixel(4, 1, 2), 0xFF000000u | 11u << 8 | 12u);
    EXPECT_EQ(strip.GetAlpha(4, 1, 2), 0xFF);
    // Outside the cell, and at indices outside the strip, there is nothing.
    EXPECT_EQ(strip.GetPixel(4, 10, 0), 0u);
    EXPECT_EQ(strip.GetPixel(4, -1, 0), 0u);
    EXPECT_EQ(strip.GetPixel(6, 0, 0), 0u);
    EXPECT_EQ(strip.GetPixel(-1, 5, 5), 0u);
    EXPECT_EQ(strip.GetWidth(6), 0);
}

TEST(FilmStrip, DrawsTheCellAsTheSourceRectangle)
{
    FilmStrip strip(Strip(256, 64), 4, 1);
    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    Graphics::DrawState state = Graphics::GetDefaultDrawState();
    state.SetSourceRect({1, 1, 1, 1}); // replaced by the cell

    EXPECT_EQ(strip.Draw(2, 10, 20, state, &canvas), 0);
    EXPECT_EQ(strip.DrawInRect(1, {0.5f, 1.5f, 32.7f, 16.2f}, state, &canvas), 0);
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[0].operation, "DrawImage");
    EXPECT_EQ(canvas.calls[0].image, strip.GetStripImage());
    EXPECT_TRUE(canvas.calls[0].state.HasSourceRect());
    EXPECT_EQ(canvas.calls[0].state.sourceRect, (Rect<int>{128, 0, 64, 64}));
    EXPECT_EQ(canvas.calls[1].operation, "DrawStretchedImage");
    EXPECT_EQ(canvas.calls[1].numbers, (std::vector<float>{0, 1, 32, 16}));
    EXPECT_EQ(canvas.calls[1].state.sourceRect, (Rect<int>{64, 0, 64, 64}));

    // Indices outside the strip draw nothing.
    EXPECT_EQ(strip.Draw(4, 0, 0, state, &canvas), 1);
    EXPECT_EQ(strip.Draw(-1, 0, 0, state, &canvas), 1);
    EXPECT_EQ(strip.DrawInRect(5, {0, 0, 9, 9}, state, &canvas), 1);
    EXPECT_EQ(canvas.calls.size(), 2u);

    // Columns wider than the strip leave empty cells, which draw nothing either.
    FilmStrip thin(Strip(3, 3), 5, 1);
    EXPECT_EQ(thin.Draw(0, 0, 0, state, &canvas), 1);
}
