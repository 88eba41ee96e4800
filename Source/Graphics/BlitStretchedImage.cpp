// Scaled and mirrored blits, nearest neighbour. Each destination column and row maps to one
// source column and row; the maps are worked out once per blit, so the pixel loop only reads,
// tints and blends.
#include "Debug.h"
#include "Graphics/Blitter.h"
#include "Graphics/GraphicsMath.h"
#include "Graphics/Image.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Corvane::Graphics
{
namespace
{
constexpr PackedColor kWhite = 0xFFFFFFFFu;

// The source index for each of count destination positions starting `first` into a span of
// dstSize, scaled to srcSize from srcStart and mirrored when asked: ((i * srcSize) / dstSize) +
// srcStart, turned end for end within the source span. -1 where it falls outside 0..limit-1.
void MapAxis(std::vector<std::int64_t>& map, std::int64_t first, std::int64_t count, std::int64_t dstSize,
             std::int64_t srcStart, std::int64_t srcSize, bool mirror, std::int64_t limit)
{
    map.resize(std::size_t(count));
    for (std::int64_t i = 0; i < count; ++i)
    {
        std::int64_t u = ((first + i) * srcSize) / dstSize + srcStart;
        if (mirror)
            u = srcStart + srcSize - 1 - (u - srcStart);
        map[std::size_t(i)] = (u >= 0 && u < limit) ? u : -1;
    }
}

template <bool Tinted, bool Blending>
void StretchRows(const Image& src, const std::vector<std::int64_t>& columns, const std::vector<std::int64_t>& rows,
                 PackedColor* dst, int dstStride, PackedColor tint)
{
    const PackedColor* pixels = src.GetPixels();
    const std::size_t width = std::size_t(src.GetWidth());
    for (const std::int64_t v : rows)
    {
        const PackedColor* row = v >= 0 ? pixels + std::size_t(v) * width : nullptr;
        for (std::size_t i = 0; i < columns.size(); ++i)
        {
            PackedColor p = (row && columns[i] >= 0) ? row[columns[i]] : 0;
            if constexpr (Tinted)
                p = TintPixel(tint, p);
            if constexpr (Blending)
                p = BlendPixel(p, dst[i]);
            dst[i] = p;
        }
        dst += dstStride;
    }
}
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

    thread_local std::vector<std::int64_t> columns;
    thread_local std::vector<std::int64_t> rows;
    MapAxis(columns, left - dstRect.x, right - left, dstRect.width, source.x, source.width, mirrorX, src.GetWidth());
    MapAxis(rows, top - dstRect.y, bottom - top, dstRect.height, source.y, source.height, mirrorY, src.GetHeight());

    PackedColor* out = dst.pixels + std::size_t(top) * dst.width + left;
    const bool tinted = tint != kWhite;
    const bool blending = src.HasAlpha() && (state.flags & kDrawBlend) != 0;
    if (tinted)
    {
        if (blending)
            StretchRows<true, true>(src, columns, rows, out, dst.width, tint);
        else
            StretchRows<true, false>(src, columns, rows, out, dst.width, tint);
    }
    else if (blending)
        StretchRows<false, true>(src, columns, rows, out, dst.width, tint);
    else
        StretchRows<false, false>(src, columns, rows, out, dst.width, tint);
    return 0;
}
} // namespace Corvane::Graphics
