// Unscaled blits: place the image, clip it, pick the mode once, run its row loop.
#include "Debug.h"
#include "Graphics/BlitLoops.h"
#include "Graphics/Image.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace Corvane::Graphics
{
namespace Internal
{
namespace
{
constexpr int kNothingDrawn = 1;

// Rectangles in 64 bits: positions far off the surface must not overflow on the way to the
// intersection, which always lies on the surface.
struct Box
{
    std::int64_t left, top, right, bottom;
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

Box ToBox(const Rect<int>& r)
{
    return {r.x, r.y, std::int64_t(r.x) + r.width, std::int64_t(r.y) + r.height};
}

Box Intersect(const Box& a, const Box& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

BlitMode ChooseMode(const Image& src, const BlitSurface& dst, const Box& visible, std::int64_t originX,
                    std::int64_t originY, bool tinted, bool blending)
{
    if (blending)
    {
        const BlitMode test = tinted ? kBlitTintedAlphaTest : kBlitAlphaTest;
        const BlitMode blend = tinted ? kBlitTintedAlphaBlend : kBlitAlphaBlend;
        return src.HasBinaryAlpha() ? test : blend;
    }
    if (tinted)
        return kBlitTintedCopy;
    const bool whole = originX == 0 && originY == 0 && src.GetWidth() == dst.width && src.GetHeight() == dst.height &&
                       visible.left == 0 && visible.top == 0 && visible.right == dst.width &&
                       visible.bottom == dst.height;
    return whole ? kBlitWholeCopy : kBlitCopy;
}
} // namespace

int BlitImageWith(const BlitLoopTable& loops, const Image& src, int x, int y, BlitSurface& dst, const DrawState& state)
{
    if ((state.flags & (kDrawMirrorX | kDrawMirrorY)) != 0)
    {
        // Only the stretched path mirrors; the same size keeps it a one-to-one copy.
        const Rect<int> size =
            state.HasSourceRect() ? state.sourceRect : Rect<int>(0, 0, src.GetWidth(), src.GetHeight());
        return BlitStretchedImage(src, {x, y, size.width, size.height}, dst, state);
    }

    // Tint bytes and opacity, each (int)(channel * 255) kept within 0..255.
    const PackedColor tint = state.tint.ToPacked();
    BlitColor color{int(tint >> 16) & 0xFF, int(tint >> 8) & 0xFF, int(tint) & 0xFF, int(tint >> 24)};
    if (color.opacity == 0 || !src.GetPixels() || !dst.pixels)
        return kNothingDrawn;

    const Box area = Intersect({0, 0, dst.width, dst.height}, ToBox(state.clip));
    std::int64_t originX = x;
    std::int64_t originY = y;
    Box placed{x, y, std::int64_t(x) + src.GetWidth(), std::int64_t(y) + src.GetHeight()};
    if (state.HasSourceRect())
    {
        // The source rectangle's corner lands on (x, y); only the part inside the image draws.
        originX -= state.sourceRect.x;
        originY -= state.sourceRect.y;
        const Box image{originX, originY, originX + src.GetWidth(), originY + src.GetHeight()};
        placed = Intersect({x, y, std::int64_t(x) + state.sourceRect.width, std::int64_t(y) + state.sourceRect.height},
                           image);
    }
    const Box visible = Intersect(placed, area);
    if (visible.IsEmpty())
        return kNothingDrawn;

    const bool tinted = color.red < 255 || color.green < 255 || color.blue < 255;
    const bool blending = src.HasAlpha() && (state.flags & kDrawBlend) != 0;
    const BlitMode mode = ChooseMode(src, dst, visible, originX, originY, tinted, blending);

    BlitRows rows;
    rows.src = src.GetPixels() + std::size_t(visible.top - originY) * src.GetWidth() + (visible.left - originX);
    rows.srcStride = src.GetWidth();
    rows.dst = dst.pixels + std::size_t(visible.top) * dst.width + visible.left;
    rows.dstStride = dst.width;
    rows.width = static_cast<int>(visible.right - visible.left);
    rows.height = static_cast<int>(visible.bottom - visible.top);
    (color.opacity == 255 ? loops.opaque : loops.translucent)[mode](rows, color);
    return 0;
}
} // namespace Internal

int BlitImage(const Image& src, int x, int y, BlitSurface& dst, const DrawState& state)
{
    static ProfileCounter counter("Graphics::BlitImage");
    ProfileScope scope(counter);
    return Internal::BlitImageWith(Internal::FastBlitLoops(), src, x, y, dst, state);
}
} // namespace Corvane::Graphics
