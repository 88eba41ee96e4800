#include "Graphics/QuarterCircleCache.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Graphics;

using PointsI = std::vector<Vector2<int>>;

TEST(QuarterCircleCache, IntegerPointsOfSmallAndLargerRadii)
{
    EXPECT_TRUE(GetQuarterCirclePointsI(0.2f).empty());
    EXPECT_TRUE(GetQuarterCirclePointsI(0.3f).empty()); // (0.5, 0) truncates to the centre
    EXPECT_EQ(GetQuarterCirclePointsI(1.0f), (PointsI{{1, 0}}));
    EXPECT_EQ(GetQuarterCirclePointsI(3.0f), (PointsI{{3, 0}, {2, 0}, {2, 1}, {1, 2}, {0, 2}}));

    const PointsI& ten = GetQuarterCirclePointsI(10.0f);
    ASSERT_EQ(ten.size(), 16u);
    EXPECT_EQ(ten[0], Vector2<int>(10, 0));
    EXPECT_EQ(ten[1], Vector2<int>(9, 0));
    EXPECT_EQ(ten[2], Vector2<int>(9, 1));
    EXPECT_EQ(ten[14], Vector2<int>(1, 9));
    EXPECT_EQ(ten[15], Vector2<int>(0, 9));
}

TEST(QuarterCircleCache, FloatPointsLieOnTheCircle)
{
    const auto& half = GetQuarterCirclePointsF(0.3f);
    ASSERT_EQ(half.size(), 1u);
    EXPECT_FLOAT_EQ(half[0].x, 0.5f);
    EXPECT_FLOAT_EQ(half[0].y, 0.0f);

    EXPECT_EQ(GetQuarterCirclePointsF(1.0f).size(), 2u);
    for (const float radius : {3.0f, 10.0f})
    {
        const auto& points = GetQuarterCirclePointsF(radius);
        EXPECT_EQ(points.size(), radius == 3.0f ? 5u : 16u);
        for (const auto& p : points)
            EXPECT_NEAR(p.x * p.x + p.y * p.y, radius * radius, 1e-3f);
        EXPECT_GT(points.back().y, points.back().x); // short of the y axis, never on it
    }
}

TEST(QuarterCircleCache, RadiiShareTheirHalfPixelList)
{
    EXPECT_FLOAT_EQ(RoundToHalf(2.7f), 2.5f);
    EXPECT_EQ(&GetQuarterCirclePointsI(2.8f), &GetQuarterCirclePointsI(3.0f));
    EXPECT_EQ(&GetQuarterCirclePointsI(3.2f), &GetQuarterCirclePointsI(3.0f));
    EXPECT_EQ(&GetQuarterCirclePointsI(2.7f), &GetQuarterCirclePointsI(2.5f));
    // Lists stay where they are while the table grows.
    const PointsI* three = &GetQuarterCirclePointsI(3.0f);
    GetQuarterCirclePointsI(900.0f);
    EXPECT_EQ(three, &GetQuarterCirclePointsI(3.0f));
    EXPECT_TRUE(GetQuarterCirclePointsI(-4.0f).empty());
}
