#include "Graphics/Rect.h"

#include <gtest/gtest.h>

using namespace Corvane;

TEST(Rect, IntersectionClampsToEmpty)
{
    const RectI apart = RectI::Intersect({0, 0, 10, 10}, {20, 20, 5, 5});
    EXPECT_EQ(apart, RectI(20, 20, 0, 0));
    EXPECT_TRUE(apart.IsEmpty());
    EXPECT_EQ(RectI::Intersect({0, 0, 10, 10}, {5, -5, 10, 10}), RectI(5, 0, 5, 5));
    EXPECT_EQ(IntersectRects({0.5f, 0, 1, 1}, {3, 3, 1, 1}), RectF(3, 3, 0, 0));
}

TEST(Rect, ContainmentUsesExclusiveEdges)
{
    const RectI r(10, 10, 5, 5);
    EXPECT_TRUE(r.Contains(10, 10));
    EXPECT_TRUE(r.Contains(14, 14));
    EXPECT_FALSE(r.Contains(15, 14));
    EXPECT_TRUE(r.ContainsRect({10, 10, 5, 5}));
    EXPECT_FALSE(r.ContainsRect({10, 10, 6, 5}));
    EXPECT_FALSE(r.ContainsRect({11, 11, 0, 2}));
}

TEST(Rect, FromRectFTruncatesTowardZero)
{
    EXPECT_EQ(RectI::FromRectF({-1.7f, 2.9f, 3.5f, -0.5f}), RectI(-1, 2, 3, 0));
}
