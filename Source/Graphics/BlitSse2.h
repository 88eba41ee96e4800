// SSE2 building blocks of the fast blit loops: four pixels at a time, widened to 16-bit
// channels, with the same integer results as the per-pixel rules (BlitPixels.h).
#pragma once

#include "Graphics/BlitPixels.h"

#include <emmintrin.h>

namespace Corvane::Graphics::Internal::Sse2
{
// Four pixels as eight 16-bit channels per half: pixels 0 and 1 in lo, 2 and 3 in hi, each as
// blue, green, red, alpha.
struct Wide
{
    __m128i lo;
    __m128i hi;
};

inline __m128i Load(const PackedColor* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline void Store(PackedColor* p, __m128i v)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

inline Wide Unpack(__m128i p)
{
    const __m128i zero = _mm_setzero_si128();
    return {_mm_unpacklo_epi8(p, zero), _mm_unpackhi_epi8(p, zero)};
}

inline __m128i Pack(const Wide& w)
{
    return _mm_packus_epi16(w.lo, w.hi);
}

// Each pixel's weight (the low 16 bits of its 32-bit lane, the high ones clear) in all four of its
// channels.
inline Wide SpreadWeight(__m128i weight)
{
    const __m128i both = _mm_or_si128(weight, _mm_slli_epi32(weight, 16));
    return {_mm_unpacklo_epi32(both, both), _mm_unpackhi_epi32(both, both)};
}

// Where mask is set a, elsewhere b.
inline __m128i Select(__m128i mask, __m128i a, __m128i b)
{
    return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

// (c * t) >> 8 per channel, t = tint byte + 1 (256 on alpha keeps it).
inline __m128i Tint(__m128i c, __m128i t)
{
    return _mm_srli_epi16(_mm_mullo_epi16(c, t), 8);
}

// dc + (((c - dc) * f) >> 8) for f in 1..256 with one multiply: (c - dc) * 128 and f * 2 fit
// in signed 16 bits, and the high half of their product is the arithmetic shift by 16 of
// (c - dc) * f * 256.
inline __m128i Mix8(__m128i s, __m128i d, __m128i f)
{
    const __m128i difference = _mm_slli_epi16(_mm_sub_epi16(s, d), 7);
    return _mm_add_epi16(d, _mm_mulhi_epi16(difference, _mm_slli_epi16(f, 1)));
}

// dc + (((c - dc) * f) >> 16) for f in 1..65535. The signed high half of (c - dc) * f is that
// shift where f is below 32768; from there f reads as f - 65536, which takes (c - dc) off the high
// half, so it is added back.
inline __m128i Mix16(__m128i s, __m128i d, __m128i f)
{
    const __m128i difference = _mm_sub_epi16(s, d);
    const __m128i high = _mm_mulhi_epi16(difference, f);
    const __m128i back = _mm_and_si128(difference, _mm_srai_epi16(f, 15));
    return _mm_add_epi16(d, _mm_add_epi16(high, back));
}
} // namespace Corvane::Graphics::Internal::Sse2
