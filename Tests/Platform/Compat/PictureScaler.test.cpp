#include "Platform/Compat/DirectDraw/PictureScaler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace
{
using Compat::PictureScaler;

struct Picture
{
    int width;
    int height;
    int pitch; // bytes, with slack beyond the pixels
    std::vector<std::uint32_t> pixels;

    Picture(int w, int h, int slack = 0) : width(w), height(h), pitch((w + slack) * 4), pixels(std::size_t(w + slack) * h)
    {
    }
    std::uint32_t& At(int x, int y) { return pixels[std::size_t(y) * (pitch / 4) + x]; }
    std::uint8_t* Bytes() { return reinterpret_cast<std::uint8_t*>(pixels.data()); }
};

Picture Noise(int width, int height, unsigned seed)
{
    Picture picture(width, height, 3);
    std::mt19937 random(seed);
    for (std::uint32_t& pixel : picture.pixels)
        pixel = random();
    return picture;
}

Picture Scaled(Picture& source, int width, int height, bool plain, RECT area = {0, 0, 0, 0})
{
    PictureScaler scaler(source.width, source.height, width, height);
    if (plain)
        scaler.UsePlainLoops();
    Picture target(width, height, 1);
    if (area.right == 0)
        area = {0, 0, width, height};
    scaler.Scale(source.Bytes(), source.pitch, target.Bytes(), target.pitch, area);
    return target;
}

// The vector loops give the plain loops' pixels, and both are the bilinear stretch: every channel
// within 3 of the mix of the four source pixels around the point under the target pixel's centre
// (positions rounded to 1/64 of a pixel across, 1/128 down, on noise where neighbours differ by up
// to 255).
TEST(PictureScalerTest, StretchesBilinearlyAndEveryLoopGivesTheSamePixels)
{
    const struct
    {
        int sw, sh, tw, th;
    } cases[] = {{800, 600, 1280, 960}, {800, 600, 1024, 768}, {800, 600, 1440, 1080}, {7, 5, 61, 43},
                 {800, 600, 333, 251},  {1, 1, 5, 3},          {2, 3, 2, 3},           {640, 480, 641, 479}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " to " << c.tw << "x" << c.th);
        Picture source = Noise(c.sw, c.sh, static_cast<unsigned>(c.sw * 31 + c.tw));
        Picture fast = Scaled(source, c.tw, c.th, false);
        const Picture plain = Scaled(source, c.tw, c.th, true);
        int worst = 0;
        for (int y = 0; y < c.th; ++y)
            for (int x = 0; x < c.tw; ++x)
            {
                ASSERT_EQ(fast.At(x, y), plain.pixels[std::size_t(y) * (plain.pitch / 4) + x]) << x << "," << y;
                ASSERT_EQ(fast.At(x, y) >> 24, 0xFFu) << "opaque";
                const double sx = std::clamp((x + 0.5) * c.sw / c.tw - 0.5, 0.0, c.sw - 1.0);
                const double sy = std::clamp((y + 0.5) * c.sh / c.th - 0.5, 0.0, c.sh - 1.0);
                const int x0 = int(sx), y0 = int(sy), x1 = std::min(x0 + 1, c.sw - 1), y1 = std::min(y0 + 1, c.sh - 1);
                for (int channel = 0; channel < 3; ++channel)
                {
                    const auto value = [&](int px, int py) { return double((source.At(px, py) >> (8 * channel)) & 0xFF); };
                    const double top = value(x0, y0) + (value(x1, y0) - value(x0, y0)) * (sx - x0);
                    const double bottom = value(x0, y1) + (value(x1, y1) - value(x0, y1)) * (sx - x0);
                    const double expected = top + (bottom - top) * (sy - y0);
                    worst = std::max(worst, int(std::lround(std::abs(expected - ((fast.At(x, y) >> (8 * channel)) & 0xFF)))));
                }
            }
        EXPECT_LE(worst, 3);
    }
}

// A change of the source shown by scaling only the target pixels that read it gives the picture
// a whole new stretch gives.
TEST(PictureScalerTest, TheTargetOfAChangeIsAllThatChanges)
{
    Picture source = Noise(800, 600, 7);
    PictureScaler scaler(800, 600, 1280, 960);
    Picture target(1280, 960, 2);
    scaler.Scale(source.Bytes(), source.pitch, target.Bytes(), target.pitch, {0, 0, 1280, 960});
    for (const RECT changed : {RECT{0, 0, 1, 1}, RECT{799, 599, 800, 600}, RECT{100, 200, 333, 250}, RECT{0, 0, 800, 600}})
    {
        for (LONG y = changed.top; y < changed.bottom; ++y)
            for (LONG x = changed.left; x < changed.right; ++x)
                source.At(x, y) ^= 0x00A5C3E1u;
        const RECT area = scaler.TargetOf(changed);
        // The stretch is 1.6 times: a changed pixel and its neighbours reach at most that far.
        EXPECT_LE(area.right - area.left, (changed.right - changed.left + 2) * 8 / 5 + 1);
        EXPECT_LE(area.bottom - area.top, (changed.bottom - changed.top + 2) * 8 / 5 + 1);
        scaler.Scale(source.Bytes(), source.pitch, target.Bytes(), target.pitch, area);
        const Picture whole = Scaled(source, 1280, 960, false);
        for (int y = 0; y < 960; ++y)
            for (int x = 0; x < 1280; ++x)
                ASSERT_EQ(target.At(x, y), whole.pixels[std::size_t(y) * (whole.pitch / 4) + x]) << x << "," << y;
    }
    EXPECT_EQ(scaler.TargetOf({0, 0, 0, 0}).right, 0) << "nothing changed, nothing to scale";
}
} // namespace
