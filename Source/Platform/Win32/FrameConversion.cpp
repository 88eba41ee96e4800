#include "Platform/Win32/FrameConversion.h"

#include <cstring>

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

template <SixteenBitLayout L> void ConvertSixteen(const PackedColor* from, int width, std::uint8_t* to)
{
    for (int x = 0; x < width; ++x)
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
