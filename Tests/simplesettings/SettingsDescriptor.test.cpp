#include "simplesettings/SettingsDescriptor.h"

#include "Support/DebugCapture.h"
#include "Support/ResourceFolder.h"
#include "simplesettings/LoadError.h"
#include "simplesettings/TestRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Corvane;
using namespace SettingsTesting;

namespace
{
// Every element member of a Dish, as a record gives them when nothing is being tested about them.
const std::string kChildren = R"(<Garnish name="Topping" colour="gold"/>
<GarnishList name="Sides"/>
<intList name="Points"/>
<LabelList name="Tags"/>)";

class RecordBindingTest : public ::testing::Test
{
protected:
    void SetUp() override { RegisterTestRecords(); }

    // Loads a manifest of its own holding body; the text of the load's LoadError, else empty.
    std::string Load(const std::string& body)
    {
        const std::string manifest = "Dishes" + std::to_string(++mManifests);
        resources.WriteManifest(manifest, body);
        try
        {
            resources.Manager().LoadAndWait(std::wstring(manifest.begin(), manifest.end()), true, nullptr);
        }
        catch (const SimpleSettings::LoadError& error)
        {
            return error.what();
        }
        return {};
    }
    // The manifest's file as errors name it, for the latest Load.
    std::string File() const
    {
        return (resources.Folder().Path() / ("Dishes" + std::to_string(mManifests) + ".xml")).string();
    }

    static const Dish* DishNamed(const std::string& name) { return ResourceManager::Get<Dish>(name.c_str()).Get(); }

    // text with every '#' replaced by n: resource names stay unique across the manifests of a test.
    static std::string Numbered(std::string text, int n)
    {
        for (std::size_t at = text.find('#'); at != std::string::npos; at = text.find('#', at))
            text.replace(at, 1, std::to_string(n));
        return text;
    }

    static std::vector<std::string> Colours(const std::vector<Garnish>& garnishes)
    {
        std::vector<std::string> colours;
        for (const Garnish& garnish : garnishes)
            colours.push_back(garnish.colour.c_str());
        return colours;
    }

    Testing::DebugCapture quiet;
    Testing::ResourceFolder resources;

private:
    int mManifests = 0;
};
} // namespace

TEST_F(RecordBindingTest, EveryMemberKindLoadsFromItsXMLAndIsFoundOnlyUnderItsOwnType)
{
    ASSERT_EQ(Load(R"(<Dish name="Soup" id="soup" servings="4" speaker="Right" unknown="ignored">
  <Garnish name="Topping" colour="green" weight="3" note="fresh &amp; crisp"/>
  <GarnishList name="sides">
    text between items
    <Garnish colour="red"/>
    <Garnish colour="blue" weight="-1"/>
  </GarnishList>
  <intList name="Points"><int value="10"/><int value=" 20"/></intList>
  <LabelList name="Tags"><Label value="Hot"/><Label value="Caf&#233;"/></LabelList>
</Dish>)"),
              "");
    const Dish* soup = DishNamed("SOUP");
    ASSERT_NE(soup, nullptr);
    EXPECT_EQ(soup->id, Label("soup"));
    EXPECT_EQ(soup->servings, 4);
    EXPECT_EQ(soup->speaker, kRight);
    EXPECT_EQ(soup->topping.colour, Label("green"));
    EXPECT_EQ(soup->topping.weight, 3);
    EXPECT_EQ(soup->topping.note, L"fresh & crisp");
    EXPECT_EQ(Colours(soup->sides), (std::vector<std::string>{"red", "blue"})) << "child names ignore case";
    EXPECT_EQ(soup->sides[0].weight, 5) << "list items take their defaults";
    EXPECT_EQ(soup->sides[0].note, L"plain");
    EXPECT_EQ(soup->sides[1].weight, -1);
    EXPECT_EQ(soup->points, (std::vector<int>{10, 20}));
    ASSERT_EQ(soup->tags.size(), 2u);
    EXPECT_STREQ(soup->tags[1].c_str(), "Caf?") << "labels are 8-bit: other letters become '?'";

    const auto asGarnish = ResourceManager::Get<Garnish>("Soup");
    EXPECT_NE(asGarnish.GetDescriptor(), nullptr);
    EXPECT_EQ(asGarnish.Get(), nullptr) << "a record is found only as its own type";
    const auto missing = ResourceManager::Get<Dish>("Nothing");
    EXPECT_EQ(missing.GetDescriptor(), nullptr);
    EXPECT_EQ(missing.Get(), nullptr);
}

TEST_F(RecordBindingTest, TheFileWinsOverTheTemplateWhichWinsOverTheDefault)
{
    ASSERT_EQ(Load(R"(<Garnish name="MintLeaf" colour="mint" note="cool"/>
<Dish name="Base" id="base" servings="6" speaker="Left">
  <Garnish name="Topping" colour="gold" weight="9" note="base note"/>
  <GarnishList name="Sides"><Garnish colour="a"/><Garnish colour="b"/></GarnishList>
  <intList name="Points"><int value="1"/><int value="2"/></intList>
  <LabelList name="Tags"><Label value="Base"/></LabelList>
</Dish>
<Dish name="Child" template="BASE" id="child" speaker="Right">
  <Garnish name="Topping" colour="silver"/>
</Dish>
<Dish name="Own" template="Base">
  <Garnish name="Topping" template="MintLeaf" weight="1"/>
  <GarnishList name="Sides"><Garnish template="MintLeaf"/><Garnish colour="x"/></GarnishList>
</Dish>
<Dish name="Plain" id="plain" speaker="Left">)" + kChildren +
                   "</Dish>"),
              "");
    const Dish* child = DishNamed("Child");
    const Dish* own = DishNamed("Own");
    const Dish* plain = DishNamed("Plain");
    ASSERT_TRUE(child && own && plain);

    EXPECT_EQ(child->id, Label("child")) << "the file's value";
    EXPECT_EQ(child->speaker, kRight);
    EXPECT_EQ(child->servings, 6) << "the template's, not the default";
    EXPECT_EQ(plain->servings, 2) << "the default";
    EXPECT_EQ(child->topping.colour, Label("silver"));
    EXPECT_EQ(child->topping.weight, 9) << "a nested record inherits from the template's nested record";
    EXPECT_EQ(child->topping.note, L"base note");
    EXPECT_EQ(Colours(child->sides), (std::vector<std::string>{"a", "b"})) << "an absent list is the template's";
    EXPECT_EQ(child->points, (std::vector<int>{1, 2}));
    EXPECT_EQ(child->tags, std::vector<Label>{Label("Base")});

    EXPECT_EQ(own->id, Label("base"));
    EXPECT_EQ(own->topping.colour, Label("mint")) << "a nested element's own template replaces the parent's";
    EXPECT_EQ(own->topping.weight, 1);
    EXPECT_EQ(own->topping.note, L"cool");
    ASSERT_EQ(Colours(own->sides), (std::vector<std::string>{"mint", "x"}));
    EXPECT_EQ(own->sides[0].note, L"cool");
    EXPECT_EQ(own->sides[1].note, L"plain") << "a list item has no template unless it names one";
}

TEST_F(RecordBindingTest, ListsMergeWithTheTemplateOnlyWhenThePolicyIsExactlyMerge)
{
    const std::string base = R"(<Dish name="Base#" id="base" speaker="Left">
  <Garnish name="Topping" colour="gold"/>
  <GarnishList name="Sides"><Garnish colour="t1"/><Garnish colour="t2"/></GarnishList>
  <intList name="Points"><int value="1"/><int value="2"/></intList>
  <LabelList name="Tags"/>
</Dish>)";
    struct Case
    {
        const char* policy;
        std::vector<int> points;
        std::vector<std::string> sides;
    };
    const Case cases[] = {
        {R"( templatePolicy="merge")", {1, 2, 7, 8, 9}, {"t1", "t2", "f1", "f2", "f3"}},
        {R"( templatePolicy="Merge")", {7, 8, 9}, {"f1", "f2", "f3"}},
        {R"( templatePolicy="append")", {7, 8, 9}, {"f1", "f2", "f3"}},
        {"", {7, 8, 9}, {"f1", "f2", "f3"}},
    };
    int n = 0;
    for (const Case& c : cases)
    {
        ++n;
        ASSERT_EQ(Load(Numbered(base + R"(
<Dish name="Merged#" template="Base#">
  <intList name="Points")" + c.policy + R"(><int value="7"/><int value="8"/><int value="9"/></intList>
  <GarnishList name="Sides")" + c.policy +
                                    R"(><Garnish colour="f1"/><Garnish colour="f2"/><Garnish colour="f3"/></GarnishList>
</Dish>)",
                                n)),
                  "")
            << c.policy;
        const Dish* merged = DishNamed(Numbered("Merged#", n));
        ASSERT_NE(merged, nullptr);
        EXPECT_EQ(merged->points, c.points) << c.policy;
        EXPECT_EQ(Colours(merged->sides), c.sides) << c.policy;
    }
}

TEST_F(RecordBindingTest, EachCheckNamesTheDataFileAndLineAndTheNextResourceStillLoads)
{
    struct Case
    {
        std::string failing; // a Dish named "Bad#", beginning on line 3 of its manifest
        std::string message; // after "<file>(<line>): "
        int line;
    };
    const std::string ok = R"( id="x" speaker="Left")";
    const Case cases[] = {
        {"<Dish name=\"Bad#\" speaker=\"Left\">\n" + kChildren + "</Dish>", "missing attribute 'id'", 3},
        {"<Dish name=\"Bad#\" id=\"x\" speaker=\"left\">\n" + kChildren + "</Dish>",
         "couldn't convert the attribute 'speaker' to the required type (acceptable values are: 'Left', 'Right')", 3},
        {"<Dish name=\"Bad#\" id=\"x\" servings=\"2147483648\" speaker=\"Left\">\n" + kChildren + "</Dish>",
         "couldn't convert attribute 'servings' to the required type ('int')", 3},
        {"<Dish name=\"Bad#\" template=\"Nowhere\">\n" + kChildren + "</Dish>", "template 'Nowhere' not found", 3},
        {"<Dish name=\"Bad#\" template=\"Mint#\">\n" + kChildren + "</Dish>", "template 'Mint#' not found", 3},
        {"<Dish name=\"Bad#\" template=\"Next#\">\n" + kChildren + "</Dish>", "template 'Next#' not found", 3},
        {"<Dish name=\"Bad#\"" + ok + ">\n" + kChildren + "\n<Garnish colour=\"red\"/>\n</Dish>",
         "an element of type 'Garnish' is missing its 'name' attribute", 8},
        {"<Dish name=\"Bad#\"" + ok + ">\n" + kChildren + "\n<Garnish name=\"Extra\"/>\n</Dish>",
         "Unexpected element. Type: 'Garnish' name: 'Extra'.", 8},
        {"<Dish name=\"Bad#\"" + ok + ">\n" + kChildren + "\n<Garnish name=\"topping\" colour=\"red\"/>\n</Dish>",
         "element 'Garnish' has multiple specifications", 8},
        {"<Dish name=\"Bad#\"" + ok + ">\n<Garnish name=\"Topping\" colour=\"gold\"/>\n</Dish>",
         "missing element 'Sides'", 5},
        {"<Dish name=\"Bad#\"" + ok + ">\n<Dish name=\"Topping\" colour=\"gold\"/>\n</Dish>",
         "For element 'Topping', expected type 'Garnish' (saw 'Dish')", 4},
        {"<Dish name=\"Bad#\"" + ok + ">\n<LabelList name=\"Points\"/>\n</Dish>",
         "For element 'Points', expected type 'intList' (saw 'LabelList')", 4},
        {"<Dish name=\"Bad#\"" + ok + ">\n<intList name=\"Points\">\n<Label value=\"1\"/>\n</intList>\n</Dish>",
         "in 'Points', unexpected child element (expected 'int', saw 'Label')", 5},
        {"<Dish name=\"Bad#\"" + ok + ">\n<LabelList name=\"Tags\">\n<Label/>\n</LabelList>\n</Dish>",
         "in 'Tags', child element missing 'value' attribute", 5},
        {"<Dish name=\"Bad#\"" + ok + ">\n<intList name=\"Points\">\n<int value=\"\"/>\n</intList>\n</Dish>",
         "in 'Points', couldn't convert attribute 'value' to the required type ('int')", 5},
        {"<Dish name=\"Bad#\"" + ok + ">\n<GarnishList name=\"Sides\">\n<Garnish weight=\"1\"/>\n</GarnishList>\n</Dish>",
         "missing attribute 'colour'", 5},
        {"<Dish name=\"Bad#\" speaker=\"Left\">\n<Garnish name=\"Extra\"/>\n</Dish>", "missing attribute 'id'", 3},
    };
    int n = 0;
    for (const Case& c : cases)
    {
        ++n;
        // Mint (a Garnish) and Next stand around the failing record, each on one line.
        const std::string error = Load(Numbered("<Garnish name=\"Mint#\" colour=\"mint\"/>" + c.failing +
                                                    "\n<Dish name=\"Next#\" id=\"next\" speaker=\"Left\">" +
                                                    kChildren + "</Dish>",
                                                n));
        EXPECT_EQ(error, File() + "(" + std::to_string(c.line) + "): " + Numbered(c.message, n));
        EXPECT_EQ(ResourceManager::Instance()->Find(Label(Numbered("Bad#", n))), nullptr) << c.message;
        const Dish* next = DishNamed(Numbered("Next#", n));
        ASSERT_NE(next, nullptr) << "after: " << c.message;
        EXPECT_EQ(next->id, Label("next"));
    }
}

TEST_F(RecordBindingTest, SimpleListsTakeEveryStartTagOfTheirSubtreeAsAnItem)
{
    ASSERT_EQ(Load(R"(<Dish name="Nested" id="x" speaker="Left">
  <Garnish name="Topping" colour="gold"/>
  <GarnishList name="Sides">  </GarnishList>
  <intList name="Points">one<int value="1"><int value="2"/></int>two<int value="3"/></intList>
  <LabelList name="Tags"/>
</Dish>)"),
              "");
    const Dish* nested = DishNamed("Nested");
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->points, (std::vector<int>{1, 2, 3})) << "an item inside an item is the next item";
    EXPECT_TRUE(nested->sides.empty());
    EXPECT_TRUE(nested->tags.empty());
}

TEST_F(RecordBindingTest, IntegerAttributesReadWhatAStreamReads)
{
    struct Case
    {
        const char* text;
        bool converts;
        int value;
    };
    const Case cases[] = {
        {"12abc", true, 12}, {" 7", true, 7},    {"-2147483648", true, -2147483647 - 1},
        {"0x10", true, 0},   {"+5", true, 5},    {"", false, 0},
        {"abc", false, 0},   {"+", false, 0},    {"2147483648", false, 0},
    };
    int n = 0;
    for (const Case& c : cases)
    {
        ++n;
        const std::string error = Load(Numbered("<Dish name=\"Count#\" id=\"x\" speaker=\"Left\" servings=\"", n) +
                                       c.text + "\">" + kChildren + "</Dish>");
        if (c.converts)
        {
            ASSERT_EQ(error, "") << c.text;
            EXPECT_EQ(DishNamed(Numbered("Count#", n))->servings, c.value) << c.text;
        }
        else
            EXPECT_EQ(error, File() + "(3): couldn't convert attribute 'servings' to the required type ('int')")
                << c.text;
    }
}
