#include "Graphics/SoftwareLine.h"

#include "Graphics/GraphicsMath.h"

#include <algorithm>
#include <cstdlib>

namespace Corvane::Graphics
{
namespace
{
float Clamp(float v, float limit)
{
    if (!(v == v))
        return 0.0f; // NaN
    return std::clamp(v, -limit, limit);
}

class Plotter
{
public:
    Plotter(IPixelSettingCanvas& canvas, const Rect<int>& clip, const DrawState& state)
        : mCanvas(canvas), mClip(clip), mColor(state.color.ToPacked()), mBlend((state.flags & kDrawBlend) != 0)
    {
    }

    void operator()(int x, int y)
    {
        if (!mClip.Contains(x, y))
            return;
        const float fx = static_cast<float>(x);
        const float fy = static_cast<float>(y);
        mCanvas.SetPixel(fx, fy, mBlend ? BlendPixel(mColor, mCanvas.GetPixel(fx, fy)) : mColor);
    }

private:
    IPixelSettingCanvas& mCanvas;
    Rect<int> mClip;
    PackedColor mColor;
    bool mBlend;
};
} // namespace

int RoundCoordinate(float v)
{
    return static_cast<int>(Clamp(v, 16777216.0f) + 0.5f);
}

int TruncateCoordinate(float v)
{
    return static_cast<int>(Clamp(v, 536870912.0f));
}

int DrawSoftwareLine(IPixelSettingCanvas& canvas, const Rect<int>& bounds, float x1f, float y1f, float x2f, float y2f,
                     const DrawState& state)
{
    Plotter plot(canvas, Rect<int>::Intersect(state.clip, bounds), state);
    int x = RoundCoordinate(x1f);
    int y = RoundCoordinate(y1f);
    const int x2 = RoundCoordinate(x2f);
    const int y2 = RoundCoordinate(y2f);
    const int sx = x2 >= x ? 1 : -1;
    const int sy = y2 >= y ? 1 : -1;
    const int adx = std::abs(x2 - x);
    const int ady = std::abs(y2 - y);
    // Step along the longer axis; the shorter one follows when the error reaches the longer distance.
    const bool alongX = adx >= ady;
    int& major = alongX ? x : y;
    int& minor = alongX ? y : x;
    const int majorEnd = alongX ? x2 : y2;
    const int majorStep = alongX ? sx : sy;
    const int minorStep = alongX ? sy : sx;
    const int majorDistance = alongX ? adx : ady;
    const int minorDistance = alongX ? ady : adx;
    int err = 0;
    for (; major != majorEnd; major += majorStep)
    {
        plot(x, y);
        err += 2 * minorDistance;
        if (err >= majorDistance)
        {
            minor += minorStep;
            err -= 2 * majorDistance;
        }
    }
    plot(x2, y2);
    return 0;
}
} // namespace Corvane::Graphics
