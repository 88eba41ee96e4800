// Pixel blending and angle helpers shared by the drawing code.
#pragma once

#include "Graphics/ColorF.h"
#include "Graphics/Vector2.h"

namespace Corvane
{
// radians * 180 / pi.
double RadiansToDegrees(float radians);
} // namespace Corvane

namespace Corvane::Graphics
{
// src over dst: alpha 0 keeps dst, 255 takes src, otherwise every byte (alpha included) is
// (d * (255 - a) + s * (a + 1)) >> 8.
inline PackedColor BlendPixel(PackedColor src, PackedColor dst)
{
    const PackedColor a = src >> 24;
    if (a == 0)
        return dst;
    if (a == 255)
        return src;
    const PackedColor sw = a + 1;
    const PackedColor dw = 256 - sw;
    // Two channels at a time: the 0x00FF00FF lanes leave room for the products.
    const PackedColor rb = (((dst & 0x00FF00FF) * dw + (src & 0x00FF00FF) * sw) >> 8) & 0x00FF00FF;
    const PackedColor ag = (((dst >> 8) & 0x00FF00FF) * dw + ((src >> 8) & 0x00FF00FF) * sw) & 0xFF00FF00;
    return rb | ag;
}

// 2 pi, computed once.
float TwoPi();
// Brings an angle into [0, 2 pi]; negative angles wrap from the top, so -2 pi gives 2 pi.
float WrapAngle(float radians);
// Turns v by angle (clockwise on the screen, where y points down).
Vector2<float> RotateVector(float angle, Vector2<float> v);
} // namespace Corvane::Graphics
