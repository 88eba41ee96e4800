// The scroll bar built from layout elements in a scene-graph screen: its arrows, their names (also
// when the bar is the root of a controller's layout) and their clicks.
#include "SceneGraph/ScrollBarNode.h"

#include "Graphics/RecordingCanvas.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/SceneLayoutController.h"
#include "Support/ControlScene.h"
#include "Support/TestImageLists.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;

// A channel of three 12 x 8 pieces and arrows of four 40 x 16 pictures (each pixel's alpha its
// column: the arrows are hit from their column 26 on).
class ScrollBarNodeTest : public testing::Test
{
protected:
    ScrollBarNodeTest()
    {
        scene.Load(R"(<testimagelist name="Channel" sizes="12x8,12x8,12x8"/>
                      <testimagelist name="Up" sizes="40x16,40x16,40x16,40x16"/>
                      <testimagelist name="Down" sizes="40x16,40x16,40x16,40x16"/>)");
    }

    ControlScene scene;
};

// A controller's tree: its layout is built without a parent, registered, then attached.
class BarPanel : public SceneLayoutController
{
protected:
    SceneNode* CreateNode() override { return SceneLayout::Find(Label("DishesBar"))->Instantiate(nullptr, nullptr); }
};
} // namespace

TEST_F(ScrollBarNodeTest, TwoBarsInOneScreenEachNameTheirOwnArrowsAndTheirClicksSayWhich)
{
    scene.Show(R"(<scenenode>
        <scrollbarnode name="Recipes" x="10" y="10" height="100" channelImages="Channel" upArrowImages="Up"
                       downArrowImages="Down" thumbImages="Up"/>
        <scrollbarnode nodeName="Guests" x="60" y="10" height="100" channelImages="Channel" upArrowImages="Up"
                       downArrowImages="Down"/>
      </scenenode>)");
    scene.Load(R"(<scenelayout name="DishesBar">
        <scrollbarnode name="Dishes" x="110" y="10" height="100" channelImages="Channel" upArrowImages="Up"
                       downArrowImages="Down"/>
      </scenelayout>)");
    (new BarPanel)->Attach(scene.Root());
    scene.Update();
    const ObjectDatabase& screen = scene.Screen();
    for (const char* bar : {"Recipes", "Guests", "Dishes"})
        for (const char* arrow : {"ScrollUp", "ScrollDown"})
        {
            const std::string name = std::string(bar) + arrow;
            auto* button = dynamic_cast<ButtonNode*>(screen.FindByName(Label(name)));
            ASSERT_NE(button, nullptr) << name;
            EXPECT_EQ(button->GetNodeName(), Label(name));
            EXPECT_EQ(NodeCast<ScrollBarNode>(button->GetParent()) != nullptr, true) << name;
        }
    EXPECT_EQ(screen.FindByName(Label("ScrollUp")), nullptr);

    const struct
    {
        Vector2<int> point;
        const char* sender;
    } clicks[] = {{{40, 15}, "RecipesScrollUp"},
                  {{40, 105}, "RecipesScrollDown"},
                  {{90, 100}, "GuestsScrollDown"},
                  {{90, 25}, "GuestsScrollUp"},
                  {{140, 15}, "DishesScrollUp"},
                  {{15, 60}, nullptr}};
    for (const auto& click : clicks)
    {
        scene.MoveMouse(click.point.x, click.point.y);
        scene.Click(click.point.x, click.point.y);
        EXPECT_EQ(scene.TakeMessages(), click.sender ? Log{std::string("ButtonClick ") + click.sender} : Log{})
            << click.point.x << ", " << click.point.y;
    }
}

TEST_F(ScrollBarNodeTest, TheArrowsSitAtTheTopAndTheBottomOfTheChannel)
{
    const struct
    {
        const char* height;
        float nodeHeight;
        float downY;
    } cases[] = {
        {R"(height="100")", 100, 84},
        {R"(height="10")", 10, -6}, // lower than an arrow: the down arrow starts above the bar
        {"", 32, 16},               // no height: the two arrows one on the other
    };
    for (const auto& c : cases)
    {
        auto* bar = dynamic_cast<ScrollBarNode*>(scene.Show(std::string(R"(<scrollbarnode name="Bar" )") + c.height +
                                                            R"( channelImages="Channel" upArrowImages="Up"
                                                                downArrowImages="Down"/>)"));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ((Vector2<float>{bar->GetWidth(), bar->GetHeight()}), (Vector2<float>{12, c.nodeHeight}));
        ASSERT_EQ(bar->GetChildren().size(), 2u);
        EXPECT_EQ(bar->GetChildren().front(), bar->GetUpButton());
        EXPECT_EQ(bar->GetUpButton()->GetPosition(), (Vector2<float>{0, 0}));
        EXPECT_EQ(bar->GetDownButton()->GetPosition(), (Vector2<float>{0, c.downY}));
        scene.Screen().Remove(bar->GetID());
        scene.Update();
    }
}

TEST_F(ScrollBarNodeTest, TheChannelIsAColumnOfThreePiecesUnderTheArrows)
{
    scene.Show(R"(<scrollbarnode name="Bar" x="5" y="6" height="40" channelImages="Channel" upArrowImages="Up"
                                downArrowImages="Down"/>)");
    scene.Update();
    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    scene.Draw(&canvas);
    const ImageList& channel = *ResourceManager::Get<ImageList>(Label("Channel")).Get();
    const ImageList& up = *ResourceManager::Get<ImageList>(Label("Up")).Get();
    const ImageList& down = *ResourceManager::Get<ImageList>(Label("Down")).Get();
    std::vector<std::string> drawn;
    for (const CanvasCall& call : canvas.calls)
        drawn.push_back(std::to_string(ItemIndex(channel, call.image)) + std::to_string(ItemIndex(up, call.image)) +
                        std::to_string(ItemIndex(down, call.image)) + " at " + std::to_string(int(call.numbers[0])) +
                        "," + std::to_string(int(call.numbers[1])));
    // The channel (top cap, bottom cap, middles), then the up and the down arrow over it.
    EXPECT_EQ(drawn, (std::vector<std::string>{"0-1-1 at 5,6", "2-1-1 at 5,38", "1-1-1 at 5,14", "1-1-1 at 5,22",
                                               "1-1-1 at 5,30", "-10-1 at 5,6", "-1-10 at 5,30"}));
}

TEST_F(ScrollBarNodeTest, WithoutPicturesTheBarAndItsArrowsTakeNoRoomAndNoPresses)
{
    auto* bar = dynamic_cast<ScrollBarNode*>(scene.Show(R"(<scrollbarnode name="Bar" x="10" y="10" height="50"/>)"));
    ASSERT_NE(bar, nullptr);
    scene.Update();
    EXPECT_EQ(bar->GetWidth(), 0.0f);
    EXPECT_EQ(bar->GetDownButton()->GetPosition(), (Vector2<float>{0, 50}));
    for (const int y : {10, 59, 60})
        scene.Click(10, y);
    EXPECT_TRUE(scene.TakeMessages().empty());
    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    scene.Draw(&canvas);
    EXPECT_TRUE(canvas.calls.empty());
}
