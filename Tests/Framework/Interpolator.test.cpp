#include "Framework/Interpolator.h"

#include <gtest/gtest.h>

using namespace Corvane;

TEST(Interpolator, LinearHoldsAtTheEndAndExtrapolatesBackwards)
{
    const LinearInterpolator linear;
    EXPECT_FLOAT_EQ(linear.Interpolate(10, 20, 0, 2), 10);
    EXPECT_FLOAT_EQ(linear.Interpolate(10, 20, 1, 2), 15);
    EXPECT_FLOAT_EQ(linear.Interpolate(10, 20, 2, 2), 20);
    EXPECT_FLOAT_EQ(linear.Interpolate(10, 20, 5, 2), 20);
    EXPECT_FLOAT_EQ(linear.Interpolate(10, 20, -1, 2), 5);
    EXPECT_FLOAT_EQ(linear.Interpolate(10, 20, 7, 0), 20) << "no duration: the end at once";
    EXPECT_FLOAT_EQ(linear.Interpolate(10, 20, 0, -2), 20) << "t is clamped to the negative duration";
}

TEST(Interpolator, ImmediateJumpsToTheEnd)
{
    EXPECT_FLOAT_EQ(ImmediateInterpolator().Interpolate(10, 20, 0, 2), 20);
}
