// The stretch in integers. A line channel is p0 * (64 - w) + p1 * w (at most 16320). A target
// channel mixes two lines l0, l1 with weight v (1/128ths) as l0 + ((l1 - l0) * 256v + 2^14) >> 15,
// then (that + 32) >> 6. The AVX2 loops (pshufb, maddubs and mulhrs do exactly that), the SSE2
// loops (madd) and the plain ones give the same pixels; which run is chosen once per process.
#include "Platform/Compat/DirectDraw/PictureScaler.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
#define COMPAT_SCALER_VECTORS 1
#endif

namespace Compat
{
namespace
{
constexpr int kLineBits = 6;  // horizontal weights
constexpr int kMixBits = 7;   // vertical weights
constexpr int kLineShift = 6; // a line channel back to 8 bits
constexpr std::uint32_t kOpaque = 0xFF000000u;

enum class Loops
{
    Plain,
    Sse2,
    Avx2,
};

Loops BestLoops()
{
#if defined(COMPAT_SCALER_VECTORS)
    static const Loops best = __builtin_cpu_supports("avx2") ? Loops::Avx2 : Loops::Sse2;
    return best;
#else
    return Loops::Plain;
#endif
}

std::uint32_t PixelAt(const std::uint8_t* row, int x)
{
    std::uint32_t pixel;
    std::memcpy(&pixel, row + std::size_t(x) * 4, 4);
    return pixel;
}

void StretchPlain(const std::uint8_t* row, const PictureScaler::Taps& columns, int x, int right, std::uint16_t* line)
{
    for (; x < right; ++x)
    {
        const int weight = columns.weight[std::size_t(x)];
        const std::uint32_t p0 = PixelAt(row, columns.index[std::size_t(x)]);
        const std::uint32_t p1 = weight ? PixelAt(row, columns.index[std::size_t(x)] + 1) : 0;
        for (int c = 0; c < 4; ++c)
            line[std::size_t(x) * 4 + c] = static_cast<std::uint16_t>(
                ((p0 >> (8 * c)) & 0xFF) * ((1 << kLineBits) - weight) + ((p1 >> (8 * c)) & 0xFF) * weight);
    }
}

std::uint32_t MixPixel(const std::uint16_t* first, const std::uint16_t* second, int weight)
{
    std::uint32_t pixel = kOpaque;
    for (int c = 0; c < 3; ++c)
    {
        int value = first[c];
        if (weight)
            value += ((second[c] - value) * (weight << (15 - kMixBits)) + (1 << 14)) >> 15;
        pixel |= static_cast<std::uint32_t>((value + (1 << (kLineShift - 1))) >> kLineShift) << (8 * c);
    }
    return pixel;
}

void MixPlain(const std::uint16_t* first, const std::uint16_t* second, int weight, int x, int right,
              std::uint32_t* out)
{
    for (; x < right; ++x)
        out[x] = MixPixel(first + std::size_t(x) * 4, second + std::size_t(x) * 4, weight);
}

#if defined(COMPAT_SCALER_VECTORS)
// Two target columns at a time: each reads its two source pixels with one load (the second
// always exists), interleaves their channels and weighs them with madd.
int StretchSse2(const std::uint8_t* row, const PictureScaler::Taps& columns, int x, int right, std::uint16_t* line)
{
    const __m128i zero = _mm_setzero_si128();
    const auto column = [&](int at) {
        __m128i pair =
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + std::size_t(columns.index[std::size_t(at)]) * 4));
        pair = _mm_unpacklo_epi8(pair, zero);
        pair = _mm_unpacklo_epi16(pair, _mm_unpackhi_epi64(pair, pair));
        const int weight = columns.weight[std::size_t(at)];
        return _mm_madd_epi16(pair, _mm_set1_epi32(((1 << kLineBits) - weight) | weight << 16));
    };
    for (; x + 2 <= right; x += 2)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line + std::size_t(x) * 4),
                         _mm_packs_epi32(column(x), column(x + 1)));
    return x;
}

// Four target pixels at a time: l0 + ((l1 - l0) * 256v + 2^14) >> 15 through madd of
// (l1 - l0, 1) with (256v, 2^14).
int MixSse2(const std::uint16_t* first, const std::uint16_t* second, int weight, int x, int right, std::uint32_t* out)
{
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(kOpaque));
    const __m128i round = _mm_set1_epi16(1 << (kLineShift - 1));
    const __m128i one = _mm_set1_epi16(1);
    const __m128i weights = _mm_set1_epi32((weight << (15 - kMixBits)) | (1 << 14) << 16);
    const auto mix = [&](int at) {
        const __m128i l0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first + std::size_t(at) * 4));
        __m128i value = l0;
        if (weight)
        {
            const __m128i l1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(second + std::size_t(at) * 4));
            const __m128i difference = _mm_sub_epi16(l1, l0);
            const __m128i lo = _mm_srai_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(difference, one), weights), 15);
            const __m128i hi = _mm_srai_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(difference, one), weights), 15);
            value = _mm_add_epi16(l0, _mm_packs_epi32(lo, hi));
        }
        return _mm_srli_epi16(_mm_add_epi16(value, round), kLineShift);
    };
    for (; x + 4 <= right; x += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_or_si128(_mm_packus_epi16(mix(x), mix(x + 2)), opaque));
    return x;
}

// Four target columns at a time: 16 source bytes read at the first and at the third column's
// index, their channels paired by pshufb and weighed by maddubs.
__attribute__((target("avx2"))) int StretchAvx2(const std::uint8_t* row, const int* index,
                                                const std::uint8_t* shuffles, const std::int8_t* weights, int x,
                                                int right, std::uint16_t* line)
{
    for (; x + 4 <= right; x += 4)
    {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + std::size_t(index[x]) * 4));
        const __m128i third = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + std::size_t(index[x + 2]) * 4));
        const __m256i source = _mm256_inserti128_si256(_mm256_castsi128_si256(first), third, 1);
        const __m256i order = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(shuffles + std::size_t(x) * 8));
        const __m256i weight = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(weights + std::size_t(x) * 8));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(line + std::size_t(x) * 4),
                            _mm256_maddubs_epi16(_mm256_shuffle_epi8(source, order), weight));
    }
    return x;
}

// Four pixels' channels of the lines at pixel at, mixed and back to 8 bits (in 16-bit lanes).
__attribute__((target("avx2"))) inline __m256i MixFour(const std::uint16_t* first, const std::uint16_t* second,
                                                       __m256i factor, bool mixed, int at)
{
    const __m256i l0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(first + std::size_t(at) * 4));
    __m256i value = l0;
    if (mixed)
    {
        const __m256i l1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(second + std::size_t(at) * 4));
        value = _mm256_add_epi16(l0, _mm256_mulhrs_epi16(_mm256_sub_epi16(l1, l0), factor));
    }
    return _mm256_srli_epi16(_mm256_add_epi16(value, _mm256_set1_epi16(1 << (kLineShift - 1))), kLineShift);
}

__attribute__((target("avx2"))) int MixAvx2(const std::uint16_t* first, const std::uint16_t* second, int weight, int x,
                                            int right, std::uint32_t* out)
{
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(kOpaque));
    const __m256i factor = _mm256_set1_epi16(static_cast<short>(weight << (15 - kMixBits)));
    for (; x + 8 <= right; x += 8)
    {
        // packus works within each half: pixels 0, 1, 4, 5 | 2, 3, 6, 7 are put back in order.
        const __m256i packed = _mm256_packus_epi16(MixFour(first, second, factor, weight != 0, x),
                                                   MixFour(first, second, factor, weight != 0, x + 4));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x),
                            _mm256_or_si256(_mm256_permute4x64_epi64(packed, 0xD8), opaque));
    }
    return x;
}
#endif
} // namespace

PictureScaler::Taps::Taps(int source, int target, int bits, bool pairs)
{
    const int whole = 1 << bits;
    for (int t = 0; t < target; ++t)
    {
        // The source position under the target pixel's centre, in 1/65536ths, pixel centres at
        // whole numbers.
        const long long position = ((2LL * t + 1) * source << 16) / (2LL * target) - (1 << 15);
        int at = 0, weight = 0;
        if (position > 0)
        {
            // In steps of 1 / whole, rounded.
            const long long steps = (position + (1LL << (15 - bits))) >> (16 - bits);
            at = static_cast<int>(steps >> bits);
            weight = static_cast<int>(steps & (whole - 1));
        }
        if (at >= source - 1)
        {
            at = source - 1;
            weight = 0;
        }
        if (pairs && at == source - 1 && source > 1)
        {
            // The last pixel as the second of a pair, so that the vector loops' pairs stay inside
            // the row.
            at = source - 2;
            weight = whole;
        }
        index.push_back(at);
        this->weight.push_back(weight);
    }
}

PictureScaler::PictureScaler(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight)
    : mSourceWidth(std::max(sourceWidth, 1)), mSourceHeight(std::max(sourceHeight, 1)),
      mColumns(mSourceWidth, std::max(targetWidth, 1), kLineBits, true),
      mRows(mSourceHeight, std::max(targetHeight, 1), kMixBits, false)
{
    for (auto& line : mLines)
        line.resize(mColumns.index.size() * 4);
    // The vector loops read 16 bytes (4 pixels) at the first and third of each four columns: they
    // serve the columns whose reads stay inside the row and whose second column's pair lies
    // within those bytes (so a picture shrunk to less than half stays with the other loops).
    const int columns = TargetWidth();
    for (int x = 0; x + 4 <= columns; x += 4)
    {
        bool fits = true;
        for (int half = 0; half < 2; ++half)
        {
            const int first = mColumns.index[std::size_t(x + 2 * half)];
            const int step = mColumns.index[std::size_t(x + 2 * half + 1)] - first;
            fits = fits && first + 3 < mSourceWidth && step >= 0 && step <= 2;
            for (int c = 0; c < 2; ++c)
            {
                const int column = x + 2 * half + c;
                const int weight = mColumns.weight[std::size_t(column)];
                const int offset = 4 * (mColumns.index[std::size_t(column)] - first);
                for (int channel = 0; channel < 4; ++channel)
                {
                    mShuffles.push_back(static_cast<std::uint8_t>(std::clamp(offset + channel, 0, 15)));
                    mShuffles.push_back(static_cast<std::uint8_t>(std::clamp(offset + channel + 4, 0, 15)));
                    mByteWeights.push_back(static_cast<std::int8_t>((1 << kLineBits) - weight));
                    mByteWeights.push_back(static_cast<std::int8_t>(weight));
                }
            }
        }
        if (!fits)
            break;
        mShuffledEnd = x + 4;
    }
}

const std::uint16_t* PictureScaler::Line(const std::uint8_t* source, int sourcePitch, int y, int keep, int left,
                                         int right)
{
    for (int i = 0; i < 2; ++i)
        if (mLineRow[i] == y)
            return mLines[i].data();
    const int slot = mLineRow[0] == keep ? 1 : 0;
    mLineRow[slot] = y;
    const std::uint8_t* row = source + std::size_t(y) * std::size_t(sourcePitch);
    std::uint16_t* line = mLines[slot].data();
    int x = left;
#if defined(COMPAT_SCALER_VECTORS)
    const Loops loops = mPlain ? Loops::Plain : BestLoops();
    if (loops == Loops::Avx2 && mShuffledEnd > 0)
    {
        const int aligned = std::min((left + 3) & ~3, right);
        StretchPlain(row, mColumns, x, aligned, line);
        x = StretchAvx2(row, mColumns.index.data(), mShuffles.data(), mByteWeights.data(), aligned, std::min(right, mShuffledEnd),
                        line);
    }
    if (loops != Loops::Plain && mSourceWidth > 1)
        x = StretchSse2(row, mColumns, x, right, line);
#endif
    StretchPlain(row, mColumns, x, right, line);
    return line;
}

void PictureScaler::Scale(const std::uint8_t* source, int sourcePitch, std::uint8_t* target, int targetPitch,
                          const RECT& area)
{
    const int left = std::max<int>(area.left, 0), right = std::min<int>(area.right, TargetWidth());
    const int top = std::max<int>(area.top, 0), bottom = std::min<int>(area.bottom, TargetHeight());
    if (left >= right || top >= bottom)
        return;
    // Lines are kept only within one call: the source may have changed since the last.
    mLineRow[0] = mLineRow[1] = -1;
    for (int y = top; y < bottom; ++y)
    {
        const int at = mRows.index[std::size_t(y)], weight = mRows.weight[std::size_t(y)];
        const std::uint16_t* first = Line(source, sourcePitch, at, at + 1, left, right);
        const std::uint16_t* second = weight ? Line(source, sourcePitch, at + 1, at, left, right) : first;
        auto* out = reinterpret_cast<std::uint32_t*>(target + std::size_t(y) * std::size_t(targetPitch));
        int x = left;
#if defined(COMPAT_SCALER_VECTORS)
        const Loops loops = mPlain ? Loops::Plain : BestLoops();
        if (loops == Loops::Avx2)
            x = MixAvx2(first, second, weight, x, right, out);
        if (loops != Loops::Plain)
            x = MixSse2(first, second, weight, x, right, out);
#endif
        MixPlain(first, second, weight, x, right, out);
    }
}

RECT PictureScaler::TargetOf(const RECT& changed) const
{
    // Target pixel t reads its index, and the next one when its weight is not 0; indices grow
    // with t.
    const auto span = [](const Taps& taps, LONG first, LONG end, LONG& from, LONG& to) {
        std::size_t t = 0;
        const std::size_t count = taps.index.size();
        while (t < count && taps.index[t] + (taps.weight[t] ? 1 : 0) < first)
            ++t;
        from = static_cast<LONG>(t);
        while (t < count && taps.index[t] < end)
            ++t;
        to = static_cast<LONG>(t);
    };
    RECT area{};
    span(mColumns, changed.left, changed.right, area.left, area.right);
    span(mRows, changed.top, changed.bottom, area.top, area.bottom);
    if (area.left >= area.right || area.top >= area.bottom)
        area = {};
    return area;
}
} // namespace Compat
