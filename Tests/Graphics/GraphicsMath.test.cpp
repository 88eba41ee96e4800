#include "Graphics/GraphicsMath.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
// The per-byte rule, one channel at a time.
PackedColor BlendReference(PackedColor s, PackedColor d)
{
    const unsigned a = s >> 24;
    if (a == 0)
        return d;
    if (a == 255)
        return s;
    PackedColor out = 0;
    for (int shift = 0; shift < 32; shift += 8)
    {
        const unsigned sb = (s >> shift) & 0xFF;
        const unsigned db = (d >> shift) & 0xFF;
        out |= (((db * (256 - (a + 1)) + sb * (a + 1)) >> 8) & 0xFF) << shift;
    }
    return out;
}
} // namespace

TEST(BlendPixel, MatchesTheByteRule)
{
    EXPECT_EQ(BlendPixel(0x80FFFFFFu, 0xFF000000u), 0xBF808080u);
    EXPECT_EQ(BlendPixel(0x00123456u, 0xFFABCDEFu), 0xFFABCDEFu);
    EXPECT_EQ(BlendPixel(0xFF123456u, 0x00ABCDEFu), 0xFF123456u);
    std::uint32_t seed = 12345;
    for (int i = 0; i < 100000; ++i)
    {
        seed = seed * 1664525u + 1013904223u;
        const PackedColor s = seed;
        seed = seed * 1664525u + 1013904223u;
        const PackedColor d = seed;
        ASSERT_EQ(BlendPixel(s, d), BlendReference(s, d)) << std::hex << s << " over " << d;
    }
}

TEST(GraphicsMath, WrapsAnglesIntoOneTurn)
{
    EXPECT_NEAR(WrapAngle(7.0f), 0.7168f, 1e-4f);
    EXPECT_NEAR(WrapAngle(-1.0f), 5.2832f, 1e-4f);
    EXPECT_FLOAT_EQ(WrapAngle(-TwoPi()), TwoPi());
    EXPECT_FLOAT_EQ(WrapAngle(1.0f), 1.0f);
    EXPECT_NEAR(RadiansToDegrees(TwoPi() / 4), 90.0, 1e-4);
}

TEST(GraphicsMath, PositiveAnglesTurnClockwiseOnScreen)
{
    const Vector2<float> turned = RotateVector(TwoPi() / 4, {1.0f, 0.0f});
    EXPECT_NEAR(turned.x, 0.0f, 1e-6f);
    EXPECT_NEAR(turned.y, 1.0f, 1e-6f); // y points down
}
