// The projection that maps the display's pixel coordinates to Direct3D's clip space.
#pragma once

#include "Platform/Compat/Direct3D/Direct3DTypes.h"

namespace Corvane
{
// The left-handed off-centre orthographic projection of the box left..right, bottom..top,
// nearZ..farZ onto -1..1 (x, y) and 0..1 (z). With bottom > top, y grows downwards.
void MakeOrthoOffCenterMatrix(D3DMATRIX& out, float left, float right, float bottom, float top, float nearZ,
                              float farZ);
} // namespace Corvane
