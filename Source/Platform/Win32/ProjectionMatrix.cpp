#include "Platform/Win32/ProjectionMatrix.h"

namespace Corvane
{
void MakeOrthoOffCenterMatrix(D3DMATRIX& out, float left, float right, float bottom, float top, float nearZ, float farZ)
{
    const float w = right - left;
    const float h = top - bottom;
    const float d = farZ - nearZ;
    out = {};
    out.m[0][0] = 2.0f / w;
    out.m[1][1] = 2.0f / h;
    out.m[2][2] = 1.0f / d;
    out.m[3][0] = -(left + right) / w;
    out.m[3][1] = -(top + bottom) / h;
    out.m[3][2] = -nearZ / d;
    out.m[3][3] = 1.0f;
}
} // namespace Corvane
