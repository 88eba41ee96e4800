// Differential test: random draws through both loop tables and the public blits, compared pixel
// for pixel with the reference blitter over the whole surface.
#include "Graphics/BlitLoops.h"
#include "BlitReference.h"
#include "Graphics/Image.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <vector>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
class RandomDraws
{
public:
    explicit RandomDraws(unsigned seed) : mRandom(seed) {}

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(mRandom); }
    bool Chance(int percent) { return Int(0, 99) < percent; }

    // No alpha, binary alpha or smooth alpha; smooth images favour the edge values 0..16,
    // 239..255 where the rules change.
    Image MakeImage(std::ostringstream& log)
    {
        const int width = Int(1, 37);
        const int height = Int(1, 19);
        const int alphaKind = Int(0, 2);
        log << (alphaKind == 0 ? "opaque " : alphaKind == 1 ? "mask " : "smooth ") << width << "x" << height;
        auto pixels = std::make_unique<PackedColor[]>(std::size_t(width) * height);
        for (int i = 0; i < width * height; ++i)
        {
            PackedColor alpha = 255;
            if (alphaKind == 0)
                alpha = PackedColor(Int(0, 255));
            else if (alphaKind == 1)
                alpha = Chance(50) ? 0 : 255;
            else
            {
                const int pick = Int(0, 3);
                alpha = PackedColor(pick == 0 ? Int(0, 16) : pick == 1 ? Int(239, 255) : Int(0, 255));
            }
            pixels[i] = alpha << 24 | PackedColor(Int(0, 0xFFFFFF));
        }
        return Image(std::move(pixels), width, height, alphaKind != 0, alphaKind == 1);
    }

    DrawState MakeState(int srcWidth, int srcHeight, std::ostringstream& log)
    {
        DrawState state = GetDefaultDrawState();
        static const float kOpacities[] = {0.0f, 1.0f / 255.0f, 128.0f / 255.0f, 1.0f};
        static const float kTints[] = {1.0f, 1.0f, 0.0f, 0.5f, 0.25f, 0.999f};
        state.tint.alpha = kOpacities[Int(0, 3)];
        if (Chance(50))
        {
            state.tint.red = kTints[Int(0, 5)];
            state.tint.green = kTints[Int(0, 5)];
            state.tint.blue = kTints[Int(0, 5)];
        }
        state.SetFlag(kDrawBlend, Chance(70));
        state.SetFlag(kDrawMirrorX, Chance(10));
        state.SetFlag(kDrawMirrorY, Chance(10));
        if (Chance(40))
            state.clip = {Int(-10, 40), Int(-10, 30), Int(-5, 50), Int(-5, 40)};
        if (Chance(40))
            state.SetSourceRect({Int(-4, srcWidth), Int(-4, srcHeight), Int(-2, srcWidth + 4), Int(-2, srcHeight + 4)});
        log << " tint " << state.tint.red << "," << state.tint.green << "," << state.tint.blue << ","
            << state.tint.alpha << " flags " << state.flags << " clip " << state.clip.x << "," << state.clip.y << ","
            << state.clip.width << "," << state.clip.height << " source " << state.sourceRect.x << ","
            << state.sourceRect.y << "," << state.sourceRect.width << "," << state.sourceRect.height;
        return state;
    }

    std::vector<PackedColor> MakeBackground(int count)
    {
        std::vector<PackedColor> pixels(count);
        for (PackedColor& p : pixels)
            p = PackedColor(Int(0, 0x7FFFFFFF)) * 2u + PackedColor(Int(0, 1));
        return pixels;
    }

private:
    std::mt19937 mRandom;
};

BlitSurface On(std::vector<PackedColor>& pixels, int width, int height)
{
    return {pixels.data(), width, height};
}
} // namespace

TEST(BlitLoops, EveryModeMatchesTheReferenceOnRandomDraws)
{
    RandomDraws random(20240611);
    for (int round = 0; round < 6000; ++round)
    {
        std::ostringstream log;
        log << "round " << round << " ";
        const Image image = random.MakeImage(log);
        const DrawState state = random.MakeState(image.GetWidth(), image.GetHeight(), log);

        // Whole-surface copies need the image at the origin of a surface of its size.
        const bool whole = random.Chance(10);
        const int surfaceWidth = whole ? image.GetWidth() : random.Int(1, 48);
        const int surfaceHeight = whole ? image.GetHeight() : random.Int(1, 32);
        const std::vector<PackedColor> start = random.MakeBackground(surfaceWidth * surfaceHeight);
        const int x = whole ? 0 : random.Int(-40, 60);
        const int y = whole ? 0 : random.Int(-25, 40);
        log << " onto " << surfaceWidth << "x" << surfaceHeight << " at " << x << "," << y;

        std::vector<PackedColor> expected = start;
        std::vector<PackedColor> plain = start;
        std::vector<PackedColor> fast = start;
        BlitSurface expectedSurface = On(expected, surfaceWidth, surfaceHeight);
        BlitSurface plainSurface = On(plain, surfaceWidth, surfaceHeight);
        BlitSurface fastSurface = On(fast, surfaceWidth, surfaceHeight);
        const int want = Testing::ReferenceBlitImage(image, x, y, expectedSurface, state);
        ASSERT_EQ(Internal::BlitImageWith(Internal::PlainBlitLoops(), image, x, y, plainSurface, state), want)
            << log.str();
        ASSERT_EQ(Internal::BlitImageWith(Internal::FastBlitLoops(), image, x, y, fastSurface, state), want)
            << log.str();
        ASSERT_EQ(plain, expected) << "plain loops, " << log.str();
        ASSERT_EQ(fast, expected) << "fast loops, " << log.str();
    }
}

TEST(BlitLoops, StretchedDrawsMatchTheReference)
{
    RandomDraws random(777);
    for (int round = 0; round < 2000; ++round)
    {
        std::ostringstream log;
        log << "round " << round << " ";
        const Image image = random.MakeImage(log);
        const int width = random.Int(1, 48);
        const int height = random.Int(1, 32);
        const DrawState state = random.MakeState(image.GetWidth(), image.GetHeight(), log);
        const Rect<int> dst(random.Int(-30, 50), random.Int(-20, 35), random.Int(-2, 70), random.Int(-2, 50));
        log << " into " << dst.x << "," << dst.y << "," << dst.width << "," << dst.height;

        std::vector<PackedColor> expected = random.MakeBackground(width * height);
        std::vector<PackedColor> plain = expected;
        std::vector<PackedColor> fast = expected;
        BlitSurface expectedSurface = On(expected, width, height);
        BlitSurface plainSurface = On(plain, width, height);
        BlitSurface fastSurface = On(fast, width, height);
        const int want = Testing::ReferenceBlitStretchedImage(image, dst, expectedSurface, state);
        ASSERT_EQ(Internal::BlitStretchedImageWith(false, image, dst, plainSurface, state), want) << log.str();
        ASSERT_EQ(BlitStretchedImage(image, dst, fastSurface, state), want) << log.str();
        ASSERT_EQ(plain, expected) << "plain loop, " << log.str();
        ASSERT_EQ(fast, expected) << "row loops, " << log.str();
    }
}

TEST(BlitLoops, WideRowsExerciseEveryBlockAndTail)
{
    // Long rows of every alpha, so each SIMD block meets mixed skip, copy and blend pixels.
    RandomDraws random(99);
    for (int width = 1; width <= 67; width += 3)
    {
        auto pixels = std::make_unique<PackedColor[]>(std::size_t(width) * 3);
        for (int i = 0; i < width * 3; ++i)
            pixels[i] = PackedColor(random.Int(0, 255)) << 24 | PackedColor(random.Int(0, 0xFFFFFF));
        const Image image(std::move(pixels), width, 3, true, false);
        for (const float opacity : {1.0f, 0.5f, 0.01f})
            for (const float tint : {1.0f, 0.6f})
            {
                DrawState state = GetDefaultDrawState();
                state.tint = {tint, 1.0f, tint, opacity};
                std::vector<PackedColor> expected = random.MakeBackground(80 * 4);
                std::vector<PackedColor> fast = expected;
                BlitSurface expectedSurface = On(expected, 80, 4);
                BlitSurface fastSurface = On(fast, 80, 4);
                Testing::ReferenceBlitImage(image, 1, 1, expectedSurface, state);
                Internal::BlitImageWith(Internal::FastBlitLoops(), image, 1, 1, fastSurface, state);
                ASSERT_EQ(fast, expected) << "width " << width << " opacity " << opacity << " tint " << tint;
            }
    }
}
