// Circles and ellipses of the image canvas, plotted from the quarter-circle point tables and
// mirrored into the four quarters. The colour is written as it is, never blended.
#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
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
    Painter(Image& target, const Rect<int>& bounds, const DrawState& state)
        : mPixels(target.GetPixels()), mStride(bounds.width), mColor(state.color.ToPacked())
    {
        const Rect<int> clip = Rect<int>::Intersect(state.clip, bounds);
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

private:
    PackedColor* mPixels;
    int mStride;
    PackedColor mColor;
    int mLeft = 0;
    int mTop = 0;
    int mRight = -1;
    int mBottom = -1;
};

bool TooFaint(const DrawState& state)
{
    return !(state.color.alpha >= 0.5f);
}
} // namespace

int cImageCanvas::DrawLineCircle(float cx, float cy, float radius, const DrawState& state)
{
    return DrawCircle(cx, cy, radius, state, false);
}

int cImageCanvas::DrawFilledCircle(float cx, float cy, float radius, const DrawState& state)
{
    return DrawCircle(cx, cy, radius, state, true);
}

int cImageCanvas::DrawLineEllipse(const Rect<float>& bounds, const DrawState& state)
{
    return DrawEllipse(bounds, state, false);
}

int cImageCanvas::DrawFilledEllipse(const Rect<float>& bounds, const DrawState& state)
{
    return DrawEllipse(bounds, state, true);
}

int cImageCanvas::DrawCircle(float x, float y, float radius, const DrawState& state, bool filled)
{
    if (TooFaint(state) || !mTarget.GetPixels())
        return 1;
    Painter painter(mTarget, mBounds, state);
    const int cx = TruncateCoordinate(x);
    const int cy = TruncateCoordinate(y);
    const int r = TruncateCoordinate(std::floor(radius + 0.5f));
    if (r < 0 || painter.Misses(cx - r, cy - r, cx + r, cy + r))
        return 1;
    if (radius == 0.5f)
    {
        painter.Plot(cx, cy);
        return Drawn(0);
    }
    if (r == 1)
        return FillRect(Rect<int>(cx - 1, cy - 1, 3, 3), state); // too small for the point table
    for (const Vector2<int>& p : GetQuarterCirclePointsI(radius))
    {
        if (filled)
            painter.SpanMirrored(cx, cy, p.x, p.y);
        else
            painter.PlotMirrored(cx, cy, p.x, p.y);
    }
    return Drawn(0);
}

int cImageCanvas::DrawEllipse(const Rect<float>& bounds, const DrawState& state, bool filled)
{
    if (std::fabs(bounds.width - bounds.height) < 0.5f)
        return DrawCircle(bounds.x + bounds.width / 2, bounds.y + bounds.width / 2, bounds.width / 2, state, filled);
    if (TooFaint(state) || !mTarget.GetPixels())
        return 1;
    Painter painter(mTarget, mBounds, state);
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
        if (filled)
            painter.SpanMirrored(cx, cy, point.x, point.y);
        else
            painter.PlotMirrored(cx, cy, point.x, point.y);
    }
    return Drawn(0);
}
} // namespace Corvane::Graphics
