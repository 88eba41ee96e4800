#include "SceneGraph/NodeGridNode.h"

#include "Support/SceneHarness.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>
#include <vector>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Sizes = std::vector<std::pair<int, int>>;
using Points = std::vector<std::pair<float, float>>;

// A grid element with the given attributes over plain children of the given sizes.
std::string GridOf(const std::string& attributes, const Sizes& children)
{
    std::ostringstream xml;
    xml << "<nodegridnode " << attributes << ">";
    for (const auto& [width, height] : children)
        xml << R"(<scenenode width=")" << width << R"(" height=")" << height << R"("/>)";
    xml << "</nodegridnode>";
    return xml.str();
}

Points PositionsOf(const SceneNode& grid)
{
    Points points;
    for (const SceneNode* child : grid.GetChildren())
        points.emplace_back(child->GetPosition().x, child->GetPosition().y);
    return points;
}

TEST(NodeGridNode, LaysChildrenOutInWrappingRowsOrColumnsAndTakesTheirSize)
{
    SceneHarness scene;
    const Sizes three = {{10, 10}, {10, 10}, {10, 10}};
    const Sizes tallFirst = {{10, 20}, {10, 10}, {10, 10}, {10, 10}, {10, 10}};
    const Sizes wideFirst = {{20, 10}, {10, 10}, {10, 10}, {10, 10}, {10, 10}};
    struct Case
    {
        const char* attributes;
        Sizes children;
        Points positions;
        float width, height;
    };
    const Case cases[] = {
        {R"(maxWidth="25" hSpacing="2" vSpacing="3")", three, {{0, 0}, {12, 0}, {0, 13}}, 22, 23},
        // No limit (the default): one row.
        {R"(hSpacing="2" vSpacing="3")", three, {{0, 0}, {12, 0}, {24, 0}}, 34, 10},
        {R"(maxWidth="-1" hSpacing="2" vSpacing="3")", three, {{0, 0}, {12, 0}, {24, 0}}, 34, 10},
        // The row height is the tallest child so far, in any row, the last row's included.
        {R"(maxWidth="25" hSpacing="2" vSpacing="3")",
         tallFirst,
         {{0, 0}, {12, 0}, {0, 23}, {12, 23}, {0, 46}},
         22,
         66},
        // Vertical first mirrors it: the column width is the widest child so far.
        {R"(gridGrowBehavior="verticalFirst" maxHeight="25" hSpacing="3" vSpacing="2")",
         wideFirst,
         {{0, 0}, {0, 12}, {23, 0}, {23, 12}, {46, 0}},
         66,
         22},
        {R"(gridGrowBehavior="verticalFirst" hSpacing="2" vSpacing="3" maxWidth="15")",
         three,
         {{0, 0}, {0, 13}, {0, 26}},
         10,
         36},
        // The grow word is matched exactly: anything else fills rows.
        {R"(gridGrowBehavior="VerticalFirst" maxHeight="15" hSpacing="2")", three, {{0, 0}, {12, 0}, {24, 0}}, 34, 10},
        // A child wider than the limit starts a new row even from an empty one.
        {R"(maxWidth="5" vSpacing="3")", {{10, 10}}, {{0, 3}}, 10, 13},
        // The widest finished row gives the width.
        {R"(maxWidth="30" hSpacing="1")", {{25, 5}, {10, 5}, {10, 5}}, {{0, 0}, {0, 5}, {11, 5}}, 25, 10},
        {R"(maxWidth="25")", {}, {}, 0, 0},
    };
    for (const Case& c : cases)
    {
        const std::string xml = GridOf(c.attributes, c.children);
        auto* grid = dynamic_cast<NodeGridNode*>(scene.Show(xml));
        ASSERT_NE(grid, nullptr) << xml;
        EXPECT_EQ(PositionsOf(*grid), c.positions) << xml;
        EXPECT_EQ(grid->GetWidth(), c.width) << xml;
        EXPECT_EQ(grid->GetHeight(), c.height) << xml;
    }
}

TEST(NodeGridNode, AttachingOrUnlinkingAChildLaysTheGridOutAgain)
{
    SceneHarness scene;
    auto* grid = dynamic_cast<NodeGridNode*>(
        scene.Show(GridOf(R"(maxWidth="25" hSpacing="2" vSpacing="3")", {{10, 10}, {10, 10}, {10, 10}})));
    ASSERT_NE(grid, nullptr);
    SceneNode* first = grid->GetChildren().front();

    scene.Screen().Remove(first->GetID());
    EXPECT_EQ(PositionsOf(*grid), (Points{{0, 0}, {12, 0}}));
    EXPECT_EQ(grid->GetWidth(), 22);
    EXPECT_EQ(grid->GetHeight(), 10);

    // A node moved in from elsewhere joins the end; moved out again, the rest close up.
    SceneNode* other = scene.Show(R"(<scenenode width="4" height="30"/>)");
    other->SetParent(grid);
    EXPECT_EQ(PositionsOf(*grid), (Points{{0, 0}, {12, 0}, {0, 13}}));
    EXPECT_EQ(grid->GetHeight(), 43);
    grid->GetChildren().front()->SetParent(scene.Root());
    EXPECT_EQ(PositionsOf(*grid), (Points{{0, 0}, {12, 0}}));
    EXPECT_EQ(grid->GetWidth(), 16);
    EXPECT_EQ(grid->GetHeight(), 30);

    // A child that grows keeps its place until the grid is told to arrange again.
    grid->GetChildren().front()->SetSize(20, 10);
    EXPECT_EQ(PositionsOf(*grid), (Points{{0, 0}, {12, 0}}));
    grid->Arrange();
    EXPECT_EQ(PositionsOf(*grid), (Points{{0, 0}, {0, 13}}));
    scene.Update();
}

TEST(NodeGridNode, ChildrenReadFromALayoutAreMeasuredWithTheirWholeTrees)
{
    SceneHarness scene;
    scene.Load(R"(
        <scenelayout name="Card">
          <scenenode><testboxnode width="30" height="20" color="#FF0000"/></scenenode>
        </scenelayout>
        <scenelayout name="Hand">
          <scenenode>
            <nodegridnode nodeName="Cards" maxWidth="70" hSpacing="5" vSpacing="4">
              <scenenode><testboxnode width="30" height="20"/></scenenode>
              <sceneref scenename="Card"/>
              <scenenode><scenenode x="2" y="3"><testboxnode width="10" height="10"/></scenenode></scenenode>
              <nodegridnode hSpacing="10">
                <testboxnode width="25" height="8"/><testboxnode width="25" height="8"/>
              </nodegridnode>
            </nodegridnode>
          </scenenode>
        </scenelayout>)");
    SceneNode* hand = scene.Instantiate("Hand");
    ASSERT_NE(hand, nullptr);
    auto* grid = dynamic_cast<NodeGridNode*>(hand->FindByPath({"Cards"}));
    ASSERT_NE(grid, nullptr);
    // Card extents 30 x 20, 30 x 20, 10 x 10 (its box sits inside, offset) and the inner grid's
    // 60 x 8, which no longer fits the second row.
    EXPECT_EQ(PositionsOf(*grid), (Points{{0, 0}, {35, 0}, {0, 24}, {0, 48}}));
    EXPECT_EQ(grid->GetWidth(), 65);
    EXPECT_EQ(grid->GetHeight(), 68);
}
} // namespace
