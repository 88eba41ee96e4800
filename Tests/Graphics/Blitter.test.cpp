#include "Graphics/Blitter.h"
#include "BlitReference.h"
#include "Graphics/BlitLoops.h"
#include "Graphics/Image.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>
#include <vector>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
struct Surface
{
    std::vector<PackedColor> pixels;
    BlitSurface surface;

    Surface(int width, int height, PackedColor fill) : pixels(std::size_t(width) * height, fill)
    {
        surface = {pixels.data(), width, height};
    }
    PackedColor At(int x, int y) const { return pixels[std::size_t(y) * surface.width + x]; }
};

Image Filled(int width, int height, PackedColor color, bool hasAlpha, bool binaryAlpha)
{
    auto pixels = std::make_unique<PackedColor[]>(std::size_t(width) * height);
    std::fill_n(pixels.get(), width * height, color);
    return Image(std::move(pixels), width, height, hasAlpha, binaryAlpha);
}

// Pixel (x, y) holds x in red and y in green: every pixel says where it came from.
Image Coordinates(int width, int height)
{
    auto pixels = std::make_unique<PackedColor[]>(std::size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = 0xFF000000u | PackedColor(x) << 16 | PackedColor(y) << 8;
    return Image(std::move(pixels), width, height, false, false);
}

DrawState WithTint(float r, float g, float b, float a)
{
    DrawState state = GetDefaultDrawState();
    state.tint = {r, g, b, a};
    return state;
}
} // namespace

TEST(Blitter, OpacityZeroDrawsNothingAndHalfOpacityBlendsEveryPixel)
{
    const Image white = Filled(4, 4, 0xFFFFFFFF, false, false);
    Surface target(8, 8, 0xFF000000);
    EXPECT_EQ(BlitImage(white, 0, 0, target.surface, WithTint(1, 1, 1, 0.003f)), 1);
    EXPECT_EQ(target.At(0, 0), 0xFF000000u);

    EXPECT_EQ(BlitImage(white, 2, 2, target.surface, WithTint(1, 1, 1, 0.5f)), 0);
    // o = 127, f = 128: 0 + ((255 * 128) >> 8) = 127.
    EXPECT_EQ(target.At(2, 2), 0xFF7F7F7Fu);
    EXPECT_EQ(target.At(1, 1), 0xFF000000u);
}

TEST(Blitter, SurfaceSizedImageIsOneCopyAndHalfOpacityBlendsLikeRowCopies)
{
    const Image image = Coordinates(16, 8);
    Surface target(16, 8, 0x12345678);
    EXPECT_EQ(BlitImage(image, 0, 0, target.surface, GetDefaultDrawState()), 0);
    EXPECT_EQ(target.pixels, std::vector<PackedColor>(image.GetPixels(), image.GetPixels() + 128));

    Surface faded(16, 8, 0xFF000000);
    Surface expected(16, 8, 0xFF000000);
    EXPECT_EQ(BlitImage(image, 0, 0, faded.surface, WithTint(1, 1, 1, 0.5f)), 0);
    Testing::ReferenceBlitImage(image, 0, 0, expected.surface, WithTint(1, 1, 1, 0.5f));
    EXPECT_EQ(faded.pixels, expected.pixels);
    EXPECT_EQ(faded.At(15, 0), 0xFF070000u); // red 15 blended with f = 128
}

TEST(Blitter, MaskImageSkipsClearPixelsAndCopiesTheRest)
{
    auto pixels = std::make_unique<PackedColor[]>(4);
    pixels[0] = 0x00FF0000; // clear, whatever its colour
    pixels[1] = 0xFF00FF00;
    pixels[2] = 0x000000FF;
    pixels[3] = 0xFF123456;
    const Image mask(std::move(pixels), 4, 1, true, true);
    Surface target(4, 1, 0xFFABCDEF);
    EXPECT_EQ(BlitImage(mask, 0, 0, target.surface, GetDefaultDrawState()), 0);
    EXPECT_EQ(target.pixels, (std::vector<PackedColor>{0xFFABCDEF, 0xFF00FF00, 0xFFABCDEF, 0xFF123456}));
}

TEST(Blitter, OpaqueAlphaBlendDropsFaintEdgesAndCopiesNearlySolidOnes)
{
    auto pixels = std::make_unique<PackedColor[]>(3);
    pixels[0] = 0x0FFFFFFF; // alpha 15
    pixels[1] = 0x10FFFFFF; // alpha 16
    pixels[2] = 0xF0FFFFFF; // alpha 240
    const Image image(std::move(pixels), 3, 1, true, false);
    Surface target(3, 1, 0x00000000);
    EXPECT_EQ(BlitImage(image, 0, 0, target.surface, GetDefaultDrawState()), 0);
    EXPECT_EQ(target.At(0, 0), 0x00000000u);
    EXPECT_EQ(target.At(1, 0), 0xFF101010u); // (255 * 17) >> 8 = 16, alpha 0xFF
    EXPECT_EQ(target.At(2, 0), 0xF0FFFFFFu); // copied with its own alpha byte
}

TEST(Blitter, SourceRectangleCornerLandsOnThePosition)
{
    const Image image = Coordinates(64, 64);
    Surface target(200, 200, 0);
    DrawState state = GetDefaultDrawState();
    state.SetSourceRect({32, 0, 16, 16});
    EXPECT_EQ(BlitImage(image, 100, 100, target.surface, state), 0);
    EXPECT_EQ(target.At(100, 100), image.GetPixel(32, 0));
    EXPECT_EQ(target.At(115, 115), image.GetPixel(47, 15));
    EXPECT_EQ(target.At(116, 100), 0u);
    EXPECT_EQ(target.At(99, 100), 0u);
}

TEST(Blitter, StretchRepeatsPixelsAndMirrorsWithinTheSourceRectangle)
{
    const Image image = Coordinates(8, 8);
    Surface target(16, 16, 0);
    EXPECT_EQ(BlitStretchedImage(image, {0, 0, 16, 16}, target.surface, GetDefaultDrawState()), 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(target.At(x, y), image.GetPixel(x / 2, y / 2)) << x << "," << y;

    DrawState mirrored = GetDefaultDrawState();
    mirrored.flags |= kDrawMirrorX;
    mirrored.SetSourceRect({2, 1, 4, 4});
    EXPECT_EQ(BlitStretchedImage(image, {0, 0, 8, 8}, target.surface, mirrored), 0);
    EXPECT_EQ(target.At(0, 0), image.GetPixel(5, 1));
    EXPECT_EQ(target.At(1, 0), image.GetPixel(5, 1));
    EXPECT_EQ(target.At(7, 7), image.GetPixel(2, 4));
}

TEST(Blitter, StretchWithZeroTintDrawsNothing)
{
    const Image image = Coordinates(8, 8);
    Surface target(16, 16, 0xFF0000FF);
    EXPECT_EQ(BlitStretchedImage(image, {0, 0, 16, 16}, target.surface, WithTint(0, 0, 0, 0)), 1);
    EXPECT_EQ(target.At(3, 3), 0xFF0000FFu);
}

TEST(Blitter, UnscaledMirroredDrawsComeOutMirrored)
{
    const Image image = Coordinates(5, 3);
    Surface target(10, 10, 0);
    DrawState state = GetDefaultDrawState();
    state.flags |= kDrawMirrorX | kDrawMirrorY;
    EXPECT_EQ(BlitImage(image, 2, 1, target.surface, state), 0);
    EXPECT_EQ(target.At(2, 1), image.GetPixel(4, 2));
    EXPECT_EQ(target.At(6, 3), image.GetPixel(0, 0));
    EXPECT_EQ(target.At(7, 3), 0u); // the same size: nothing stretched
}

TEST(Blitter, TintPixelScalesEveryByte)
{
    EXPECT_EQ(TintPixel(0xFFFFFFFF, 0x80402010), 0x80402010u);
    EXPECT_EQ(TintPixel(0, 0x80402010), 0u);
    // ((0x7F + 1) * 0x80) >> 8 = 0x40, ((0xFF + 1) * 0x40) >> 8 = 0x40, ...
    EXPECT_EQ(TintPixel(0x7FFF0000, 0x80404040), 0x40400000u);
}

TEST(Blitter, NothingVisibleReturnsOne)
{
    const Image image = Coordinates(4, 4);
    Surface target(8, 8, 0);
    EXPECT_EQ(BlitImage(image, 8, 0, target.surface, GetDefaultDrawState()), 1);
    EXPECT_EQ(BlitImage(image, -4, -4, target.surface, GetDefaultDrawState()), 1);
    DrawState clipped = GetDefaultDrawState();
    clipped.clip = {0, 0, 0, 8};
    EXPECT_EQ(BlitImage(image, 0, 0, target.surface, clipped), 1);
    EXPECT_EQ(BlitImage(Image(), 0, 0, target.surface, GetDefaultDrawState()), 1);
    EXPECT_EQ(target.pixels, std::vector<PackedColor>(64, 0));
}

TEST(Blitter, TwoThreadsBlitAtOnce)
{
    // The loader thread composes a font while the main thread draws: each blit touches only its
    // own pictures, and the shared profiling counters stay consistent.
    const auto work = [](unsigned seed, int* mismatches) {
        const Image image = Coordinates(24, 24);
        DrawState state = WithTint(0.5f, 1.0f, 0.75f, 0.5f);
        state.SetSourceRect({int(seed % 5), 2, 16, 16});
        for (int i = 0; i < 400; ++i)
        {
            Surface mine(64, 64, 0xFF000000 | seed);
            Surface expected(64, 64, 0xFF000000 | seed);
            const int x = int((seed * 7 + i * 13) % 80) - 16;
            BlitImage(image, x, x / 2, mine.surface, state);
            BlitStretchedImage(image, {x, 3, 40, 20}, mine.surface, state);
            Testing::ReferenceBlitImage(image, x, x / 2, expected.surface, state);
            Testing::ReferenceBlitStretchedImage(image, {x, 3, 40, 20}, expected.surface, state);
            *mismatches += mine.pixels != expected.pixels;
        }
    };
    int mismatchesA = 0;
    int mismatchesB = 0;
    std::thread other(work, 1u, &mismatchesA);
    work(2u, &mismatchesB);
    other.join();
    EXPECT_EQ(mismatchesA, 0);
    EXPECT_EQ(mismatchesB, 0);
}
