#include "AttributeContainer.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Corvane;

namespace
{
AttributeContainer With(const std::wstring& name, const std::wstring& value)
{
    AttributeContainer attributes;
    attributes.SetAttribute(name, value);
    return attributes;
}
} // namespace

TEST(AttributeContainer, AbsentAttributesGiveEveryFallbackUnchanged)
{
    const AttributeContainer attributes = With(L"Width", L"12");
    const IAttributeContainer& container = attributes;
    EXPECT_FALSE(container.HasAttribute(L"width")); // names are case-sensitive
    EXPECT_TRUE(container.HasAttribute(L"Width"));
    EXPECT_EQ(container.GetIntAttribute(L"width", 77), 77);
    EXPECT_EQ(container.GetFloatAttribute(L"x", 2.5f), 2.5f);
    EXPECT_TRUE(container.GetBoolAttribute(L"x", true));
    EXPECT_FALSE(container.GetBoolAttribute(L"x", false));
    EXPECT_EQ(container.GetStringAttribute(L"x", nullptr), nullptr);
    const wchar_t* fallback = L"fallback";
    EXPECT_EQ(container.GetStringAttribute(L"x", fallback), fallback);
    std::wstring out = L"stale";
    EXPECT_EQ(&container.GetAttribute(out, L"x"), &out);
    EXPECT_EQ(out, L"");
    EXPECT_STREQ(container.GetStringAttribute(L"Width", fallback), L"12");
    EXPECT_EQ(container.GetAttribute(out, L"Width"), L"12");
}

TEST(AttributeContainer, IntegersReadLeadingDigitsAndClamp)
{
    EXPECT_EQ(With(L"v", L"12abc").GetIntAttribute(L"v", 5), 12);
    EXPECT_EQ(With(L"v", L" -7").GetIntAttribute(L"v", 5), -7);
    EXPECT_EQ(With(L"v", L"\t+8").GetIntAttribute(L"v", 5), 8);
    EXPECT_EQ(With(L"v", L"abc").GetIntAttribute(L"v", 5), 0); // present but no number: 0
    EXPECT_EQ(With(L"v", L"").GetIntAttribute(L"v", 5), 0);
    EXPECT_EQ(With(L"v", L"- 3").GetIntAttribute(L"v", 5), 0);
    EXPECT_EQ(With(L"v", L"99999999999999999999").GetIntAttribute(L"v", 5), 2147483647);
    EXPECT_EQ(With(L"v", L"-2147483648").GetIntAttribute(L"v", 5), -2147483647 - 1);
    EXPECT_EQ(With(L"v", L"-99999999999").GetIntAttribute(L"v", 5), -2147483647 - 1);
}

TEST(AttributeContainer, FloatsReadTheLongestNumber)
{
    EXPECT_FLOAT_EQ(With(L"v", L"1.5e2").GetFloatAttribute(L"v", 9), 150.0f);
    EXPECT_FLOAT_EQ(With(L"v", L" -0.25px").GetFloatAttribute(L"v", 9), -0.25f);
    EXPECT_FLOAT_EQ(With(L"v", L"+.5").GetFloatAttribute(L"v", 9), 0.5f);
    EXPECT_FLOAT_EQ(With(L"v", L"3e").GetFloatAttribute(L"v", 9), 3.0f);
    EXPECT_EQ(With(L"v", L"x").GetFloatAttribute(L"v", 9), 0.0f);
    EXPECT_EQ(With(L"v", L"+-1").GetFloatAttribute(L"v", 9), 0.0f);
    EXPECT_EQ(With(L"v", L"1,5").GetFloatAttribute(L"v", 9), 1.0f); // the decimal point is '.', always
    EXPECT_TRUE(std::isinf(With(L"v", L"1e99").GetFloatAttribute(L"v", 9)));
    EXPECT_EQ(With(L"v", L"1e-99").GetFloatAttribute(L"v", 9), 0.0f);
}

TEST(AttributeContainer, BoolsAreTheWordsTrueAndFalse)
{
    EXPECT_TRUE(With(L"v", L"true").GetBoolAttribute(L"v", false));
    EXPECT_FALSE(With(L"v", L"false").GetBoolAttribute(L"v", true));
    EXPECT_TRUE(With(L"v", L" true ").GetBoolAttribute(L"v", false));
    EXPECT_TRUE(With(L"v", L"trueish").GetBoolAttribute(L"v", false)); // what follows the word is ignored
    for (const wchar_t* other : {L"TRUE", L"1", L"yes", L"tru", L"", L"False"})
    {
        EXPECT_TRUE(With(L"v", other).GetBoolAttribute(L"v", true)) << other;
        EXPECT_FALSE(With(L"v", other).GetBoolAttribute(L"v", false)) << other;
    }
}

TEST(AttributeContainer, CopiesHoldTheirOwnMap)
{
    AttributeContainer original = With(L"a", L"1");
    AttributeContainer copy = original;
    original.SetAttribute(L"a", L"2");
    original.SetAttribute(L"b", L"3");
    EXPECT_EQ(copy.GetIntAttribute(L"a", 0), 1);
    EXPECT_FALSE(copy.HasAttribute(L"b"));
    EXPECT_EQ(original.GetAttributes().size(), 2u);
}
