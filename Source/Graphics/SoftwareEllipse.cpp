#include "Graphics/SoftwareEllipse.h"

#include "Graphics/QuarterCircleCache.h"
#include "Graphics/SoftwareLine.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace Corvane::Graphics
{
namespace
{
// Writes pixels of one colour inside the clip [left, right] x [top, bottom] (inclusive).
class Painter
{
public:
    Painter(BlitSurface& surface, const DrawState& state)
        : mPixels(surface.pixels), mStride(surface.width), mColor(state.color.ToPacked())
    {
        const Rect<int> clip = Rect<int>::Intersect(state.clip, Rect<int>(0, 0, surface.width, surface.height));
        mLeft = clip.x;
        mTop = clip.y;
        mRight = clip.x + clip.width - 1;
        mBottom = clip.y + clip.height - 1;
    }

    // The box x..x2, y..y2 lies wholly outside the clip.
    bool Misses(int x, int y, int x2, int y2) const { return x2 < mLeft || y2 < mTop || x > mRight || y > mBottom; }
    bool Contains(int x, int y) const { return x >= mLeft && x <= mRight && y >= mTop && y <= mBottom; }

    void Plot(int x, int y)
    {
        if (Contains(x, y))
            mPixels[std::size_t(y) * mStride + x] = mColor;
    }

    // The four mirror images of a quarter-circle point about (cx, cy).
    void PlotMirrored(int cx, int cy, int px, int py)
    {
        Plot(cx + px, cy + py);
        Plot(cx - px, cy + py);
        Plot(cx - px, cy - py);
        Plot(cx + px, cy - py);
    }

    // The rows cy + py and cy - py from cx - px to cx + px.
    void SpanMirrored(int cx, int cy, int px, int py)
    {
        const int from = std::max(cx - px, mLeft);
        const int to = std::min(cx + px, mRight);
        if (from > to)
            return;
        for (const int y : {cy + py, cy - py})
            if (y >= mTop && y <= mBottom)
                std::fill_n(mPixels + std::size_t(y) * mStride + from, to - from + 1, mColor);
    }

    void Mirror(int cx, int cy, int px, int py, bool filled)
    {
        if (filled)
            SpanMirrored(cx, cy, px, py);
        else
            PlotMirrored(cx, cy, px, py);
    }

private:
    PackedColor* mPixels;
    int mStride;
    PackedColor mColor;
    int mLeft = 0;
    int mTop = 0;
    int mRight = -1;
    int mBottom = -1;
};

bool TooFaint(const BlitSurface& surface, const DrawState& state)
{
    return !(state.color.alpha >= 0.5f) || !surface.pixels;
}
} // namespace

int PlotSoftwareCircle(BlitSurface& surface, float x, float y, float radius, const DrawState& state, bool filled,
                       const SmallCircleRules& rules)
{
    if (TooFaint(surface, state))
        return 1;
    Painter painter(surface, state);
    const int cx = TruncateCoordinate(x);
    const int cy = TruncateCoordinate(y);
    const int r = TruncateCoordinate(std::floor(radius + 0.5f));
    if (r < 0 || (r == 0 && !rules.zeroRadiusAnswersDrawn) || painter.Misses(cx - r, cy - r, cx + r, cy + r))
        return 1;
    if (radius == 0.5f)
    {
        painter.Plot(cx, cy);
        return 0;
    }
    if (r == 1 && rules.unitCircle)
        return rules.unitCircle(cx, cy);
    for (const Vector2<int>& p : GetQuarterCirclePointsI(radius))
        painter.Mirror(cx, cy, p.x, p.y, filled);
    return 0;
}

int PlotSoftwareEllipse(BlitSurface& surface, const Rect<float>& bounds, const DrawState& state, bool filled,
                        const SmallCircleRules& rules)
{
    if (std::fabs(bounds.width - bounds.height) < 0.5f)
        return PlotSoftwareCircle(surface, bounds.x + bounds.width / 2, bounds.y + bounds.width / 2, bounds.width / 2,
                                  state, filled, rules);
    if (TooFaint(surface, state))
        return 1;
    Painter painter(surface, state);
    const int x = TruncateCoordinate(bounds.x);
    const int y = TruncateCoordinate(bounds.y);
    if (painter.Misses(x, y, x + TruncateCoordinate(bounds.width), y + TruncateCoordinate(bounds.height)))
        return 1;
    const int cx = TruncateCoordinate(bounds.x + bounds.width * 0.5f);
    const int cy = TruncateCoordinate(bounds.y + bounds.height * 0.5f);

    // The circle of the longer axis, squeezed along the shorter one.
    const bool wide = bounds.width > bounds.height;
    Vector2<int> previous;
    for (const Vector2<int>& p : GetQuarterCirclePointsI((wide ? bounds.width : bounds.height) * 0.5f))
    {
        const Vector2<int> point = wide ? Vector2<int>(p.x, TruncateCoordinate(p.y * bounds.height / bounds.width))
                                        : Vector2<int>(TruncateCoordinate(p.x * bounds.width / bounds.height), p.y);
        if (point == previous)
            continue;
        previous = point;
        painter.Mirror(cx, cy, point.x, point.y, filled);
    }
    return 0;
}
} // namespace Corvane::Graphics
