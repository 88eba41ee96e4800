// Points of one quarter of a circle, per radius in half-pixel steps, computed once per radius and
// kept for the life of the process; canvases mirror them into the other three quarters.
#pragma once

#include "Graphics/Vector2.h"

#include <memory>
#include <mutex>
#include <vector>

namespace Corvane::Graphics
{
// floor(2 * r + 0.5) * 0.5: the radius rounded to the nearest half pixel.
float RoundToHalf(float r);

template <typename T> class QuarterCircleCache
{
public:
    using Points = std::vector<Vector2<T>>;

    // The points from (r, 0) toward the y axis, (0, 0) left out; empty for a radius below 0.25.
    // The list never changes once built, so the reference stays valid. Any thread.
    const Points& Get(float radius);

private:
    std::mutex mLock;
    // Indexed by twice the rounded radius; each list lives on its own so growing moves none.
    std::vector<std::unique_ptr<Points>> mLists;
    const Points mEmpty{};
};

extern template class QuarterCircleCache<float>;
extern template class QuarterCircleCache<int>;

const std::vector<Vector2<float>>& GetQuarterCirclePointsF(float radius);
const std::vector<Vector2<int>>& GetQuarterCirclePointsI(float radius);
} // namespace Corvane::Graphics
