#include "SceneGraph/TiledImageDrawing.h"

#include "Graphics/Image.h"
#include "Graphics/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
// One drawn tile: "x,y" or "x,y from sx,sy wxh" when drawn through a source rectangle.
std::vector<std::string> Tiles(const RecordingCanvas& canvas)
{
    std::vector<std::string> tiles;
    for (const CanvasCall& call : canvas.calls)
    {
        std::string tile = std::to_string(int(call.numbers[0])) + "," + std::to_string(int(call.numbers[1]));
        if (call.state.HasSourceRect())
        {
            const Rect<int>& r = call.state.sourceRect;
            tile += " from " + std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
                    std::to_string(r.height);
        }
        tiles.push_back(tile);
    }
    return tiles;
}
} // namespace

TEST(TiledImageDrawing, TilesStartAtTheOffsetAndCutOnlyTheEdgeTiles)
{
    Image image(10, 8);
    const struct
    {
        Rect<float> area;
        int startX, startY;
        std::vector<std::string> tiles;
    } cases[] = {
        {{5, 6, 10, 8}, 0, 0, {"5,6"}},
        {{0, 0, 25, 8}, 0, 0, {"0,0", "10,0", "20,0 from 0,0 5x8"}},
        {{0, 0, 12, 8}, 4, 0, {"0,0 from 4,0 6x8", "6,0 from 0,0 6x8"}},
        {{0, 0, 10, 8}, 10, 8, {"0,0"}},                                 // offsets of a whole image wrap to 0
        {{0, 0, 3, 8}, -1, 0, {"0,0 from 9,0 1x8", "1,0 from 0,0 2x8"}}, // -1 starts at the last column
        {{0.9f, 2.7f, 10.9f, 12.5f}, 0, 5, {"0,2 from 0,5 10x3", "0,5", "0,13 from 0,0 10x1"}},
        {{0, 0, 4, 4}, 23, -13, {"0,0 from 3,3 4x4"}},
    };
    for (const auto& c : cases)
    {
        RecordingCanvas canvas({"IQuadDrawingCanvas"});
        EXPECT_EQ(DrawTiledImage(&image, c.area, c.startX, c.startY, DrawState(), &canvas), 0);
        EXPECT_EQ(Tiles(canvas), c.tiles) << c.area.x << "," << c.area.y << " " << c.area.width << "x" << c.area.height
                                          << " from " << c.startX << "," << c.startY;
    }
}

TEST(TiledImageDrawing, StripsRunAlongOneAxisAtTheImagesOtherSize)
{
    Image image(10, 8);
    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    EXPECT_EQ(DrawTiledStripH(2, 3, 14, 6, DrawState(), &canvas, &image), 0);
    EXPECT_EQ(Tiles(canvas), (std::vector<std::string>{"2,3 from 6,0 4x8", "6,3"}));
    canvas.calls.clear();
    EXPECT_EQ(DrawTiledStripV(2, 3, 12, 6, DrawState(), &canvas, &image), 0);
    EXPECT_EQ(Tiles(canvas), (std::vector<std::string>{"2,3 from 0,6 10x2", "2,5", "2,13 from 0,0 10x2"}));
}

TEST(TiledImageDrawing, NothingIsDrawnWithoutImageAreaOrPixels)
{
    Image image(10, 8);
    Image empty(0, 0);
    Image line(5, 0);
    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    EXPECT_EQ(DrawTiledImage(nullptr, {0, 0, 10, 10}, 0, 0, DrawState(), &canvas), 1);
    EXPECT_EQ(DrawTiledImage(&image, {0, 0, 0, 10}, 0, 0, DrawState(), &canvas), 1);
    EXPECT_EQ(DrawTiledImage(&image, {0, 0, 10, -1}, 0, 0, DrawState(), &canvas), 1);
    EXPECT_EQ(DrawTiledStripH(0, 0, 0, 0, DrawState(), &canvas, &image), 1) << "a strip of length 0";
    EXPECT_EQ(DrawTiledStripV(0, 0, 5, 0, DrawState(), &canvas, nullptr), 1);
    // An image without pixels would never fill the area.
    EXPECT_EQ(DrawTiledImage(&empty, {0, 0, 10, 10}, 3, 3, DrawState(), &canvas), 1);
    EXPECT_EQ(DrawTiledStripH(0, 0, 10, 0, DrawState(), &canvas, &line), 1);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST(TiledImageDrawing, TheTiledPixelIsTheOneDrawnThereAndOpaqueOutsideTheArea)
{
    Image image(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            image.SetPixel(x, y, PackedColor(y * 16 + x));
    const Vector2<float> area{9.5f, 5.9f};
    const struct
    {
        int x, y;
        Vector2<int> start;
        PackedColor pixel;
    } cases[] = {
        {0, 0, {0, 0}, 0x00},        {5, 4, {0, 0}, 0x11},         {1, 1, {3, 2}, 0x00}, {0, 0, {-1, -1}, 0x23},
        {8, 4, {0, 0}, 0x10},        {9, 0, {0, 0}, 0xFFFFFFFFu}, // the width is truncated to 9
        {0, 5, {0, 0}, 0xFFFFFFFFu}, {-1, 0, {0, 0}, 0xFFFFFFFFu},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetTiledPixel(&image, c.x, c.y, area, c.start), c.pixel) << c.x << "," << c.y;
    EXPECT_EQ(GetTiledPixel(nullptr, 0, 0, area, {0, 0}), 0xFFFFFFFFu);
    Image empty(0, 0);
    EXPECT_EQ(GetTiledPixel(&empty, 0, 0, area, {0, 0}), 0u) << "nothing is drawn from an image without pixels";
}
