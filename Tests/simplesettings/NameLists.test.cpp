#include "simplesettings/NameLists.h"

#include "Support/DebugCapture.h"
#include "Support/ResourceFolder.h"
#include "Framework/ValueResources.h"

#include <gtest/gtest.h>

using namespace Corvane;

TEST(NameLists, AttributeNamesMatchTheLoadedListExactly)
{
    Testing::DebugCapture quiet;
    Testing::ResourceFolder resources;
    EXPECT_FALSE(IsAttributeString("Sweet")) << "nothing loaded yet";

    RegisterValueResourceFactories();
    resources.WriteManifest("Attributes", R"(<stringarray name="AttributeStrings">
        <string value="Sweet"/><string value="Sour"/><string value="Caf&#xFFFD;"/></stringarray>)");
    resources.Manager().LoadAndWait(L"Attributes", true, nullptr);
    EXPECT_TRUE(IsAttributeString("Sweet"));
    EXPECT_TRUE(IsAttributeString("Sour"));
    EXPECT_FALSE(IsAttributeString("sweet")) << "case counts";
    EXPECT_FALSE(IsAttributeString("Bitter"));
    EXPECT_TRUE(IsAttributeString("Caf\xE9")) << "a byte above 127 stands for the replacement character";
}

TEST(NameLists, IndexOfStringComparesExactlyWithinTheCount)
{
    const char* const categories[] = {"Vegetable", "Meat", "Flavoring"};
    EXPECT_EQ(IndexOfString(categories, "Meat", 3), 1);
    EXPECT_EQ(IndexOfString(categories, "Flavoring", 3), 2);
    EXPECT_EQ(IndexOfString(categories, "meat", 3), -1);
    EXPECT_EQ(IndexOfString(categories, "Flavoring", 2), -1);
    EXPECT_EQ(IndexOfString(categories, "Vegetable", 0), -1);
}
