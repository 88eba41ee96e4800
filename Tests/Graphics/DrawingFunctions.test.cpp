#include "Graphics/DrawingFunctions.h"
#include "Graphics/GraphicsMath.h"
#include "Graphics/Image.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <thread>

using namespace Corvane;
using namespace Corvane::Graphics;
using Corvane::Testing::RecordingCanvas;

namespace
{
const std::set<std::string> kEverything = {"IQuadDrawingCanvas", "IPixelSettingCanvas", "IEllipseDrawingCanvas",
                                           "ILineDrawingCanvas", "ISpriteDrawingCanvas"};

// Every shape, image and sprite function, drawing with state on canvas.
std::vector<std::pair<const char*, std::function<int(ICanvas*)>>> AllFunctions(IImage* image)
{
    const DrawState& s = GetDefaultDrawState();
    static const SpriteRecord sprite;
    return {
        {"FillRect",
         [=](ICanvas* c) {
             return FillRect({1, 2, 3, 4}, s, c);
         }},
        {"FillRectI",
         [=](ICanvas* c) {
             return FillRectI({1, 2, 3, 4}, s, c);
         }},
        {"DrawEllipse",
         [=](ICanvas* c) {
             return DrawEllipse({1, 2, 3, 4}, s, c);
         }},
        {"FillEllipse",
         [=](ICanvas* c) {
             return FillEllipse({1, 2, 3, 4}, s, c);
         }},
        {"DrawLine", [=](ICanvas* c) { return DrawLine(1, 2, 3, 4, s, c); }},
        {"DrawRectOutline",
         [=](ICanvas* c) {
             return DrawRectOutline({1, 2, 3, 4}, s, c);
         }},
        {"DrawImage", [=](ICanvas* c) { return DrawImage(image, 1, 2, s, c); }},
        {"DrawImageInRect",
         [=](ICanvas* c) {
             return DrawImageInRect(image, {1, 2, 3, 4}, s, c);
         }},
        {"DrawRotatedImage", [=](ICanvas* c) { return DrawRotatedImage(image, 1, 2, 0.5f, s, c); }},
        {"DrawSprites", [=](ICanvas* c) { return DrawSprites(image, 1, &sprite, sizeof sprite, s, c); }},
    };
}

DrawState Aligned(int horizontal, int vertical)
{
    DrawState state = GetDefaultDrawState();
    state.horizontalAlignment = horizontal;
    state.verticalAlignment = vertical;
    return state;
}
} // namespace

TEST(DrawingFunctions, ResultCodesForMissingCanvasInterfaceAndCanvasAnswers)
{
    Image image(5, 3);
    for (const auto& [name, draw] : AllFunctions(&image))
    {
        EXPECT_EQ(draw(nullptr), 1) << name;
        RecordingCanvas bare({});
        EXPECT_EQ(draw(&bare), -2) << name;
        EXPECT_TRUE(bare.calls.empty()) << name;
        RecordingCanvas full(kEverything);
        full.result = 7;
        EXPECT_EQ(draw(&full), 7) << name;
        EXPECT_FALSE(full.calls.empty()) << name;
    }
    // Without an image nothing reaches the canvas, except a stretched draw.
    RecordingCanvas canvas(kEverything);
    EXPECT_EQ(DrawImage(nullptr, 0, 0, GetDefaultDrawState(), &canvas), 1);
    EXPECT_EQ(DrawRotatedImage(nullptr, 0, 0, 1, GetDefaultDrawState(), &canvas), 1);
    EXPECT_EQ(DrawSprites(nullptr, 1, nullptr, 0, GetDefaultDrawState(), &canvas), 1);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(DrawImageInRect(nullptr, {0, 0, 2, 2}, GetDefaultDrawState(), &canvas), 0);
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0].image, nullptr);
}

TEST(DrawingFunctions, ImagesAreAlignedBeforeTheCanvasSeesThem)
{
    Image image(5, 3);
    RecordingCanvas canvas(kEverything);
    DrawImage(&image, 10, 10, Aligned(kAlignCenter, kAlignCenter), &canvas);
    DrawImage(&image, 10, 10, Aligned(kAlignRight, kAlignRight), &canvas);
    DrawState source = Aligned(kAlignRight, kAlignCenter);
    source.SetSourceRect({0, 0, 2, 2});
    DrawImage(&image, 10, 10, source, &canvas);
    DrawImageInRect(&image, {10, 10, 6, 4}, Aligned(kAlignCenter, kAlignRight), &canvas);
    ASSERT_EQ(canvas.calls.size(), 4u);
    EXPECT_EQ(canvas.calls[0].numbers, (std::vector<float>{8, 9}));
    EXPECT_EQ(canvas.calls[1].numbers, (std::vector<float>{5, 7}));
    EXPECT_EQ(canvas.calls[2].numbers, (std::vector<float>{8, 9})); // the source rectangle's size
    EXPECT_EQ(canvas.calls[3].numbers, (std::vector<float>{7, 6, 6, 4}));
    EXPECT_EQ(canvas.calls[3].state.horizontalAlignment, kAlignCenter); // the state is passed as given
}

TEST(DrawingFunctions, RotatedImagesKeepTheirAlignedPointInPlace)
{
    Image image(10, 4);
    RecordingCanvas canvas(kEverything);
    const float quarter = TwoPi() / 4;
    DrawRotatedImage(&image, 50, 50, 0, Aligned(kAlignLeft, kAlignLeft), &canvas);
    DrawRotatedImage(&image, 50, 50, quarter, Aligned(kAlignLeft, kAlignLeft), &canvas);
    DrawRotatedImage(&image, 50, 50, quarter, Aligned(kAlignCenter, kAlignCenter), &canvas);
    DrawRotatedImage(&image, 50, 50, 0, Aligned(kAlignRight, kAlignCenter), &canvas);
    ASSERT_EQ(canvas.calls.size(), 4u);
    EXPECT_NEAR(canvas.calls[0].numbers[0], 55, 1e-4);
    EXPECT_NEAR(canvas.calls[0].numbers[1], 52, 1e-4);
    // The offset (5, 2) turned clockwise a quarter becomes (-2, 5).
    EXPECT_NEAR(canvas.calls[1].numbers[0], 48, 1e-4);
    EXPECT_NEAR(canvas.calls[1].numbers[1], 55, 1e-4);
    EXPECT_EQ(canvas.calls[2].numbers[0], 50);
    EXPECT_EQ(canvas.calls[2].numbers[1], 50);
    EXPECT_NEAR(canvas.calls[3].numbers[0], 45, 1e-4);
    EXPECT_NEAR(canvas.calls[3].numbers[1], 50, 1e-4);
}

TEST(DrawingFunctions, LinesFallBackToPixelsWithClipAndBlend)
{
    RecordingCanvas lines(kEverything);
    DrawLine(0, 0, 5, 5, GetDefaultDrawState(), &lines);
    ASSERT_EQ(lines.calls.size(), 1u);
    EXPECT_EQ(lines.calls[0].operation, "DrawLine");

    RecordingCanvas pixels({"IPixelSettingCanvas"}, {0, 0, 10, 10});
    DrawState state = GetDefaultDrawState();
    state.color = {1, 0, 0, 1};
    EXPECT_EQ(DrawLine(1.4f, 1.6f, 6, 3, state, &pixels), 0);
    // (1, 2) to (6, 3): x steps, y steps once the error reaches half way.
    std::vector<std::pair<int, int>> plotted;
    for (const auto& [at, color] : pixels.pixels)
    {
        plotted.push_back(at);
        EXPECT_EQ(color, 0xFFFF0000u);
    }
    EXPECT_EQ(plotted, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}, {3, 2}, {4, 3}, {5, 3}, {6, 3}}));
    // Steeper lines step along y; backwards lines walk the same pixels.
    pixels.pixels.clear();
    DrawLine(2, 1, 3, 6, state, &pixels);
    DrawLine(6, 3, 1, 2, state, &pixels);
    plotted.clear();
    for (const auto& entry : pixels.pixels)
        plotted.push_back(entry.first);
    EXPECT_EQ(plotted, (std::vector<std::pair<int, int>>{
                           {1, 2}, {2, 1}, {2, 2}, {2, 3}, {3, 2}, {3, 4}, {3, 5}, {3, 6}, {4, 3}, {5, 3}, {6, 3}}));

    // A point-long line plots once; pixels outside the clip or the bounds are not plotted.
    pixels.pixels.clear();
    DrawLine(3, 3, 3, 3, state, &pixels);
    EXPECT_EQ(pixels.pixels.size(), 1u);
    pixels.pixels.clear();
    state.clip = {0, 0, 3, 100};
    DrawLine(-5, 8, 20, 8, state, &pixels);
    EXPECT_EQ(pixels.pixels.size(), 3u);

    // Blending reads the pixel back first.
    pixels.pixels = {{{4, 4}, 0xFF000000u}};
    state = GetDefaultDrawState();
    state.color = {1, 1, 1, 0.5f};
    DrawLine(4, 4, 4, 4, state, &pixels);
    EXPECT_EQ(pixels.pixels[std::make_pair(4, 4)], BlendPixel(state.color.ToPacked(), 0xFF000000u));
    state.flags = 0;
    DrawLine(4, 4, 4, 4, state, &pixels);
    EXPECT_EQ(pixels.pixels[std::make_pair(4, 4)], state.color.ToPacked());
}

TEST(DrawingFunctions, RectOutlineDrawsFourEdges)
{
    RecordingCanvas canvas(kEverything);
    canvas.result = 3;
    EXPECT_EQ(DrawRectOutline({2, 3, 4, 5}, GetDefaultDrawState(), &canvas), 3);
    ASSERT_EQ(canvas.calls.size(), 4u);
    EXPECT_EQ(canvas.calls[0].numbers, (std::vector<float>{2, 3, 5, 3}));
    EXPECT_EQ(canvas.calls[1].numbers, (std::vector<float>{5, 3, 5, 7}));
    EXPECT_EQ(canvas.calls[2].numbers, (std::vector<float>{5, 7, 2, 7}));
    EXPECT_EQ(canvas.calls[3].numbers, (std::vector<float>{2, 7, 2, 3}));

    RecordingCanvas pixels({"IPixelSettingCanvas"});
    DrawRectOutline({4, 4, 1, 1}, GetDefaultDrawState(), &pixels);
    EXPECT_EQ(pixels.calls.size(), 4u); // four zero-length lines
    EXPECT_EQ(pixels.pixels.size(), 1u);
}

TEST(DrawingFunctions, SpritesFallBackToStretchedQuads)
{
    Image image(10, 6);
    struct Particle
    {
        SpriteRecord sprite;
        float age; // callers' records carry more
    } particles[2] = {{{20, 30, {1, 0, 0, 1}, 1, 1}, 0}, {{50, 50, {0, 0, 1, 0.5f}, 2, 0.5f}, 0}};

    RecordingCanvas sprites(kEverything);
    DrawSprites(&image, 2, particles, sizeof(Particle), GetDefaultDrawState(), &sprites);
    ASSERT_EQ(sprites.calls.size(), 1u);
    EXPECT_EQ(sprites.calls[0].operation, "DrawSprites");

    // Each record's colour is tinted by the state's tint, as the hardware batch tints it.
    RecordingCanvas quads({"IQuadDrawingCanvas"});
    quads.result = 0;
    DrawState faded = GetDefaultDrawState();
    faded.tint = {1, 0.5f, 1, 0.5f};
    EXPECT_EQ(DrawSprites(&image, 2, particles, sizeof(Particle), faded, &quads), 0);
    ASSERT_EQ(quads.calls.size(), 2u);
    EXPECT_EQ(quads.calls[0].numbers, (std::vector<float>{15, 27, 10, 6}));
    EXPECT_EQ(quads.calls[0].state.tint, ColorF(1, 0, 0, 0.5f));
    EXPECT_EQ(quads.calls[1].numbers, (std::vector<float>{40, 48, 20, 3}));
    EXPECT_EQ(quads.calls[1].state.tint, ColorF(0, 0, 1, 0.25f));
    EXPECT_EQ(DrawSprites(&image, 0, particles, sizeof(Particle), GetDefaultDrawState(), &quads), 1);
}

namespace
{
struct FreshInterface
{
    static constexpr const char* kInterfaceName = "IFreshTestInterface";
};
} // namespace

TEST(DrawingFunctions, InterfaceNamesAreInternedOnceEvenWhenFirstUsedByTwoThreads)
{
    std::atomic<bool> go{false};
    Label seen[8];
    std::vector<std::thread> threads;
    for (Label& slot : seen)
        threads.emplace_back([&go, &slot] {
            while (!go)
                std::this_thread::yield();
            slot = InterfaceName<FreshInterface>();
        });
    go = true;
    for (std::thread& t : threads)
        t.join();
    for (const Label& label : seen)
        EXPECT_EQ(label, Label("IFreshTestInterface"));
}
