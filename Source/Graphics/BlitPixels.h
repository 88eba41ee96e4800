// The per-pixel rules of the blit modes, one function object per mode and variant: given the
// source pixel s and the destination pixel d, the new destination pixel (d itself where a pixel
// is skipped). Every write that is not a plain copy stores alpha 0xFF. The plain loops run them
// on every pixel; the SIMD loops on the pixels left over after their blocks of four.
#pragma once

#include "Graphics/BlitLoops.h"

namespace Corvane::Graphics::Internal
{
constexpr PackedColor kOpaqueAlpha = 0xFF000000u;

inline int Channel(PackedColor p, int shift)
{
    return static_cast<int>((p >> shift) & 0xFF);
}

// Each colour channel moved from d toward s by weight / 2^shift: dc + (((c - dc) * f) >> shift),
// the shift arithmetic (rounding toward minus infinity).
template <int Shift> inline PackedColor Mix(PackedColor s, PackedColor d, int weight)
{
    PackedColor out = kOpaqueAlpha;
    for (int shift = 0; shift < 24; shift += 8)
    {
        const int dc = Channel(d, shift);
        const int c = dc + (((Channel(s, shift) - dc) * weight) >> Shift);
        out |= static_cast<PackedColor>(c) << shift;
    }
    return out;
}

// The tint bytes applied to s's colour channels: (c * (t + 1)) >> 8; alpha 0xFF.
inline PackedColor Tint(PackedColor s, const BlitColor& color)
{
    return kOpaqueAlpha | static_cast<PackedColor>((Channel(s, 16) * (color.red + 1)) >> 8) << 16 |
           static_cast<PackedColor>((Channel(s, 8) * (color.green + 1)) >> 8) << 8 |
           static_cast<PackedColor>((Channel(s, 0) * (color.blue + 1)) >> 8);
}

inline int Alpha(PackedColor s)
{
    return static_cast<int>(s >> 24);
}

// Opaque variants (opacity 255).
struct CopyPixel
{
    BlitColor color;
    PackedColor operator()(PackedColor s, PackedColor) const { return s; }
};

struct AlphaTestPixel
{
    BlitColor color;
    PackedColor operator()(PackedColor s, PackedColor d) const { return Alpha(s) == 0 ? d : s; }
};

// Faint edges (alpha up to 15) are dropped and near-opaque ones (240 up) copied with their alpha.
struct AlphaBlendPixel
{
    BlitColor color;
    PackedColor operator()(PackedColor s, PackedColor d) const
    {
        const int a = Alpha(s);
        if (a <= 15)
            return d;
        if (a >= 240)
            return s;
        return Mix<8>(s, d, a + 1);
    }
};

struct TintedCopyPixel
{
    BlitColor color;
    PackedColor operator()(PackedColor s, PackedColor) const { return Tint(s, color); }
};

struct TintedAlphaTestPixel
{
    BlitColor color;
    PackedColor operator()(PackedColor s, PackedColor d) const { return Alpha(s) == 0 ? d : Tint(s, color); }
};

struct TintedAlphaBlendPixel
{
    BlitColor color;
    PackedColor operator()(PackedColor s, PackedColor d) const
    {
        const int a = Alpha(s);
        if (a == 0)
            return d;
        if (a == 255)
            return Tint(s, color);
        return Mix<8>(Tint(s, color), d, a + 1);
    }
};

// Translucent variants (opacity 1..254).
struct FadedCopyPixel
{
    BlitColor color;
    PackedColor operator()(PackedColor s, PackedColor d) const { return Mix<8>(s, d, color.opacity + 1); }
};

struct FadedAlphaTestPixel
{
    BlitColor color;
    PackedColor operator()(PackedColor s, PackedColor d) const
    {
        return Alpha(s) == 0 ? d : Mix<8>(s, d, color.opacity + 1);
    }
};

struct FadedAlphaBlendPixel
{
    BlitColor color;
    PackedColor operator()(PackedColor s, PackedColor d) const
    {
        const int a = Alpha(s);
        return a == 0 ? d : Mix<16>(s, d, (a + 1) * (color.opacity + 1));
    }
};

struct FadedTintedCopyPixel
{
    BlitColor color;
    PackedColor operator()(PackedColor s, PackedColor d) const { return Mix<8>(Tint(s, color), d, color.opacity + 1); }
};

struct FadedTintedAlphaTestPixel
{
    BlitColor color;
    PackedColor operator()(PackedColor s, PackedColor d) const
    {
        return Alpha(s) == 0 ? d : Mix<8>(Tint(s, color), d, color.opacity + 1);
    }
};

struct FadedTintedAlphaBlendPixel
{
    BlitColor color;
    PackedColor operator()(PackedColor s, PackedColor d) const
    {
        const int a = Alpha(s);
        return a == 0 ? d : Mix<16>(Tint(s, color), d, (a + 1) * (color.opacity + 1));
    }
};

// Runs rule over every pixel of the block, from pixel `from` of each row on.
template <typename Rule> inline void RunPixels(const BlitRows& rows, const Rule& rule, int from = 0)
{
    const PackedColor* src = rows.src;
    PackedColor* dst = rows.dst;
    for (int y = 0; y < rows.height; ++y, src += rows.srcStride, dst += rows.dstStride)
        for (int x = from; x < rows.width; ++x)
            dst[x] = rule(src[x], dst[x]);
}
} // namespace Corvane::Graphics::Internal
