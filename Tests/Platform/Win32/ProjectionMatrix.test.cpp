#include "Platform/Win32/ProjectionMatrix.h"

#include <gtest/gtest.h>

namespace
{
// Row vector (x, y, z, 1) times the matrix; x and y of the result.
std::pair<float, float> Project(const D3DMATRIX& m, float x, float y, float z)
{
    const float in[4] = {x, y, z, 1.0f};
    float out[4] = {};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            out[column] += in[row] * m.m[row][column];
    return {out[0] / out[3], out[1] / out[3]};
}
} // namespace

TEST(ProjectionMatrix, MapsThePixelCornersOfTheScreenToClipSpace)
{
    D3DMATRIX m;
    Corvane::MakeOrthoOffCenterMatrix(m, 0, 800, 600, 0, 0, 1);
    EXPECT_EQ(Project(m, 0, 0, 0), std::make_pair(-1.0f, 1.0f));
    EXPECT_EQ(Project(m, 800, 600, 0), std::make_pair(1.0f, -1.0f));
    EXPECT_EQ(Project(m, 400, 300, 0), std::make_pair(0.0f, 0.0f));
    EXPECT_FLOAT_EQ(m.m[2][2], 1.0f);
    Corvane::MakeOrthoOffCenterMatrix(m, 0, 800, 600, 0, 0.5f, 2.5f);
    EXPECT_FLOAT_EQ(m.m[2][2], 0.5f);
    EXPECT_FLOAT_EQ(m.m[3][2], -0.25f);
}
