#include "Platform/Win32/ArrowCursor.h"

namespace Corvane
{
namespace
{
// One bit per pixel, bit 31 leftmost. The outline gives the shape (opaque where set), the colour
// table the white inside.
constexpr std::uint32_t kOutline[kArrowCursorSize] = {
    0x80000000, 0xC0000000, 0xE0000000, 0xF0000000, 0xF8000000, 0xFC000000, 0xFE000000,
    0xFF000000, 0xFF800000, 0xFFC00000, 0xFFE00000, 0xFFF00000, 0xFF000000, 0xFF000000,
    0xE7800000, 0xC7800000, 0x83C00000, 0x03C00000, 0x01E00000, 0x01E00000, 0x00C00000,
};
constexpr std::uint32_t kColour[kArrowCursorSize] = {
    0,          0,          0x40000000, 0x60000000, 0x70000000, 0x78000000, 0x7C000000,
    0x7E000000, 0x7F000000, 0x7F800000, 0x7FC00000, 0x7E000000, 0x76000000, 0x66000000,
    0x43000000, 0x03000000, 0x01800000, 0x01800000, 0x00C00000, 0x00C00000,
};

bool Bit(std::uint32_t row, int x)
{
    return (row >> (31 - x)) & 1u;
}
} // namespace

std::vector<std::uint32_t> BuildArrowCursorPixels()
{
    std::vector<std::uint32_t> pixels(kArrowCursorSize * kArrowCursorSize);
    for (int y = 0; y < kArrowCursorSize; ++y)
        for (int x = 0; x < kArrowCursorSize; ++x)
        {
            const std::uint32_t alpha = Bit(kOutline[y], x) ? 0xFF000000u : 0;
            const std::uint32_t colour = Bit(kColour[y], x) ? 0x00FFFFFFu : 0;
            pixels[y * kArrowCursorSize + x] = alpha | colour;
        }
    return pixels;
}
} // namespace Corvane
