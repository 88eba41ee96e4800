// The fast loops: blocks of four pixels with SSE2, the rest of each row by the per-pixel rules.
// One kernel template serves every mode; its parameters say how a mode tints, weighs and skips.
#include "Graphics/BlitCopy.h"
#include "Graphics/BlitPixels.h"

#if defined(__SSE2__)
#include "Graphics/BlitSse2.h"
#endif

namespace Corvane::Graphics::Internal
{
#if defined(__SSE2__)
namespace
{
using namespace Sse2;

enum class Weight
{
    None,         // no blend: the (tinted) source is written
    Opacity,      // blend with f = opacity + 1
    Alpha,        // blend with f = alpha + 1
    AlphaOpacity, // blend with f = (alpha + 1) * (opacity + 1), shift 16
};

enum class Skip
{
    Never,
    Transparent,   // alpha 0 leaves the destination
    FaintAndSolid, // alpha up to 15 leaves it, alpha from 240 copies the source unchanged
};

template <bool Tinted, Weight W, Skip S, typename Rule> class Kernel
{
public:
    explicit Kernel(const BlitColor& color)
        : mRule{color}, mTint(_mm_set_epi16(256, color.red + 1, color.green + 1, color.blue + 1, 256, color.red + 1,
                                            color.green + 1, color.blue + 1)),
          mOpacity(_mm_set1_epi16(static_cast<short>(color.opacity + 1))),
          mLaneOpacity(_mm_set1_epi32(color.opacity + 1))
    {
    }

    PackedColor Pixel(PackedColor s, PackedColor d) const { return mRule(s, d); }

    void Quad(const PackedColor* sp, PackedColor* dp) const
    {
        const __m128i s = Load(sp);
        const __m128i alpha = _mm_srli_epi32(s, 24);
        __m128i keep = _mm_setzero_si128();
        __m128i solid = _mm_setzero_si128();
        int kept = 0;
        if constexpr (S != Skip::Never)
        {
            if constexpr (S == Skip::Transparent)
                keep = _mm_cmpeq_epi32(alpha, _mm_setzero_si128());
            else
            {
                keep = _mm_cmplt_epi32(alpha, _mm_set1_epi32(16));
                solid = _mm_cmpgt_epi32(alpha, _mm_set1_epi32(239));
                // Sprite interiors are solid: the whole block is a copy.
                if (_mm_movemask_epi8(solid) == 0xFFFF)
                {
                    Store(dp, s);
                    return;
                }
            }
            kept = _mm_movemask_epi8(keep);
            // Sprite surroundings are clear: nothing to do.
            if (kept == 0xFFFF)
                return;
        }
        const __m128i d = Load(dp);
        __m128i value = Blend(s, alpha, d);
        if constexpr (S == Skip::FaintAndSolid)
            value = Select(solid, s, value);
        if constexpr (S != Skip::Never)
            if (kept != 0)
                value = Select(keep, d, value);
        Store(dp, value);
    }

private:
    __m128i Blend(__m128i s, __m128i alpha, __m128i d) const
    {
        if constexpr (W == Weight::None && !Tinted)
            return s;
        Wide c = Unpack(s);
        if constexpr (Tinted)
            c = {Tint(c.lo, mTint), Tint(c.hi, mTint)};
        if constexpr (W != Weight::None)
        {
            const Wide dest = Unpack(d);
            if constexpr (W == Weight::Opacity)
                c = {Mix8(c.lo, dest.lo, mOpacity), Mix8(c.hi, dest.hi, mOpacity)};
            else
            {
                // The weight of each pixel worked out once in its 32-bit lane, then spread.
                __m128i weight = _mm_add_epi32(alpha, _mm_set1_epi32(1));
                if constexpr (W == Weight::AlphaOpacity)
                    weight = _mm_mullo_epi16(weight, mLaneOpacity); // (alpha + 1) * (opacity + 1) < 65536
                const Wide f = SpreadWeight(weight);
                if constexpr (W == Weight::Alpha)
                    c = {Mix8(c.lo, dest.lo, f.lo), Mix8(c.hi, dest.hi, f.hi)};
                else
                    c = {Mix16(c.lo, dest.lo, f.lo), Mix16(c.hi, dest.hi, f.hi)};
            }
        }
        return _mm_or_si128(Pack(c), _mm_set1_epi32(static_cast<int>(kOpaqueAlpha)));
    }

    Rule mRule;
    __m128i mTint;
    __m128i mOpacity;
    __m128i mLaneOpacity; // opacity + 1 in the low half of each 32-bit lane
};

template <bool Tinted, Weight W, Skip S, typename Rule> void Fast(const BlitRows& rows, const BlitColor& color)
{
    const Kernel<Tinted, W, S, Rule> kernel(color);
    const PackedColor* src = rows.src;
    PackedColor* dst = rows.dst;
    const int quads = rows.width & ~3;
    for (int y = 0; y < rows.height; ++y, src += rows.srcStride, dst += rows.dstStride)
    {
        for (int x = 0; x < quads; x += 4)
            kernel.Quad(src + x, dst + x);
        for (int x = quads; x < rows.width; ++x)
            dst[x] = kernel.Pixel(src[x], dst[x]);
    }
}
} // namespace

const BlitLoopTable& FastBlitLoops()
{
    static const BlitLoopTable table = {
        {
            CopyWhole,
            CopyRows,
            Fast<false, Weight::None, Skip::Transparent, AlphaTestPixel>,
            Fast<false, Weight::Alpha, Skip::FaintAndSolid, AlphaBlendPixel>,
            Fast<true, Weight::None, Skip::Never, TintedCopyPixel>,
            Fast<true, Weight::None, Skip::Transparent, TintedAlphaTestPixel>,
            // Alpha 255 weighs 256, which yields the tinted pixel exactly: no case of its own.
            Fast<true, Weight::Alpha, Skip::Transparent, TintedAlphaBlendPixel>,
        },
        {
            Fast<false, Weight::Opacity, Skip::Never, FadedCopyPixel>,
            Fast<false, Weight::Opacity, Skip::Never, FadedCopyPixel>,
            Fast<false, Weight::Opacity, Skip::Transparent, FadedAlphaTestPixel>,
            Fast<false, Weight::AlphaOpacity, Skip::Transparent, FadedAlphaBlendPixel>,
            Fast<true, Weight::Opacity, Skip::Never, FadedTintedCopyPixel>,
            Fast<true, Weight::Opacity, Skip::Transparent, FadedTintedAlphaTestPixel>,
            Fast<true, Weight::AlphaOpacity, Skip::Transparent, FadedTintedAlphaBlendPixel>,
        },
    };
    return table;
}
#else
const BlitLoopTable& FastBlitLoops()
{
    return PlainBlitLoops();
}
#endif
} // namespace Corvane::Graphics::Internal
