// Pixel formats of the memory surfaces: sizes, the display's format for a colour depth, and
// conversion of pixels to and from 0xAARRGGBB. Internal to the DirectDraw and Direct3D layer.
#pragma once

#include "Platform/Compat/DirectDraw/DirectDrawTypes.h"

#include <cstdint>
#include <vector>

namespace Compat
{
// Bytes one pixel takes (z-buffers by their depth), 0 for formats without a fixed size.
int BytesPerPixel(const DDPIXELFORMAT& format);
// The display's format at a colour depth: 32 and 24 bits 8-8-8 RGB, 16 bits the machine's
// layout, 8 bits palette indices.
DDPIXELFORMAT DisplayFormat(int bits);
// Same kind, depth and masks.
bool SameFormat(const DDPIXELFORMAT& a, const DDPIXELFORMAT& b);
// A 32-bit 0xAARRGGBB colour in the format's layout (alpha only when the format has alpha).
std::uint32_t PackColor(std::uint32_t argb, const DDPIXELFORMAT& format);
// Turns rows of one format into opaque 0xAARRGGBB; made once for many rows.
class ArgbConverter
{
public:
    explicit ArgbConverter(const DDPIXELFORMAT& format);
    void Row(const std::uint8_t* row, int width, std::uint32_t* out) const;
    // As Row, for a place that ignores alpha: where the layout is 8-8-8 in 32 bits the row is
    // copied as it is, alpha bytes included.
    void ColourRow(const std::uint8_t* row, int width, std::uint32_t* out) const;

private:
    // Where a channel sits and what each of its values is in 8 bits.
    struct Lane
    {
        int shift = 0;
        std::uint32_t mask = 0;
        std::vector<std::uint8_t> table;
        // The table as arithmetic, for 2 to 6 bits: (value * 255 + most / 2) / most is
        // ((value * 255 + most / 2) * multiplier) >> (16 + extraShift).
        int most = 0;
        int multiplier = 0;
        int extraShift = 0;
    };

    // Eight 16-bit pixels at a time, where every channel has 2 to 6 bits.
    void SixteenBitBlocks(const std::uint8_t* row, int blocks, std::uint32_t* out) const;

    int mBytes = 0;
    bool mPlain32 = false; // 8-8-8 in 32 bits: a copy with alpha set
    bool mSixteenBitBlocks = false;
    Lane mLanes[3];
};
// A pixel value of bytes bytes, little-endian.
std::uint32_t ReadPixel(const std::uint8_t* at, int bytes);
void WritePixel(std::uint8_t* at, int bytes, std::uint32_t value);
} // namespace Compat
