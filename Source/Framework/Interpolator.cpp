#include "Framework/Interpolator.h"

#include <algorithm>

namespace Corvane
{
float LinearInterpolator::Interpolate(float from, float to, float t, float duration) const
{
    if (duration == 0.0f)
        return to;
    return from + (to - from) * std::min(t, duration) / duration;
}
} // namespace Corvane
