#include "Widgets/ListObject.h"

#include "Support/TestClock.h"
#include "Support/TestFont.h"
#include "Support/TestImageLists.h"
#include "Support/WidgetFixture.h"
#include "Widgets/WidgetFocus.h"

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr int kUp = 38, kDown = 40;

// A list "names" at (100, 50), 80 wide and 3 rows of 12 high (a font of line height 10), with a
// clock the test moves.
class ListTest : public WidgetFixture
{
protected:
    ListTest()
    {
        list = Add(new ListObject(Label("names")), {100, 50, 80, 36});
        list->SetFont(&font);
        list->SetClock(&clock);
    }

    void Fill(int count)
    {
        for (int i = 0; i < count; ++i)
            list->AddItem(L"item " + std::to_wstring(i), static_cast<std::uint32_t>(i));
    }

    void Click(int x, int y)
    {
        screen.OnMouseDown(0, x, y);
        screen.OnMouseUp(0, x, y);
    }

    FixedAdvanceFont font{6, 10};
    TestClock clock;
    ListObject* list = nullptr;
};
} // namespace

TEST_F(ListTest, UpAndDownSelectAndScrollTheSelectionIntoView)
{
    Fill(10);
    EXPECT_FALSE(screen.OnKeyDown(kDown)) << "without the focus";
    SetFocus(list);
    const struct
    {
        int key;
        int selected;
        int top;
        std::size_t messages;
    } steps[] = {
        {kUp, 0, 0, 1}, {kDown, 1, 0, 1}, {kDown, 2, 0, 1}, {kDown, 3, 1, 1}, {kDown, 4, 2, 1},
        {kUp, 3, 2, 1}, {kUp, 2, 2, 1},   {kUp, 1, 1, 1},   {kUp, 0, 0, 1},   {kUp, 0, 0, 0},
    };
    for (const auto& step : steps)
    {
        EXPECT_TRUE(screen.OnKeyDown(step.key));
        EXPECT_EQ(list->GetSelection(), step.selected);
        EXPECT_EQ(list->GetTopIndex(), step.top) << "selection " << step.selected;
        EXPECT_EQ(TakeMessages().size(), step.messages);
    }
    EXPECT_FALSE(screen.OnKeyDown(13));

    list->SetSelection(9);
    TakeMessages();
    EXPECT_TRUE(screen.OnKeyDown(kDown)) << "the last item keeps the selection";
    EXPECT_EQ(list->GetSelection(), 9);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ListTest, TheFirstArrowSelectsTheFirstItemFromTheTop)
{
    Fill(10);
    SetFocus(list);
    list->SetSelection(6);
    for (int i = 0; i < 4; ++i)
        screen.OnKeyDown(kDown);
    list->SetSelection(-1);
    EXPECT_EQ(list->GetTopIndex(), 7);
    screen.OnKeyDown(kDown);
    EXPECT_EQ(list->GetSelection(), 0);
    EXPECT_EQ(list->GetTopIndex(), 0);
}

TEST_F(ListTest, ASecondClickOnTheSelectedItemWithinTheDoubleClickTimeIsADoubleClick)
{
    Fill(3);
    const struct
    {
        int y;             // of the click
        std::uint32_t gap; // milliseconds since the last click
        Log messages;
    } clicks[] = {
        {55, 0, {"ListSelectionChange names"}},
        {55, 500, {"ListSelectionChange names", "ListItemDoubleClick names"}},
        {55, 100, {"ListSelectionChange names", "ListItemDoubleClick names"}},
        {55, 501, {"ListSelectionChange names"}},
        {67, 100, {"ListSelectionChange names"}}, // another item
        {90, 10, {}},                             // below the items
    };
    for (const auto& click : clicks)
    {
        clock.Advance(click.gap);
        Click(110, click.y);
        EXPECT_EQ(TakeMessages(), click.messages) << "at " << click.y << " after " << click.gap << " ms";
    }
    EXPECT_EQ(list->GetSelection(), 1);
}

TEST_F(ListTest, OnlyAPressInsideTheListGivesItTheFocus)
{
    EXPECT_FALSE(list->CanTakeFocus()) << "no items";
    EXPECT_FALSE(screen.OnMouseDown(0, 110, 55));
    EXPECT_EQ(screen.GetFocus(), list) << "a press on an empty list still focuses it";
    SetFocus(nullptr);
    Fill(1);
    EXPECT_FALSE(list->MouseDown(0, 10, 10));
    EXPECT_EQ(screen.GetFocus(), nullptr) << "a press elsewhere that reaches the list";
    EXPECT_TRUE(list->MouseDown(1, 110, 55)) << "any button";
    EXPECT_EQ(screen.GetFocus(), list);
}

TEST_F(ListTest, RowsAreCutByTheFrameAndACutRowIsNotVisible)
{
    const auto frame = MakeImageList({{2, 3}, {2, 4}, {2, 3}, {5, 2}, {2, 2}, {7, 2}, {2, 2}, {2, 6}, {2, 2}});
    list->SetImages(frame.get());
    Fill(5);
    // Content: x + 5, y + 3 (piece 0), 80 - 12 wide, 36 - 10 = 26 high: two whole rows and a cut one.
    EXPECT_EQ(list->GetItemRect(0), Rect<float>(105, 53, 68, 12));
    EXPECT_EQ(list->GetItemRect(2), Rect<float>(105, 77, 68, 2));
    EXPECT_EQ(list->GetItemRect(3).height, -10.0f);
    EXPECT_EQ(list->GetVisibleCount(), 2);

    list->SetSelection(2);
    list->SetColor({0, 1, 0, 1});
    canvas.calls.clear();
    list->Draw();
    const CanvasCall* fill = nullptr;
    for (const CanvasCall& call : canvas.calls)
        if (call.operation == "FillRectF")
            fill = &call;
    ASSERT_NE(fill, nullptr) << "the selected row's background";
    EXPECT_EQ(fill->numbers, (std::vector<float>{105, 77, 68, 2}));
    EXPECT_EQ(fill->state.color, ColorF(0, 0, 0, 1));
    EXPECT_EQ(fill->state.clip, Rect<int>(105, 77, 68, 2));
}

TEST_F(ListTest, AddingRemovingAndClearingKeepTheIndexesInsideTheItems)
{
    Fill(6);
    SetFocus(list);
    for (int i = 0; i < 6; ++i)
        screen.OnKeyDown(kDown);
    screen.OnKeyDown(kUp);
    ASSERT_EQ(list->GetTopIndex(), 3);
    ASSERT_EQ(list->GetSelection(), 4);
    TakeMessages();

    list->RemoveItem(0);
    EXPECT_EQ(list->GetSelection(), 3) << "the selection follows its item";
    EXPECT_EQ(list->GetTopIndex(), 2);
    EXPECT_EQ(list->GetItem(3)->text, L"item 4");
    list->RemoveItem(3);
    EXPECT_EQ(list->GetSelection(), -1) << "the selected item is gone";
    list->RemoveItem(99);
    EXPECT_EQ(list->GetItemCount(), 4u);
    list->RemoveItem(3);
    list->RemoveItem(2);
    EXPECT_EQ(list->GetTopIndex(), 1) << "the top stays inside the items";
    list->ClearItems();
    EXPECT_EQ(list->GetSelection(), -1);
    EXPECT_EQ(list->GetTopIndex(), 0);
    EXPECT_EQ(list->GetItem(0), nullptr);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ListTest, WithoutAFontItemsAreNeitherDrawnNorHit)
{
    const auto frame = MakeImageList(9, {4, 4});
    list->SetImages(frame.get());
    list->SetFont(nullptr);
    Fill(3);
    EXPECT_FALSE(screen.OnMouseDown(0, 110, 55));
    list->SetSelection(1); // a selected row would be filled
    list->Draw();
    const std::size_t withItems = canvas.calls.size();
    canvas.calls.clear();
    list->ClearItems();
    list->Draw();
    EXPECT_EQ(withItems, canvas.calls.size()) << "the frame only";
    Fill(3);
    screen.OnKeyDown(kDown);
    screen.OnKeyDown(kDown);
    screen.OnKeyDown(kDown);
    EXPECT_EQ(list->GetSelection(), 2) << "keys still select";
    EXPECT_EQ(list->GetTopIndex(), 0);
}
