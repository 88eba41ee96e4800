#include "BlitReference.h"

#include "Graphics/GraphicsMath.h"

#include <algorithm>
#include <cstdint>

namespace Corvane::Testing
{
using namespace Corvane::Graphics;

namespace
{
int Byte(float c)
{
    return std::clamp(static_cast<int>(c * 255.0f), 0, 255);
}

int Ch(PackedColor p, int i)
{
    return static_cast<int>((p >> (8 * i)) & 0xFF);
}

// Every colour channel blended: dc + (((c - dc) * f) >> shift); alpha 0xFF.
PackedColor Blend(const int c[3], PackedColor d, std::int64_t f, int shift)
{
    PackedColor out = 0xFF000000u;
    for (int i = 0; i < 3; ++i)
    {
        const std::int64_t dc = Ch(d, i);
        const std::int64_t v = dc + (((c[i] - dc) * f) >> shift);
        out |= static_cast<PackedColor>(v) << (8 * i);
    }
    return out;
}

PackedColor Write(const int c[3])
{
    return 0xFF000000u | static_cast<PackedColor>(c[2]) << 16 | static_cast<PackedColor>(c[1]) << 8 |
           static_cast<PackedColor>(c[0]);
}

PackedColor Pixel(int mode, bool opaque, int o, const int tint[3], PackedColor s, PackedColor d)
{
    const int a = Ch(s, 3);
    int c[3];
    for (int i = 0; i < 3; ++i)
        c[i] = mode >= 4 ? (Ch(s, i) * (tint[i] + 1)) >> 8 : Ch(s, i);
    if (opaque)
    {
        switch (mode)
        {
        case 0:
        case 1: return s;
        case 2: return a == 0 ? d : s;
        case 3: return a <= 15 ? d : a >= 240 ? s : Blend(c, d, a + 1, 8);
        case 4: return Write(c);
        case 5: return a == 0 ? d : Write(c);
        default: return a == 0 ? d : a == 255 ? Write(c) : Blend(c, d, a + 1, 8);
        }
    }
    switch (mode)
    {
    case 0:
    case 1:
    case 4: return Blend(c, d, o + 1, 8);
    case 2:
    case 5: return a == 0 ? d : Blend(c, d, o + 1, 8);
    default: return a == 0 ? d : Blend(c, d, std::int64_t(a + 1) * (o + 1), 16);
    }
}
} // namespace

int ReferenceBlitImage(const Image& src, int x, int y, BlitSurface& dst, const DrawState& state)
{
    if (state.flags & (kDrawMirrorX | kDrawMirrorY))
    {
        const Rect<int> size =
            (state.flags & kDrawSourceRect) ? state.sourceRect : Rect<int>(0, 0, src.GetWidth(), src.GetHeight());
        return ReferenceBlitStretchedImage(src, {x, y, size.width, size.height}, dst, state);
    }
    const int o = Byte(state.tint.alpha);
    if (o == 0 || src.GetWidth() == 0 || src.GetHeight() == 0)
        return 1;
    const int tint[3] = {Byte(state.tint.blue), Byte(state.tint.green), Byte(state.tint.red)};

    const Rect<int> surface(0, 0, dst.width, dst.height);
    const Rect<int> area = state.clip.ContainsRect(surface) ? surface : Rect<int>::Intersect(surface, state.clip);
    int originX = x;
    int originY = y;
    Rect<int> placed(x, y, src.GetWidth(), src.GetHeight());
    if (state.flags & kDrawSourceRect)
    {
        originX = x - state.sourceRect.x;
        originY = y - state.sourceRect.y;
        placed = Rect<int>::Intersect({x, y, state.sourceRect.width, state.sourceRect.height},
                                      {originX, originY, src.GetWidth(), src.GetHeight()});
    }
    const Rect<int> visible = Rect<int>::Intersect(placed, area);
    if (visible.width <= 0 || visible.height <= 0)
        return 1;

    const bool tinted = tint[0] < 255 || tint[1] < 255 || tint[2] < 255;
    const bool blending = src.HasAlpha() && (state.flags & kDrawBlend);
    int mode;
    if (!tinted && !blending)
        mode = (visible == surface && originX == 0 && originY == 0 && src.GetWidth() == dst.width &&
                src.GetHeight() == dst.height)
                   ? 0
                   : 1;
    else if (!tinted)
        mode = src.HasBinaryAlpha() ? 2 : 3;
    else if (!blending)
        mode = 4;
    else
        mode = src.HasBinaryAlpha() ? 5 : 6;

    for (int py = visible.y; py < visible.y + visible.height; ++py)
        for (int px = visible.x; px < visible.x + visible.width; ++px)
        {
            PackedColor& d = dst.pixels[py * dst.width + px];
            d = Pixel(mode, o == 255, o, tint, src.GetPixel(px - originX, py - originY), d);
        }
    return 0;
}

int ReferenceBlitStretchedImage(const Image& src, const Rect<int>& dstRect, BlitSurface& dst, const DrawState& state)
{
    const Rect<int> source =
        (state.flags & kDrawSourceRect) ? state.sourceRect : Rect<int>(0, 0, src.GetWidth(), src.GetHeight());
    const unsigned m = (state.flags >> 2) & 3;
    if (m == 0 && dstRect.width == source.width && dstRect.height == source.height)
        return ReferenceBlitImage(src, dstRect.x, dstRect.y, dst, state);
    if (src.GetWidth() == 0 || src.GetHeight() == 0)
        return 1;
    const Rect<int> area =
        Rect<int>::Intersect(Rect<int>::Intersect(dstRect, {0, 0, dst.width, dst.height}), state.clip);
    const PackedColor t = state.tint.ToPacked();
    if (t == 0 || area.IsEmpty())
        return 1;
    const bool blending = src.HasAlpha() && (state.flags & kDrawBlend);
    for (int py = area.y; py < area.y + area.height; ++py)
        for (int px = area.x; px < area.x + area.width; ++px)
        {
            int u = static_cast<int>((std::int64_t(px - dstRect.x) * source.width) / dstRect.width) + source.x;
            int v = static_cast<int>((std::int64_t(py - dstRect.y) * source.height) / dstRect.height) + source.y;
            if (m & 1)
                u = source.x + source.width - 1 - (u - source.x);
            if (m & 2)
                v = source.y + source.height - 1 - (v - source.y);
            PackedColor p = src.GetPixel(u, v);
            if (t != 0xFFFFFFFFu)
            {
                PackedColor tinted = 0;
                for (int i = 0; i < 4; ++i)
                    tinted |= static_cast<PackedColor>(((Ch(t, i) + 1) * Ch(p, i)) >> 8) << (8 * i);
                p = tinted;
            }
            PackedColor& d = dst.pixels[py * dst.width + px];
            d = blending ? BlendPixel(p, d) : p;
        }
    return 0;
}
} // namespace Corvane::Testing
