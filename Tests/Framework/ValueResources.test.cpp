#include "Framework/ValueResources.h"

#include "Framework/ResourceManager.h"
#include "Support/DebugCapture.h"
#include "Support/ResourceFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Corvane;
using Corvane::Internal::ValueWrapper;

namespace
{
class ValueResourcesTest : public ::testing::Test
{
protected:
    void Load(const std::string& body)
    {
        RegisterValueResourceFactories();
        resources.WriteManifest("Values", body);
        resources.Manager().LoadAndWait(L"Values", true, nullptr);
    }

    // The value of the named resource; fails the test when it is missing or of another type.
    template <typename T> T Value(const char* name)
    {
        const auto handle = ResourceManager::Get<ValueWrapper<T>>(name);
        EXPECT_TRUE(handle) << name;
        return handle ? handle->value : T();
    }

    Testing::DebugCapture quiet;
    Testing::ResourceFolder resources;
};

void ExpectColor(const ColorF& color, float r, float g, float b, float a)
{
    EXPECT_NEAR(color.red, r, 1e-5f);
    EXPECT_NEAR(color.green, g, 1e-5f);
    EXPECT_NEAR(color.blue, b, 1e-5f);
    EXPECT_NEAR(color.alpha, a, 1e-5f);
}
} // namespace

TEST_F(ValueResourcesTest, ScalarsReadTheirAttributesWithDefaults)
{
    Load(R"(<bool name="On" value="true"/><bool name="Odd" value="yes"/><bool name="NoBool"/>
        <int name="Count" value="-12"/><int name="NoInt"/><int name="Junk" value="abc"/>
        <float name="Rate" value="0.25"/><float name="NoFloat"/>
        <string name="Title" value=" Fennik &amp; Co "/><string name="NoString"/>
        <vector2f name="Where" x="1.5" y="-2"/><vector2f name="NoVector2f"/>
        <vector2i name="Cell" x="3" y="4"/><vector2i name="HalfCell" y="9"/>
        <rectf name="Box" x="1" y="2" w="3.5" h="-4"/><rectf name="NoRectf"/>
        <recti name="Area" x="5" y="6" w="7" h="8"/><recti name="NoRecti"/>)");

    EXPECT_TRUE(Value<bool>("On"));
    EXPECT_FALSE(Value<bool>("Odd")) << "text that is no boolean gives the default";
    EXPECT_FALSE(Value<bool>("NoBool"));
    EXPECT_EQ(Value<int>("Count"), -12);
    EXPECT_EQ(Value<int>("NoInt"), 0);
    EXPECT_EQ(Value<int>("Junk"), 0);
    EXPECT_EQ(Value<float>("Rate"), 0.25f);
    EXPECT_EQ(Value<float>("NoFloat"), 0.0f);
    EXPECT_EQ(Value<std::wstring>("Title"), L" Fennik & Co ") << "the text as written, entities decoded";
    EXPECT_EQ(Value<std::wstring>("NoString"), L"");
    EXPECT_EQ(Value<Vector2<float>>("Where"), Vector2<float>(1.5f, -2.0f));
    EXPECT_EQ(Value<Vector2<float>>("NoVector2f"), Vector2<float>(0.0f, 0.0f));
    EXPECT_EQ(Value<Vector2<int>>("Cell"), Vector2<int>(3, 4));
    EXPECT_EQ(Value<Vector2<int>>("HalfCell"), Vector2<int>(0, 9));
    EXPECT_EQ(Value<Rect<float>>("Box"), Rect<float>(1.0f, 2.0f, 3.5f, -4.0f)) << "sizes stay as read";
    EXPECT_EQ(Value<Rect<float>>("NoRectf"), Rect<float>());
    EXPECT_EQ(Value<Rect<int>>("Area"), Rect<int>(5, 6, 7, 8));
    EXPECT_EQ(Value<Rect<int>>("NoRecti"), Rect<int>());
    EXPECT_FALSE((ResourceManager::Get<ValueWrapper<Vector2<float>>>("Cell"))) << "vector2i is no vector2f";
}

TEST_F(ValueResourcesTest, ColoursReadTheirSyntaxFloatsOrBytes)
{
    Load(R"(<colorf name="HalfRed" value="#FF000080" r="0"/><colorf name="White"/>
        <colorf name="Loud" r="2" g="0.5"/><colorf name="Zed" value="#zz0000"/><colorf name="Bad" value="FF0000"/>
        <colori name="Red" r="255" g="0" b="0"/><colori name="Wrapped" r="256" g="300" b="-1" a="128"/>
        <colori name="IgnoresValue" value="#000000"/>)");

    ExpectColor(Value<ColorF>("HalfRed"), 1, 0, 0, 128 / 255.0f);
    ExpectColor(Value<ColorF>("White"), 1, 1, 1, 1);
    ExpectColor(Value<ColorF>("Loud"), 2, 0.5f, 1, 1);
    ExpectColor(Value<ColorF>("Bad"), 0, 0, 0, 1);
    ExpectColor(Value<ColorF>("Red"), 1, 0, 0, 1);
    ExpectColor(Value<ColorF>("Wrapped"), 0, 44 / 255.0f, 1, 128 / 255.0f);
    ExpectColor(Value<ColorF>("IgnoresValue"), 1, 1, 1, 1);

    // Letters beyond f read above 1.0, but packing keeps each channel to its own byte.
    const ColorF zed = Value<ColorF>("Zed");
    EXPECT_GT(zed.red, 1.0f);
    EXPECT_EQ(zed.ToPacked(), 0xFFFF0000u);
    EXPECT_EQ(Value<ColorF>("Loud").ToPacked(), 0xFFFF7FFFu);
}

TEST_F(ValueResourcesTest, ListsTakeEveryChildStartTagAsAnItem)
{
    Load(R"(<intarray name="Ints">
            <item value="1"/> text between <item value="2"><!-- a comment --></item>
            <other/>
        </intarray>
        <intarray name="NoInts"/>
        <boolarray name="Bools"><b value="true"/><b value="false"/><b/></boolarray>
        <floatarray name="Floats"><f value="0.5"/></floatarray>
        <stringarray name="Strings"><s value="a"/><s/><s value="c"/></stringarray>
        <vector2farray name="Points"><p x="1" y="2"/><p x="3"/></vector2farray>
        <rectfarray name="Boxes"><r x="1" y="2" w="3" h="4"/></rectfarray>
        <rectiarray name="Areas"><r w="5"/><r x="-1" h="2"/></rectiarray>
        <colorfarray name="Tints"><c r="0.5" g="0.5" b="1"/><c value="#00ff00"/></colorfarray>
        <coloriarray name="Bytes"><c r="0" g="0" b="0"/><c a="0"/></coloriarray>
        <vector2iarray name="Cells"><c name="Cell" x="1"/></vector2iarray>
        <int name="AfterTheLists" value="9"/>)");

    EXPECT_EQ(Value<std::vector<int>>("Ints"), (std::vector<int>{1, 2, 0}));
    EXPECT_TRUE(Value<std::vector<int>>("NoInts").empty());
    EXPECT_EQ(Value<std::vector<bool>>("Bools"), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(Value<std::vector<float>>("Floats"), (std::vector<float>{0.5f}));
    EXPECT_EQ(Value<std::vector<std::wstring>>("Strings"), (std::vector<std::wstring>{L"a", L"", L"c"}));
    EXPECT_EQ(Value<std::vector<Vector2<float>>>("Points"), (std::vector<Vector2<float>>{{1.0f, 2.0f}, {3.0f, 0.0f}}));
    EXPECT_EQ(Value<std::vector<Rect<float>>>("Boxes"), (std::vector<Rect<float>>{{1, 2, 3, 4}}));
    EXPECT_EQ(Value<std::vector<Rect<int>>>("Areas"), (std::vector<Rect<int>>{{0, 0, 5, 0}, {-1, 0, 0, 2}}));

    const std::vector<ColorF> tints = Value<std::vector<ColorF>>("Tints");
    ASSERT_EQ(tints.size(), 2u);
    ExpectColor(tints[0], 0.5f, 0.5f, 1, 1);
    ExpectColor(tints[1], 0, 1, 0, 1);
    const std::vector<ColorF> bytes = Value<std::vector<ColorF>>("Bytes");
    ASSERT_EQ(bytes.size(), 2u);
    ExpectColor(bytes[0], 0, 0, 0, 1);
    ExpectColor(bytes[1], 1, 1, 1, 0);

    EXPECT_EQ(ResourceManager::Instance()->Find(Label("Cells")), nullptr) << "there is no list of vector2i";
    EXPECT_EQ(ResourceManager::Instance()->Find(Label("Cell")), nullptr);
    EXPECT_EQ(Value<int>("AfterTheLists"), 9);
}
