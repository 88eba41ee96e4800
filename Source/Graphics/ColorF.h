// Colours: ColorF holds {red, green, blue, alpha} as floats from 0 to 1; pixels hold packed
// 0xAARRGGBB words.
#pragma once

#include <cstdint>
#include <string>

namespace Corvane
{
using PackedColor = std::uint32_t;

struct ColorF
{
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float alpha = 0.0f;

    constexpr ColorF() = default;
    constexpr ColorF(float r, float g, float b, float a) : red(r), green(g), blue(b), alpha(a) {}

    // Each channel (int)(c * 255), truncated and kept within 0..255 so one channel cannot spill
    // into the next.
    PackedColor ToPacked() const;
    static ColorF FromPacked(PackedColor packed);
    // Opaque black, made once.
    static const ColorF& OpaqueBlack();
    static const ColorF& OpaqueWhite();

    constexpr bool operator==(const ColorF& o) const = default;
};

// Channel by channel product: a colour tinted by another.
constexpr ColorF Modulate(const ColorF& a, const ColorF& b)
{
    return {a.red * b.red, a.green * b.green, a.blue * b.blue, a.alpha * b.alpha};
}

// "#RRGGBBAA" or "#RRGGBB" (alpha 1); anything else is opaque black. Letters beyond f count as
// digits 16..35, as the data files have always been read.
ColorF ParseColor(const std::wstring& text);
} // namespace Corvane
