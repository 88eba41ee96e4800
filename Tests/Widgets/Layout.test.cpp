#include "Widgets/Layout.h"

#include "Framework/ResourceManager.h"
#include "Framework/ValueResources.h"
#include "Framework/ValueWrapper.h"
#include "Support/ResourceFolder.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
class LayoutTest : public testing::Test
{
protected:
    LayoutTest()
    {
        RegisterValueResourceFactories();
        resources.Manager().RegisterFactory(L"layout", new LayoutResourceFactory);
        resources.WriteManifest("screens", R"(
            <layout name="Plain"/>
            <layout name="Empty" screenWidth="1024" screenHeight="768.5" x="-10" y="4" theme="dark">
            </layout>
            <layout name="Menu" x="12">
              <!-- one widget per child -->
              <background name="Panel" images="Frame"/>
              <button name="Play" keyCode="Enter">text between</button>
              <ninebrush name="Box"><button name="Nested"/></ninebrush>
              <mystery/>
            </layout>
            <int name="After" value="1"/>)");
        resources.Manager().LoadAndWait(L"screens", false, nullptr);
    }
    const Layout* Find(const char* name) { return ResourceManager::Get<Layout>(Label(name)).Get(); }

    ResourceFolder resources;
};
} // namespace

TEST_F(LayoutTest, ALayoutWithoutAttributesIsForEightHundredBySixHundredAtTheOrigin)
{
    const Layout* plain = Find("Plain");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetScreenWidth(), 800.0f);
    EXPECT_EQ(plain->GetScreenHeight(), 600.0f);
    EXPECT_EQ(plain->GetX(), 0.0f);
    EXPECT_EQ(plain->GetY(), 0.0f);
    EXPECT_EQ(plain->GetName(), Label("Plain"));
    EXPECT_EQ(plain->GetChildCount(), 0);
    EXPECT_TRUE(plain->GetChildAttributes().empty());

    const Layout* empty = Find("Empty");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->GetScreenWidth(), 1024.0f);
    EXPECT_EQ(empty->GetScreenHeight(), 768.5f);
    EXPECT_EQ(empty->GetX(), -10.0f);
    EXPECT_EQ(empty->GetY(), 4.0f);
    EXPECT_STREQ(empty->GetStringAttribute(L"theme", L""), L"dark") << "every attribute of the element is kept";
    EXPECT_EQ(empty->GetChildCount(), 0) << "only the text between its tags";
}

TEST_F(LayoutTest, ChildrenAreTheElementsInsideInDocumentOrder)
{
    const Layout* menu = Find("Menu");
    ASSERT_NE(menu, nullptr);
    // The layout's own tag is not among its children; a nested element counts as one more.
    EXPECT_EQ(menu->GetChildNames(),
              (std::vector<std::wstring>{L"background", L"button", L"ninebrush", L"button", L"mystery"}));
    ASSERT_EQ(menu->GetChildAttributes().size(), 5u);
    EXPECT_STREQ(menu->GetChildAttributes()[0].GetStringAttribute(L"images", L""), L"Frame");
    EXPECT_STREQ(menu->GetChildAttributes()[1].GetStringAttribute(L"keyCode", L""), L"Enter");
    EXPECT_STREQ(menu->GetChildAttributes()[3].GetStringAttribute(L"name", L""), L"Nested");
    EXPECT_TRUE(menu->GetChildAttributes()[4].GetAttributes().empty());
    EXPECT_TRUE(ResourceManager::Get<Internal::ValueWrapper<int>>(Label("After"))) << "the manifest reads on after it";
}
