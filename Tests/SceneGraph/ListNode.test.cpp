// The list node built from layout elements in a scene-graph screen, driven by input through the
// main loop.
#include "SceneGraph/ListNode.h"

#include "Framework/KeyNames.h"
#include "Graphics/RecordingCanvas.h"
#include "Support/ControlScene.h"
#include "Support/TextCanvas.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;
constexpr int kUp = 38;
constexpr int kDown = 40;

// A frame of nine 4 x 4 pieces and a font of line height 10: rows 12 high. The list "Dishes" sits at
// (10, 10), 100 x 48, inside a hit-testable panel that counts the presses that reach it; its area
// is (14, 14, 92, 40): three whole rows and a fourth cut to 4.
class ListNodeTest : public testing::Test
{
protected:
    ListNodeTest()
    {
        scene.Load(R"(<testimagelist name="Frame" sizes="4x4,4x4,4x4,4x4,4x4,4x4,4x4,4x4,4x4"/>
                      <testfont name="Font"/>)");
    }

    ListNode* Show(int entries, const std::string& attributes = R"(images="Frame" font="Font")")
    {
        SceneNode* panel = scene.Show(R"(<scenenode width="200" height="200" hitTest="true">
                                           <listnode nodeName="Dishes" x="10" y="10" width="100" height="48"
                                                     textColor="#202020" selectedTextColor="#FFFF00" )" +
                                      attributes + "/></scenenode>");
        panel->Signals().ButtonDown.connect([this](SceneNode*, MouseButton, int, int) { ++panelPresses; });
        auto* list = panel->FindByPathAs<ListNode>({"Dishes"});
        for (int i = 0; i < entries; ++i)
            list->AddEntry(L"Dish " + std::to_wstring(i), 100 + i);
        scene.Update();
        return list;
    }
    std::vector<TextCanvas::Line> DrawText()
    {
        TextCanvas canvas;
        scene.Draw(&canvas);
        return canvas.lines;
    }

    ControlScene scene;
    int panelPresses = 0;
};
} // namespace

TEST_F(ListNodeTest, RowsLieInsideTheFrameAndTheLastOneIsCutAtItsBottom)
{
    ListNode* list = Show(6);
    EXPECT_EQ(list->GetListArea(), (Rect<float>{14, 14, 92, 40}));
    EXPECT_EQ(list->GetRowRect(0), (Rect<float>{14, 14, 92, 12}));
    EXPECT_EQ(list->GetRowRect(3), (Rect<float>{14, 50, 92, 4}));
    EXPECT_EQ(list->GetRowRect(4), (Rect<float>{14, 62, 92, -8}));
    EXPECT_EQ(list->GetVisibleRowCount(), 3);

    const std::vector<TextCanvas::Line> lines = DrawText();
    ASSERT_EQ(lines.size(), 4u) << "rows below the area are not drawn";
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(lines[i].text, L"Dish " + std::to_wstring(i));
        EXPECT_EQ((Vector2<float>{lines[i].x, lines[i].y}), (Vector2<float>{14.0f, 14.0f + 12 * i}));
        EXPECT_EQ(lines[i].state.clip, (Rect<int>{14, 14 + 12 * i, 92, i == 3 ? 4 : 12})) << i;
    }
    list->SetSelection(1);
    EXPECT_EQ(DrawText()[1].color, (ColorF{1.0f, 1.0f, 0.0f, 1.0f}));
    EXPECT_EQ(DrawText()[2].color, ColorF::FromPacked(0xFF202020u));
}

TEST_F(ListNodeTest, APressSelectsTheRowUnderItAndElsewhereGoesOnToTheNodesBelow)
{
    ListNode* list = Show(2);
    const struct
    {
        Vector2<int> point;
        int selected; // -1: the press went on to the panel
    } presses[] = {
        {{50, 30}, 1},  {{50, 30}, 1}, {{14, 14}, 0}, {{105, 25}, 0}, {{106, 25}, -1}, // right of the area
        {{13, 20}, -1},                                                                // on the frame
        {{50, 38}, -1},                                                                // below the last row
    };
    for (const auto& press : presses)
    {
        const int before = panelPresses;
        scene.Click(press.point.x, press.point.y);
        if (press.selected < 0)
        {
            EXPECT_EQ(panelPresses, before + 1) << press.point.x << ", " << press.point.y;
            EXPECT_TRUE(scene.TakeMessages().empty());
        }
        else
        {
            EXPECT_EQ(list->GetSelection(), press.selected);
            EXPECT_EQ(scene.TakeMessages(), Log{"ListSelectionChange Dishes"}) << "also for the selected row";
            EXPECT_EQ(panelPresses, before);
        }
    }

    list->SetVisible(false);
    scene.Update();
    scene.Click(50, 18);
    EXPECT_EQ(list->GetSelection(), 0) << "a hidden list takes no presses";
    EXPECT_TRUE(scene.TakeMessages().empty());
}

TEST_F(ListNodeTest, KeysMoveTheSelectionOnlyWithTheFocusInKeyboardModeAndScrollToKeepItWhole)
{
    ListNode* list = Show(6);
    scene.KeyDown(kKeyboardModeOn);
    EXPECT_FALSE(list->IsActive()) << "keys need the focus";
    list->SetKeyboardFocus();
    scene.KeyDown(kDown);
    EXPECT_EQ(list->GetSelection(), -1) << "and the keyboard mode";
    scene.KeyDown(kKeyboardModeOn);
    ASSERT_TRUE(list->IsActive());

    const struct
    {
        int key;
        int selected;
        int top;
    } steps[] = {
        {kDown, 0, 0}, {kDown, 1, 0}, {kDown, 2, 0}, {kDown, 3, 1}, {kDown, 4, 2}, {kDown, 5, 3},
        {kDown, 5, 3}, // the last entry: nothing changes, the key is still taken
        {kUp, 4, 3},   {kUp, 3, 3},   {kUp, 2, 2},   {kUp, 1, 1},   {kUp, 0, 0},   {kUp, 0, 0},
    };
    for (const auto& step : steps)
    {
        scene.KeyDown(step.key);
        EXPECT_EQ(list->GetSelection(), step.selected);
        EXPECT_EQ(list->GetTop(), step.top) << "selection " << step.selected;
    }
    EXPECT_EQ(scene.TakeMessages().size(), 11u) << "every move selects; the ends do not";

    scene.KeyDown(kKeyboardModeOff);
    EXPECT_FALSE(list->IsActive());
    scene.KeyDown(kKeyboardModeOn);
    list->ReleaseKeyboardFocus();
    EXPECT_FALSE(list->IsActive()) << "losing the focus ends the keyboard mode";
    EXPECT_EQ(list->GetSelection(), 0) << "and keeps the selection";

    list->Clear();
    EXPECT_EQ(list->GetSelection(), -1);
    EXPECT_FALSE(list->CanTakeFocus()) << "an empty list takes no focus";
}

TEST_F(ListNodeTest, TheSelectedRowShowsCyanInKeyboardModeAndTheFocusedListIsHighlighted)
{
    ListNode* list = Show(3, R"(images="Frame" font="Font" alpha="0.5")");
    list->SetSelection(1);
    list->SetKeyboardFocus();
    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    scene.Draw(&canvas);
    const auto fill = std::find_if(canvas.calls.begin(), canvas.calls.end(),
                                   [](const CanvasCall& call) { return call.operation == "FillRectF"; });
    ASSERT_NE(fill, canvas.calls.end());
    EXPECT_EQ(fill->numbers, (std::vector<float>{10, 10, 100, 48}));
    EXPECT_EQ(fill->state.color, (ColorF{1.0f, 1.0f, 1.0f, 0.15f})) << "whatever the list's own alpha";
    EXPECT_EQ(DrawText()[1].color, (ColorF{1.0f, 1.0f, 0.0f, 0.5f}));

    scene.KeyDown(kKeyboardModeOn);
    canvas.calls.clear();
    scene.Draw(&canvas);
    EXPECT_TRUE(std::none_of(canvas.calls.begin(), canvas.calls.end(),
                             [](const CanvasCall& call) { return call.operation == "FillRectF"; }));
    EXPECT_EQ(DrawText()[1].color, (ColorF{0.0f, 1.0f, 1.0f, 0.5f}));
    EXPECT_EQ(DrawText()[0].color, (ColorF{32 / 255.0f, 32 / 255.0f, 32 / 255.0f, 0.5f}));
}

TEST_F(ListNodeTest, WithoutFontOrFrameTheListShowsAndTakesNothingInTheirPlace)
{
    ListNode* noFont = Show(3, R"(images="Frame" font="Nowhere")");
    EXPECT_TRUE(DrawText().empty());
    scene.Click(50, 18);
    EXPECT_EQ(noFont->GetSelection(), -1);
    EXPECT_EQ(panelPresses, 1);
    scene.Screen().Remove(noFont->GetParent()->GetID());
    scene.Update();

    ListNode* noFrame = Show(3, R"(images="Nowhere" font="Font")");
    EXPECT_EQ(noFrame->GetListArea(), (Rect<float>{10, 10, 100, 48})) << "the rows fill the node";
    scene.Click(50, 11);
    EXPECT_EQ(noFrame->GetSelection(), 0);
    EXPECT_EQ(DrawText().size(), 3u);
}
