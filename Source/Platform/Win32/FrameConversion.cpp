#include "Platform/Win32/FrameConversion.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Corvane
{
namespace
{
struct LayoutMasks
{
    std::uint32_t red, green, blue;
};

constexpr LayoutMasks kLayouts[] = {
    {0x7C00, 0x03E0, 0x001F},
    {0xFC00, 0x03E0, 0x001F},
    {0xF800, 0x07E0, 0x001F},
    {0xF800, 0x07C0, 0x003F},
};

#if defined(__SSE2__)
// How far each channel moves right (red, green, blue) in a layout; the masks say what it keeps.
constexpr int kShifts[][3] = {{9, 6, 3}, {8, 6, 3}, {8, 5, 3}, {8, 5, 2}};

// Four pixels in the layout, one in the low half of each 32-bit lane.
template <SixteenBitLayout L> __m128i SixteenBits(__m128i p)
{
    constexpr LayoutMasks masks = kLayouts[int(L)];
    constexpr const int* shifts = kShifts[int(L)];
    const __m128i red = _mm_and_si128(_mm_srli_epi32(p, shifts[0]), _mm_set1_epi32(int(masks.red)));
    const __m128i green = _mm_and_si128(_mm_srli_epi32(p, shifts[1]), _mm_set1_epi32(int(masks.green)));
    const __m128i blue = _mm_and_si128(_mm_srli_epi32(p, shifts[2]), _mm_set1_epi32(int(masks.blue)));
    return _mm_or_si128(red, _mm_or_si128(green, blue));
}
#endif

template <SixteenBitLayout L> void ConvertSixteen(const PackedColor* from, int width, std::uint8_t* to)
{
    int x = 0;
#if defined(__SSE2__)
    // Eight pixels a step. Packing to 16 bits saturates signed values, so they are moved into
    // the signed range first and back after.
    const __m128i bias = _mm_set1_epi32(0x8000);
    const __m128i back = _mm_set1_epi16(static_cast<short>(0x8000));
    for (; x + 8 <= width; x += 8)
    {
        const __m128i first = SixteenBits<L>(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x)));
        const __m128i second = SixteenBits<L>(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x + 4)));
        const __m128i packed = _mm_packs_epi32(_mm_sub_epi32(first, bias), _mm_sub_epi32(second, bias));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 2 * x), _mm_xor_si128(packed, back));
    }
#endif
    for (; x < width; ++x)
    {
        const std::uint16_t value = ToSixteenBits(from[x], L);
        std::memcpy(to + 2 * x, &value, 2);
    }
}
} // namespace

bool FindSixteenBitLayout(std::uint32_t red, std::uint32_t green, std::uint32_t blue, SixteenBitLayout& layout)
{
    for (int i = 0; i < 4; ++i)
    {
        if (kLayouts[i].red == red && kLayouts[i].green == green && kLayouts[i].blue == blue)
        {
            layout = static_cast<SixteenBitLayout>(i);
            return true;
        }
    }
    return false;
}

std::uint16_t ToSixteenBits(PackedColor p, SixteenBitLayout layout)
{
    switch (layout)
    {
    case SixteenBitLayout::Rgb555:
        return std::uint16_t(((p >> 9) & 0x7C00) | ((p >> 6) & 0x03E0) | ((p >> 3) & 0x001F));
    case SixteenBitLayout::Rgb655:
        return std::uint16_t(((p >> 8) & 0xFC00) | ((p >> 6) & 0x03E0) | ((p >> 3) & 0x001F));
    case SixteenBitLayout::Rgb565:
        return std::uint16_t(((p >> 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 3) & 0x001F));
    case SixteenBitLayout::Rgb556:
        return std::uint16_t(((p >> 8) & 0xF800) | ((p >> 5) & 0x07C0) | ((p >> 2) & 0x003F));
    }
    return 0;
}

void ConvertFrameRow(const PackedColor* from, int width, int bits, SixteenBitLayout layout, std::uint8_t* to)
{
    switch (bits)
    {
    case 32: std::memcpy(to, from, std::size_t(width) * 4); break;
    case 24:
        for (int x = 0; x < width; ++x)
        {
            to[3 * x] = static_cast<std::uint8_t>(from[x]);
            to[3 * x + 1] = static_cast<std::uint8_t>(from[x] >> 8);
            to[3 * x + 2] = static_cast<std::uint8_t>(from[x] >> 16);
        }
        break;
    case 16:
        // The layout is chosen once per row, not per pixel.
        switch (layout)
        {
        case SixteenBitLayout::Rgb555: ConvertSixteen<SixteenBitLayout::Rgb555>(from, width, to); break;
        case SixteenBitLayout::Rgb655: ConvertSixteen<SixteenBitLayout::Rgb655>(from, width, to); break;
        case SixteenBitLayout::Rgb565: ConvertSixteen<SixteenBitLayout::Rgb565>(from, width, to); break;
        case SixteenBitLayout::Rgb556: ConvertSixteen<SixteenBitLayout::Rgb556>(from, width, to); break;
        }
        break;
    default: break;
    }
}
} // namespace Corvane
