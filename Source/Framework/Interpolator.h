// Maps the time elapsed in a task to a value between a start and an end value. Held by shared
// pointer, so one interpolator may serve several tasks and their clones.
#pragma once

namespace Corvane
{
class Interpolator
{
public:
    virtual ~Interpolator() = default;
    // The value at t seconds of duration, going from from to to.
    virtual float Interpolate(float from, float to, float t, float duration) const = 0;
};

// from + (to − from) × min(t, duration) / duration; to when duration is exactly 0. A t beyond the
// duration gives to; a negative t extrapolates backwards.
class LinearInterpolator : public Interpolator
{
public:
    float Interpolate(float from, float to, float t, float duration) const override;
};

// to at every t: the value jumps to its end at once.
class ImmediateInterpolator : public Interpolator
{
public:
    float Interpolate(float, float to, float, float) const override { return to; }
};
} // namespace Corvane
