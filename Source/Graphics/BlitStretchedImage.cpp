// Scaled and mirrored blits, nearest neighbour. Each destination column and row maps to one
// source column and row; the maps are worked out once per blit, so the pixel loops only read,
// tint and blend: one pixel at a time (the reference) or four at a time with SSE2.
#include "Debug.h"
#include "Graphics/BlitLoops.h"
#include "Graphics/Blitter.h"
#include "Graphics/GraphicsMath.h"
#include "Graphics/Image.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include "Graphics/BlitSse2.h"
#endif

namespace Corvane::Graphics
{
namespace
{
constexpr PackedColor kWhite = 0xFFFFFFFFu;

// The source index for each of count destination positions starting `first` into a span of
// dstSize, scaled to srcSize from srcStart and mirrored when asked: ((i * srcSize) / dstSize) +
// srcStart, turned end for end within the source span. -1 where it falls outside 0..limit-1.
void MapAxis(std::vector<int>& map, std::int64_t first, std::int64_t count, std::int64_t dstSize, std::int64_t srcStart,
             std::int64_t srcSize, bool mirror, std::int64_t limit)
{
    map.resize(std::size_t(count));
    for (std::int64_t i = 0; i < count; ++i)
    {
        std::int64_t u = ((first + i) * srcSize) / dstSize + srcStart;
        if (mirror)
            u = srcStart + srcSize - 1 - (u - srcStart);
        map[std::size_t(i)] = (u >= 0 && u < limit) ? int(u) : -1;
    }
}

// The mapped rows and columns of one blit and what it does to each pixel.
struct Stretch
{
    const Image& src;
    const std::vector<int>& columns;
    const std::vector<int>& rows;
    PackedColor* dst;
    int dstStride;
    PackedColor tint;
    bool tinted;
    bool blending;
    bool columnsInside; // no column falls outside the image
};

// One pixel at a time, straight from the rules: the reference the row loops below match.
template <bool Tinted, bool Blending> void PlainRows(const Stretch& s)
{
    const PackedColor* pixels = s.src.GetPixels();
    const std::size_t width = std::size_t(s.src.GetWidth());
    PackedColor* dst = s.dst;
    for (const int v : s.rows)
    {
        const PackedColor* row = v >= 0 ? pixels + std::size_t(v) * width : nullptr;
        for (std::size_t i = 0; i < s.columns.size(); ++i)
        {
            PackedColor p = (row && s.columns[i] >= 0) ? row[s.columns[i]] : 0;
            if constexpr (Tinted)
                p = TintPixel(s.tint, p);
            if constexpr (Blending)
                p = BlendPixel(p, dst[i]);
            dst[i] = p;
        }
        dst += s.dstStride;
    }
}

void RunPlain(const Stretch& s)
{
    if (s.tinted)
        s.blending ? PlainRows<true, true>(s) : PlainRows<true, false>(s);
    else
        s.blending ? PlainRows<false, true>(s) : PlainRows<false, false>(s);
}

#if defined(__SSE2__)
using namespace Internal::Sse2;

// Every byte of count pixels scaled by its tint byte, four pixels a step.
void TintRow(PackedColor* pixels, int count, PackedColor tint)
{
    const auto lane = [tint](int shift) { return short(((tint >> shift) & 0xFF) + 1); };
    const __m128i t = _mm_set_epi16(lane(24), lane(16), lane(8), lane(0), lane(24), lane(16), lane(8), lane(0));
    int i = 0;
    for (; i + 4 <= count; i += 4)
    {
        const Wide p = Unpack(Load(pixels + i));
        Store(pixels + i, Pack({Internal::Sse2::Tint(p.lo, t), Internal::Sse2::Tint(p.hi, t)}));
    }
    for (; i < count; ++i)
        pixels[i] = TintPixel(tint, pixels[i]);
}

// Each of count source pixels over its destination pixel, every byte weighed by the source's
// alpha + 1; clear pixels leave the destination and whole blocks of solid ones are copied.
void BlendRow(const PackedColor* src, PackedColor* dst, int count)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi32(1);
    int i = 0;
    for (; i + 4 <= count; i += 4)
    {
        const __m128i s = Load(src + i);
        const __m128i alpha = _mm_srli_epi32(s, 24);
        const __m128i clear = _mm_cmpeq_epi32(alpha, zero);
        if (_mm_movemask_epi8(clear) == 0xFFFF)
            continue;
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, _mm_set1_epi32(255))) == 0xFFFF)
        {
            Store(dst + i, s);
            continue;
        }
        const __m128i d = Load(dst + i);
        const Wide source = Unpack(s);
        const Wide dest = Unpack(d);
        const Wide weight = SpreadWeight(_mm_add_epi32(alpha, one));
        const Wide mixed = {Mix8(source.lo, dest.lo, weight.lo), Mix8(source.hi, dest.hi, weight.hi)};
        Store(dst + i, Select(clear, d, Pack(mixed)));
    }
    for (; i < count; ++i)
        dst[i] = BlendPixel(src[i], dst[i]);
}

// Row by row: the mapped source pixels are gathered and tinted once per source row, so a row that
// the scale repeats costs only a copy (written straight) or a blend (gathered aside first).
void RunFast(const Stretch& s)
{
    thread_local std::vector<PackedColor> gathered;
    const std::size_t count = s.columns.size();
    if (s.blending)
        gathered.resize(count);
    const PackedColor* pixels = s.src.GetPixels();
    const std::size_t width = std::size_t(s.src.GetWidth());
    PackedColor* dst = s.dst;
    const PackedColor* previousRow = nullptr; // the row last gathered into
    int previous = -2;
    for (const int v : s.rows)
    {
        PackedColor* into = s.blending ? gathered.data() : dst;
        if (v != previous || !previousRow)
        {
            const PackedColor* row = v >= 0 ? pixels + std::size_t(v) * width : nullptr;
            if (!row)
                std::fill(into, into + count, PackedColor(0));
            else if (s.columnsInside)
                for (std::size_t i = 0; i < count; ++i)
                    into[i] = row[s.columns[i]];
            else
                for (std::size_t i = 0; i < count; ++i)
                    into[i] = s.columns[i] >= 0 ? row[s.columns[i]] : 0;
            if (s.tinted)
                TintRow(into, int(count), s.tint);
            previous = v;
            previousRow = into;
        }
        else if (!s.blending)
            std::memcpy(dst, previousRow, count * sizeof(PackedColor));
        if (s.blending)
            BlendRow(gathered.data(), dst, int(count));
        else
            previousRow = dst;
        dst += s.dstStride;
    }
}
#else
void RunFast(const Stretch& s)
{
    RunPlain(s);
}
#endif
} // namespace

PackedColor TintPixel(PackedColor tint, PackedColor p)
{
    if (tint == kWhite)
        return p;
    if (tint == 0)
        return 0;
    PackedColor out = 0;
    for (int shift = 0; shift < 32; shift += 8)
        out |= ((((tint >> shift) & 0xFF) + 1) * ((p >> shift) & 0xFF) >> 8) << shift;
    return out;
}

int BlitStretchedImage(const Image& src, const Rect<int>& dstRect, BlitSurface& dst, const DrawState& state)
{
    return Internal::BlitStretchedImageWith(true, src, dstRect, dst, state);
}

int Internal::BlitStretchedImageWith(bool simd, const Image& src, const Rect<int>& dstRect, BlitSurface& dst,
                                     const DrawState& state)
{
    static ProfileCounter counter("Graphics::BlitStretchedImage");
    ProfileScope scope(counter);

    const Rect<int> source =
        state.HasSourceRect() ? state.sourceRect : Rect<int>(0, 0, src.GetWidth(), src.GetHeight());
    const bool mirrorX = (state.flags & kDrawMirrorX) != 0;
    const bool mirrorY = (state.flags & kDrawMirrorY) != 0;
    if (!mirrorX && !mirrorY && dstRect.width == source.width && dstRect.height == source.height)
        return BlitImage(src, dstRect.x, dstRect.y, dst, state);
    if (!src.GetPixels() || !dst.pixels)
        return 1;

    const std::int64_t left = std::max<std::int64_t>({dstRect.x, 0, state.clip.x});
    const std::int64_t top = std::max<std::int64_t>({dstRect.y, 0, state.clip.y});
    const std::int64_t right = std::min<std::int64_t>(
        {std::int64_t(dstRect.x) + dstRect.width, dst.width, std::int64_t(state.clip.x) + state.clip.width});
    const std::int64_t bottom = std::min<std::int64_t>(
        {std::int64_t(dstRect.y) + dstRect.height, dst.height, std::int64_t(state.clip.y) + state.clip.height});
    const PackedColor tint = state.tint.ToPacked();
    if (tint == 0 || right <= left || bottom <= top)
        return 1;

    thread_local std::vector<int> columns;
    thread_local std::vector<int> rows;
    MapAxis(columns, left - dstRect.x, right - left, dstRect.width, source.x, source.width, mirrorX, src.GetWidth());
    MapAxis(rows, top - dstRect.y, bottom - top, dstRect.height, source.y, source.height, mirrorY, src.GetHeight());

    const Stretch stretch{src,
                          columns,
                          rows,
                          dst.pixels + std::size_t(top) * dst.width + left,
                          dst.width,
                          tint,
                          tint != kWhite,
                          src.HasAlpha() && (state.flags & kDrawBlend) != 0,
                          std::find(columns.begin(), columns.end(), -1) == columns.end()};
    simd ? RunFast(stretch) : RunPlain(stretch);
    return 0;
}
} // namespace Corvane::Graphics
