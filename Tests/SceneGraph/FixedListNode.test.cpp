#include "SceneGraph/FixedListNode.h"

#include "Graphics/Font.h"
#include "Graphics/RecordingCanvas.h"
#include "Support/ControlScene.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
constexpr int kUp = 38, kDown = 40;

// Records pictures, fills and, as "DrawText", lines of text with their state.
class ListCanvas : public RecordingCanvas, public ITextDrawingCanvas
{
public:
    ListCanvas() : RecordingCanvas({"IQuadDrawingCanvas"}, {0, 0, 800, 600}) {}
    bool QueryInterface(Label name, void** out) override
    {
        return AnswerInterface<ITextDrawingCanvas>(name, this, out) || RecordingCanvas::QueryInterface(name, out);
    }
    int DrawText(const wchar_t* text, float x, float y, const DrawState& state) override
    {
        calls.push_back({"DrawText " + std::string(text, text + std::wcslen(text)), {x, y}, nullptr, state});
        return 0;
    }
    std::vector<CanvasCall> Calls(const std::string& prefix) const
    {
        std::vector<CanvasCall> found;
        for (const CanvasCall& call : calls)
            if (call.operation.rfind(prefix, 0) == 0)
                found.push_back(call);
        return found;
    }
};

// A list "Accounts" at (100, 40), 80 x 50, rows 20 high (so the third visible row is 10 high),
// with three rows "a", "b", "c".
class FixedListNodeTest : public testing::Test
{
protected:
    FixedListNodeTest()
    {
        RegisterNodeFactory(L"fixedlistnode", new FixedListNodeFactory);
        scene.Load(R"(<testfont name="Font"/>)");
        scene.AddSolidImage("Selected", 40, 20, 0xFF2080FF);
        list = dynamic_cast<FixedListNode*>(
            scene.Show(R"(<fixedlistnode name="Accounts" nodeName="Accounts" x="100" y="40" width="80" height="50"
                            entryHeight="20" itemOffsetX="40" itemOffsetY="2" numEntries="4" font="Font"
                            selectedImage="Selected" textColor="#102030" selectedTextColor="#FFFFFF80"/>)"));
        for (const wchar_t* row : {L"a", L"b", L"c"})
            list->AddItem(row, 7);
        scene.Update();
    }
    ListCanvas Draw()
    {
        ListCanvas canvas;
        scene.Draw(&canvas);
        return canvas;
    }

    ControlScene scene;
    FixedListNode* list = nullptr;
};
} // namespace

TEST_F(FixedListNodeTest, EverySettingOfTheSelectionIsAnnouncedClicksIncluded)
{
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetRowCount(), 4);
    EXPECT_EQ(list->GetSelection(), -1);
    EXPECT_TRUE(scene.TakeMessages().empty()) << "adding rows selects nothing";

    const struct
    {
        int x, y;
        int selection;
        bool announced;
    } clicks[] = {
        {100, 40, 0, true},                      // the top-left corner is in
        {180, 60, 0, true},                      // edges are in: the edge two rows share is the upper one's
        {150, 75, 1, true},  {150, 75, 1, true}, // the same row again: announced again
        {150, 85, 2, true},                      // the cut third row
        {150, 95, 2, false},                     // below the list: not taken
    };
    for (const auto& c : clicks)
    {
        scene.Click(c.x, c.y);
        EXPECT_EQ(list->GetSelection(), c.selection) << c.x << "," << c.y;
        EXPECT_EQ(scene.TakeMessages().size(), c.announced ? 1u : 0u) << c.x << "," << c.y;
    }
    EXPECT_EQ(list->GetRowRect(2).height, 10.0f);
    EXPECT_EQ(list->GetRowRect(3).height, -10.0f);

    list->Clear();
    EXPECT_EQ(list->GetSelection(), -1);
    EXPECT_EQ(list->GetSelectedEntry(), nullptr);
    list->Clear();
    EXPECT_EQ(scene.TakeMessages(), std::vector<std::string>(2, "ListSelectionChange Accounts"))
        << "clearing announces, even an empty list";
    EXPECT_FALSE(list->CanTakeFocus()) << "an empty list takes no focus";
}

TEST_F(FixedListNodeTest, ArrowKeysMoveTheSelectionOnlyWhileFocusedAndActive)
{
    EXPECT_FALSE(list->KeyDown(512)) << "without the focus";
    list->SetKeyboardFocus();
    const struct
    {
        int key;
        bool handled;
        int selection;
        bool active;
        bool announced;
    } keys[] = {
        {kDown, false, -1, false, false},                               // not active yet
        {512, true, -1, true, false},     {kUp, true, -1, true, false}, // nothing selected: nothing moves
        {kDown, true, 0, true, true},     {kDown, true, 1, true, true}, {kDown, true, 2, true, true},
        {kDown, true, 2, true, false}, // the last row
        {65, false, 2, true, false},      {513, true, 2, false, false}, {kUp, false, 2, false, false},
        {512, true, 2, true, false},      {kUp, true, 1, true, true},
    };
    for (const auto& k : keys)
    {
        EXPECT_EQ(list->KeyDown(k.key), k.handled) << k.key;
        EXPECT_EQ(list->GetSelection(), k.selection) << k.key;
        EXPECT_EQ(list->IsActive(), k.active) << k.key;
        EXPECT_EQ(scene.TakeMessages().size(), k.announced ? 1u : 0u) << k.key;
    }
    list->ReleaseKeyboardFocus();
    EXPECT_FALSE(list->IsActive()) << "losing the focus ends the active state";
}

TEST_F(FixedListNodeTest, TheSelectedRowShowsItsPictureAndColourOrCyanWhileActive)
{
    list->SetSelection(1);
    ListCanvas plain = Draw();
    const auto texts = plain.Calls("DrawText");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].operation, "DrawText a");
    const Font* font = ResourceManager::Get<Font>(Label("Font")).Get();
    EXPECT_EQ(texts[0].numbers, (std::vector<float>{140.0f - Font::MeasureString(*font, L"a") / 2, 42}))
        << "centred on the item offset";
    EXPECT_EQ(texts[0].state.color, ParseColor(L"#102030"));
    EXPECT_EQ(texts[1].state.color, (ColorF{1, 1, 1, 1})) << "the selected colour, alpha the node's";
    EXPECT_EQ(texts[2].state.clip, (Rect<int>{100, 80, 80, 10})) << "the cut row clips its text";
    const auto pictures = plain.Calls("DrawImage");
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].numbers, (std::vector<float>{120, 60})) << "centred across, at the row's top";
    EXPECT_TRUE(plain.Calls("FillRect").empty());

    list->SetKeyboardFocus();
    EXPECT_EQ(Draw().Calls("FillRect").size(), 1u) << "the focus highlight";
    list->KeyDown(512);
    ListCanvas active = Draw();
    EXPECT_TRUE(active.Calls("FillRect").empty());
    EXPECT_TRUE(active.Calls("DrawImage").empty());
    EXPECT_EQ(active.Calls("DrawText")[1].state.color, (ColorF{0, 1, 1, 1}));
}
