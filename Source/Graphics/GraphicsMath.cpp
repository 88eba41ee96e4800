#include "Graphics/GraphicsMath.h"

#include <cmath>

namespace Corvane
{
double RadiansToDegrees(float radians)
{
    static const float pi = static_cast<float>(std::acos(-1.0));
    return static_cast<double>(radians) * 180.0 / static_cast<double>(pi);
}
} // namespace Corvane

namespace Corvane::Graphics
{
float TwoPi()
{
    static const float twoPi = static_cast<float>(2.0 * std::acos(-1.0));
    return twoPi;
}

float WrapAngle(float radians)
{
    const float twoPi = TwoPi();
    if (radians >= 0.0f && radians < twoPi)
        return radians;
    if (radians >= twoPi)
        return std::fmod(radians, twoPi);
    if (!(radians < 0.0f))
        return 0.0f; // NaN: no angle at all
    return twoPi - WrapAngle(-radians);
}

Vector2<float> RotateVector(float angle, Vector2<float> v)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return {c * v.x - s * v.y, s * v.x + c * v.y};
}
} // namespace Corvane::Graphics
