// Converting the software renderer's 32-bit ARGB frame into the screen's pixel format, row by
// row. Alpha is dropped in every format.
#pragma once

#include "Graphics/ColorF.h"

#include <cstdint>

namespace Corvane
{
// The 16-bit layouts (red, green, blue masks): 0 5-5-5, 1 6-5-5, 2 5-6-5, 3 5-5-6.
enum class SixteenBitLayout
{
    Rgb555 = 0,
    Rgb655 = 1,
    Rgb565 = 2,
    Rgb556 = 3,
};

// The layout of the masks, or false when they are none of the four.
bool FindSixteenBitLayout(std::uint32_t red, std::uint32_t green, std::uint32_t blue, SixteenBitLayout& layout);
// One pixel in a 16-bit layout.
std::uint16_t ToSixteenBits(PackedColor argb, SixteenBitLayout layout);
// width pixels into a row of bits per pixel (32 copied, 24 as blue, green, red bytes, 16 in the
// layout); other depths write nothing.
void ConvertFrameRow(const PackedColor* from, int width, int bits, SixteenBitLayout layout, std::uint8_t* to);
} // namespace Corvane
