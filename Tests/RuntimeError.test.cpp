#include "RuntimeError.h"

#include <gtest/gtest.h>

using namespace Corvane;

TEST(RuntimeError, CarriesMessageAndSite)
{
    try
    {
        throw RuntimeError("it broke", "Source/Framework/Thing.cpp", 42, "Corvane::Thing::Do");
    }
    catch (const std::runtime_error& e)
    {
        // Thrown by value, caught as the standard base: all four parts survive.
        const auto& error = dynamic_cast<const RuntimeError&>(e);
        EXPECT_STREQ(error.what(), "it broke");
        EXPECT_EQ(error.GetFile(), "Source/Framework/Thing.cpp");
        EXPECT_EQ(error.GetLine(), 42);
        EXPECT_EQ(error.GetFunction(), "Corvane::Thing::Do");
        const RuntimeError copy = error;
        EXPECT_EQ(copy.GetFunction(), error.GetFunction());
    }
}

TEST(RuntimeError, NullSiteTextsAreEmptyAndWideMessagesAreNarrowed)
{
    const RuntimeError error(std::wstring(L"caf\u00E9 closed"), nullptr, 0, nullptr);
    EXPECT_STREQ(error.what(), "caf? closed");
    EXPECT_TRUE(error.GetFile().empty());
    EXPECT_TRUE(error.GetFunction().empty());
}

TEST(RuntimeError, FormatErrorLocationPrefixesFileAndLine)
{
    EXPECT_EQ(FormatErrorLocation(L"a.xml", 12, L"bad tag"), L"a.xml(12): bad tag");
    EXPECT_EQ(FormatErrorLocation(L"big.xml", 12345, L"x"), L"big.xml(12345): x"); // no grouping
}
