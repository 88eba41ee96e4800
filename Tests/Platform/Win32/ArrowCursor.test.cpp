#include "Platform/Win32/ArrowCursor.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Corvane;

namespace
{
std::uint32_t At(const std::vector<std::uint32_t>& pixels, int x, int y)
{
    return pixels[y * kArrowCursorSize + x];
}

TEST(ArrowCursor, AWhiteArrowWithABlackOutlineAndItsTipAtTheOrigin)
{
    const std::vector<std::uint32_t> pixels = BuildArrowCursorPixels();
    ASSERT_EQ(pixels.size(), 32u * 32u);
    EXPECT_EQ(At(pixels, 0, 0), 0xFF000000u) << "the tip is outline";
    EXPECT_EQ(At(pixels, 1, 0), 0x00000000u);
    // Row 2: outline over three pixels, white in the middle one.
    EXPECT_EQ(At(pixels, 0, 2), 0xFF000000u);
    EXPECT_EQ(At(pixels, 1, 2), 0xFFFFFFFFu);
    EXPECT_EQ(At(pixels, 2, 2), 0xFF000000u);
    EXPECT_EQ(At(pixels, 3, 2), 0x00000000u);
    // The tail at the bottom: row 20 has its two outline pixels at columns 8 and 9.
    EXPECT_EQ(At(pixels, 8, 20), 0xFF000000u);
    EXPECT_EQ(At(pixels, 9, 20), 0xFF000000u);
    EXPECT_EQ(At(pixels, 7, 20), 0x00000000u);
    // Row 19's white pair sits inside its outline.
    EXPECT_EQ(At(pixels, 8, 19), 0xFFFFFFFFu);
    EXPECT_EQ(At(pixels, 7, 19), 0xFF000000u);

    const auto opaque = std::count_if(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p >> 24 == 0xFF; });
    const auto white = std::count(pixels.begin(), pixels.end(), 0xFFFFFFFFu);
    EXPECT_EQ(opaque, 126) << "the bits of the outline table";
    EXPECT_EQ(white, 73) << "the bits of the colour table";
    EXPECT_TRUE(std::all_of(pixels.begin() + 21 * 32, pixels.end(), [](std::uint32_t p) { return p == 0; }))
        << "rows 21 to 31 are empty";
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](std::uint32_t p) {
        return p == 0 || p == 0xFF000000u || p == 0xFFFFFFFFu;
    })) << "no white pixel outside the outline, no partial alpha";
}
} // namespace
