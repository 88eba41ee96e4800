#include "Graphics/ColorF.h"

#include <gtest/gtest.h>

using namespace Corvane;

TEST(ColorF, ParsesBothTextFormsAndFallsBackToOpaqueBlack)
{
    const ColorF translucentRed = ParseColor(L"#FF000080");
    EXPECT_FLOAT_EQ(translucentRed.red, 1.0f);
    EXPECT_FLOAT_EQ(translucentRed.green, 0.0f);
    EXPECT_NEAR(translucentRed.alpha, 0.50196f, 1e-5f);
    EXPECT_EQ(ParseColor(L"#00ff00"), ColorF(0, 1, 0, 1));
    EXPECT_EQ(ParseColor(L"FF0000"), ColorF::OpaqueBlack());
    EXPECT_EQ(ParseColor(L"#FF00"), ColorF::OpaqueBlack());
    EXPECT_EQ(ParseColor(L""), ColorF::OpaqueBlack());
    EXPECT_EQ(ParseColor(L"XFF00FF"), ColorF::OpaqueBlack());
}

TEST(ColorF, PackingTruncatesAndClampsEachChannel)
{
    EXPECT_EQ(ColorF(1.0f, 0.5f, 0.0f, 1.0f).ToPacked(), 0xFFFF7F00u);
    // "#zz0000" reads a red far above 1: it must saturate, not spill into alpha.
    const ColorF overRed = ParseColor(L"#zz0000");
    EXPECT_GT(overRed.red, 1.0f);
    EXPECT_EQ(overRed.ToPacked(), 0xFFFF0000u);
    EXPECT_EQ(ColorF(-1.0f, 2.0f, 1e30f, 0.0f).ToPacked(), 0x0000FFFFu);
}

TEST(ColorF, PackedRoundTrip)
{
    for (PackedColor packed : {0x00000000u, 0xFFFFFFFFu, 0x80FF7F01u, 0x12345678u})
        EXPECT_EQ(ColorF::FromPacked(packed).ToPacked(), packed) << std::hex << packed;
}
