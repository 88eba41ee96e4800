#include "Platform/Compat/DirectDraw/PixelFormat.h"

#include "Platform/Compat/DirectDraw/DisplayMachine.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include <emmintrin.h>

namespace Compat
{
namespace
{
// Where a channel sits in a pixel and how wide it is.
struct Channel
{
    int shift = 0;
    int bits = 0;
    std::uint32_t mask = 0;

    explicit Channel(std::uint32_t m) : shift(m ? std::countr_zero(m) : 0), bits(std::popcount(m)), mask(m) {}

    // The channel of pixel scaled to 0..255.
    std::uint32_t Read(std::uint32_t pixel) const
    {
        if (bits == 0)
            return 0;
        const std::uint32_t most = (1u << bits) - 1;
        const std::uint32_t value = (pixel & mask) >> shift;
        return bits == 8 ? value : (value * 255 + most / 2) / most;
    }
    // An 8-bit channel value in place.
    std::uint32_t Write(std::uint32_t value) const
    {
        if (bits == 0)
            return 0;
        const std::uint32_t most = (1u << bits) - 1;
        const std::uint32_t scaled = bits == 8 ? value : (value * most + 127) / 255;
        return (scaled << shift) & mask;
    }
};
} // namespace

int BytesPerPixel(const DDPIXELFORMAT& format)
{
    const DWORD bits = format.dwRGBBitCount; // the z depth shares the field
    if ((format.dwFlags & (DDPF_RGB | DDPF_ZBUFFER | DDPF_PALETTEINDEXED8)) == 0 || bits == 0)
        return 0;
    return static_cast<int>((bits + 7) / 8);
}

DDPIXELFORMAT DisplayFormat(int bits)
{
    DDPIXELFORMAT format{};
    format.dwSize = sizeof format;
    format.dwRGBBitCount = static_cast<DWORD>(bits);
    if (bits <= 8)
    {
        format.dwFlags = DDPF_PALETTEINDEXED8;
        return format;
    }
    format.dwFlags = DDPF_RGB;
    if (bits == 16)
    {
        const DisplayMachine& machine = GetDisplayMachine();
        format.dwRBitMask = machine.red16;
        format.dwGBitMask = machine.green16;
        format.dwBBitMask = machine.blue16;
    }
    else
    {
        format.dwRBitMask = 0xFF0000;
        format.dwGBitMask = 0xFF00;
        format.dwBBitMask = 0xFF;
    }
    return format;
}

bool SameFormat(const DDPIXELFORMAT& a, const DDPIXELFORMAT& b)
{
    return a.dwFlags == b.dwFlags && a.dwRGBBitCount == b.dwRGBBitCount && a.dwRBitMask == b.dwRBitMask &&
           a.dwGBitMask == b.dwGBitMask && a.dwBBitMask == b.dwBBitMask && a.dwRGBAlphaBitMask == b.dwRGBAlphaBitMask &&
           a.dwFourCC == b.dwFourCC;
}

std::uint32_t PackColor(std::uint32_t argb, const DDPIXELFORMAT& format)
{
    if (!(format.dwFlags & DDPF_RGB))
        return 0;
    std::uint32_t value = Channel(format.dwRBitMask).Write((argb >> 16) & 0xFF) |
                          Channel(format.dwGBitMask).Write((argb >> 8) & 0xFF) |
                          Channel(format.dwBBitMask).Write(argb & 0xFF);
    if (format.dwFlags & DDPF_ALPHAPIXELS)
        value |= Channel(format.dwRGBAlphaBitMask).Write(argb >> 24);
    return value;
}

ArgbConverter::ArgbConverter(const DDPIXELFORMAT& format) : mBytes(BytesPerPixel(format))
{
    if (!(format.dwFlags & DDPF_RGB) || mBytes == 0)
    {
        mBytes = 0;
        return;
    }
    mPlain32 = mBytes == 4 && format.dwRBitMask == 0xFF0000 && format.dwGBitMask == 0xFF00 && format.dwBBitMask == 0xFF;
    const std::uint32_t masks[3] = {format.dwRBitMask, format.dwGBitMask, format.dwBBitMask};
    for (int i = 0; i < 3; ++i)
    {
        const Channel channel(masks[i]);
        const std::uint32_t largest = masks[i] >> channel.shift;
        if (largest > 0xFFFF)
        {
            mBytes = 0; // no display has channels that wide
            return;
        }
        Lane& lane = mLanes[i];
        lane.shift = channel.shift;
        lane.mask = masks[i];
        lane.table.resize(std::size_t(largest) + 1);
        for (std::uint32_t value = 0; value <= largest; ++value)
            lane.table[value] = static_cast<std::uint8_t>(channel.Read(value << channel.shift));
        // Multipliers that divide every (value * 255 + most / 2) of the width exactly.
        constexpr int kMultipliers[7][2] = {{0, 0}, {0, 0}, {21817, 0}, {9363, 0}, {4362, 0}, {4229, 1}, {4161, 2}};
        if (channel.bits >= 2 && channel.bits <= 6 && channel.shift + channel.bits <= 16)
        {
            lane.most = int(largest);
            lane.multiplier = kMultipliers[channel.bits][0];
            lane.extraShift = kMultipliers[channel.bits][1];
        }
    }
    mSixteenBitBlocks = mBytes == 2 && mLanes[0].multiplier && mLanes[1].multiplier && mLanes[2].multiplier;
}

void ArgbConverter::SixteenBitBlocks(const std::uint8_t* row, int blocks, std::uint32_t* out) const
{
    // Each lane's constants, made once for the row.
    struct Constants
    {
        __m128i shift, most, half, multiplier, extraShift;
    } lanes[3];
    for (int i = 0; i < 3; ++i)
    {
        const Lane& lane = mLanes[i];
        lanes[i] = {_mm_cvtsi32_si128(lane.shift), _mm_set1_epi16(short(lane.most)),
                    _mm_set1_epi16(short(lane.most / 2)), _mm_set1_epi16(short(lane.multiplier)),
                    _mm_cvtsi32_si128(lane.extraShift)};
    }
    const __m128i scale = _mm_set1_epi16(255);
    const auto read = [&scale](const Constants& lane, __m128i p) {
        const __m128i value = _mm_and_si128(_mm_srl_epi16(p, lane.shift), lane.most);
        const __m128i scaled = _mm_add_epi16(_mm_mullo_epi16(value, scale), lane.half);
        return _mm_srl_epi16(_mm_mulhi_epu16(scaled, lane.multiplier), lane.extraShift);
    };
    const __m128i opaque = _mm_set1_epi16(short(0xFF00));
    for (int block = 0; block < blocks; ++block, row += 16, out += 8)
    {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row));
        // Blue and green in one 16-bit half of each pixel, red and alpha in the other.
        const __m128i greenBlue = _mm_or_si128(read(lanes[2], p), _mm_slli_epi16(read(lanes[1], p), 8));
        const __m128i alphaRed = _mm_or_si128(read(lanes[0], p), opaque);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi16(greenBlue, alphaRed));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4), _mm_unpackhi_epi16(greenBlue, alphaRed));
    }
}

void ArgbConverter::Row(const std::uint8_t* row, int width, std::uint32_t* out) const
{
    if (mPlain32)
    {
        // One pass, four pixels a step; the rows need not be aligned.
        const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
        int x = 0;
        for (; x + 4 <= width; x += 4)
        {
            const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 4 * x));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_or_si128(p, opaque));
        }
        for (; x < width; ++x)
        {
            std::uint32_t p;
            std::memcpy(&p, row + 4 * x, 4);
            out[x] = p | 0xFF000000u;
        }
        return;
    }
    if (mBytes == 0)
    {
        std::memset(out, 0, std::size_t(width) * 4);
        return;
    }
    const auto argb = [this](std::uint32_t p) -> std::uint32_t {
        const auto part = [p](const Lane& lane) { return std::uint32_t(lane.table[(p & lane.mask) >> lane.shift]); };
        return 0xFF000000u | part(mLanes[0]) << 16 | part(mLanes[1]) << 8 | part(mLanes[2]);
    };
    if (mBytes == 2)
    {
        int x = 0;
        if (mSixteenBitBlocks)
        {
            SixteenBitBlocks(row, width / 8, out);
            x = width & ~7;
        }
        for (; x < width; ++x)
        {
            std::uint16_t p;
            std::memcpy(&p, row + 2 * x, 2);
            out[x] = argb(p);
        }
        return;
    }
    for (int x = 0; x < width; ++x)
        out[x] = argb(ReadPixel(row + x * mBytes, mBytes));
}

void ArgbConverter::ColourRow(const std::uint8_t* row, int width, std::uint32_t* out) const
{
    if (mPlain32)
        std::memcpy(out, row, std::size_t(width) * 4);
    else
        Row(row, width, out);
}

std::uint32_t ReadPixel(const std::uint8_t* at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | at[i];
    return value;
}

void WritePixel(std::uint8_t* at, int bytes, std::uint32_t value)
{
    for (int i = 0; i < bytes; ++i, value >>= 8)
        at[i] = static_cast<std::uint8_t>(value);
}
} // namespace Compat
