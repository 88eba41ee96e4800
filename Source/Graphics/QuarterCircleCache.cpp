#include "Graphics/QuarterCircleCache.h"

#include <cmath>

namespace Corvane::Graphics
{
namespace
{
// Radii past this are no circle a screen shows; they share the largest list instead of
// growing the table without bound.
constexpr int kMaxIndex = 1 << 16;

template <typename T> void Build(std::vector<Vector2<T>>& points, float radius)
{
    const float pi = static_cast<float>(std::acos(-1.0));
    // About one point per pixel of the quarter circumference.
    const int n = static_cast<int>(std::ceil(pi * radius * 0.5f));
    for (int i = 0; i < n; ++i)
    {
        const float angle = (2.0f * pi * 0.25f) * static_cast<float>(i) * (1.0f / static_cast<float>(n));
        const Vector2<T> point(static_cast<T>(std::cos(angle) * radius), static_cast<T>(std::sin(angle) * radius));
        if (point != Vector2<T>())
            points.push_back(point);
    }
}
} // namespace

float RoundToHalf(float r)
{
    return std::floor(2.0f * r + 0.5f) * 0.5f;
}

template <typename T> const typename QuarterCircleCache<T>::Points& QuarterCircleCache<T>::Get(float radius)
{
    float rounded = RoundToHalf(radius);
    if (!(rounded > 0.0f))
        return mEmpty; // also NaN and negative radii
    if (rounded * 2.0f > static_cast<float>(kMaxIndex))
        rounded = static_cast<float>(kMaxIndex) * 0.5f;
    const int index = static_cast<int>(2.0f * rounded);

    std::lock_guard<std::mutex> lock(mLock);
    if (index >= static_cast<int>(mLists.size()))
        mLists.resize(index + 256); // in blocks, so growth is rare
    if (!mLists[index])
        mLists[index] = std::make_unique<Points>();
    Points& points = *mLists[index];
    if (points.empty())
        Build(points, rounded); // a radius whose points are all (0, 0) stays empty
    return points;
}

template class QuarterCircleCache<float>;
template class QuarterCircleCache<int>;

const std::vector<Vector2<float>>& GetQuarterCirclePointsF(float radius)
{
    static QuarterCircleCache<float> cache;
    return cache.Get(radius);
}

const std::vector<Vector2<int>>& GetQuarterCirclePointsI(float radius)
{
    static QuarterCircleCache<int> cache;
    return cache.Get(radius);
}
} // namespace Corvane::Graphics
