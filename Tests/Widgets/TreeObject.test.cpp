#include "Widgets/TreeObject.h"

#include "Support/TestImageLists.h"
#include "Support/WidgetFixture.h"

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// A node that draws nothing and remembers the row it was last given and the draw state.
class RowNode : public TreeNode
{
public:
    RowNode(const char* name, float height) : name(name), height(height) {}
    float GetHeight() const override { return height; }
    void Draw(const Rect<float>& drawn) override
    {
        row = drawn;
        state = Graphics::GetRenderContext().state;
    }

    std::string name;
    float height;
    Rect<float> row{-1, -1, -1, -1};
    Graphics::DrawState state;
};

// A tree "tree" at (100, 50), 200 by 100, holding A (A1, A2) and B, rows 10 high.
class TreeTest : public WidgetFixture
{
protected:
    TreeTest()
    {
        tree = Add(new TreeObject(Label("tree")), {100, 50, 200, 100});
        a = Node(*tree, "A");
        a1 = Node(*a, "A1");
        a2 = Node(*a, "A2");
        b = Node(*tree, "B");
    }

    static RowNode* Node(TreeNodeContainer& parent, const char* name)
    {
        return static_cast<RowNode*>(parent.AddChild(new RowNode(name, 10)));
    }

    TreeObject* tree = nullptr;
    RowNode *a = nullptr, *a1 = nullptr, *a2 = nullptr, *b = nullptr;
};
} // namespace

TEST_F(TreeTest, NodesComeInPreOrderWithDepthsFollowingTheirNesting)
{
    EXPECT_EQ(tree->CountDescendants(), 4u);
    const RowNode* order[] = {a, a1, a2, b, nullptr};
    for (unsigned i = 0; i < 5; ++i)
        EXPECT_EQ(tree->GetNodeAt(i), order[i]) << i;
    EXPECT_EQ(a->GetNodeAt(1), a2);
    EXPECT_EQ(tree->GetChild(1), b);
    EXPECT_EQ(tree->GetChild(2), nullptr);

    // A subtree added deeper takes the depths of its new place.
    auto* c = new RowNode("C", 10);
    auto* c1 = Node(*c, "C1");
    EXPECT_EQ(c1->GetDepth(), 1);
    a1->AddChild(c);
    EXPECT_EQ(a->GetDepth(), 0);
    EXPECT_EQ(a1->GetDepth(), 1);
    EXPECT_EQ(c->GetDepth(), 2);
    EXPECT_EQ(c1->GetDepth(), 3);
    EXPECT_EQ(tree->GetNodeAt(3), c1);
    a->RemoveChild(0);
    EXPECT_EQ(tree->CountDescendants(), 3u) << "A1 went with its subtree";
}

TEST_F(TreeTest, RowsAreIndentedByDepthAndStackedByHeight)
{
    const auto frame = MakeImageList({{2, 2}, {2, 5}, {2, 2}, {3, 2}, {2, 2}, {4, 2}, {2, 2}, {2, 6}, {2, 2}});
    tree->SetImages(frame.get());
    auto* deep = Node(*a1, "A1a");
    a2->height = 30;
    tree->Draw();
    // Content: x + 3, y + 5 (piece 1), 200 - 7 wide.
    EXPECT_EQ(a->row, Rect<float>(103, 55, 193, 10));
    EXPECT_EQ(a1->row, Rect<float>(113, 65, 183, 10));
    EXPECT_EQ(deep->row, Rect<float>(123, 75, 173, 10)) << "depth 2 indents 20";
    EXPECT_EQ(a2->row, Rect<float>(113, 85, 183, 30));
    EXPECT_EQ(b->row, Rect<float>(103, 115, 193, 10));
    EXPECT_EQ(b->state.clip, Rect<int>(103, 115, 193, 10));

    tree->SetTopIndex(3);
    b->row = {};
    tree->Draw();
    EXPECT_EQ(b->row.y, 85.0f) << "rows start at the top index";
}

TEST_F(TreeTest, APressOnARowSelectsItsNodeAndOnlyIt)
{
    tree->SetColor({0, 0, 1, 1});
    a->SetSelected(true);
    const struct
    {
        int y;
        bool taken;
        const RowNode* selected;
    } presses[] = {
        {75, true, a2},  {75, true, a2},                 // again: reported again
        {50, true, a},   {89, true, b},  {90, false, b}, // below the rows
        {200, false, b},                                 // outside the tree
    };
    for (const auto& press : presses)
    {
        TakeMessages();
        EXPECT_EQ(screen.OnMouseDown(0, 150, press.y), press.taken) << press.y;
        EXPECT_EQ(tree->GetSelection(), press.selected) << press.y;
        for (const RowNode* node : {a, a1, a2, b})
            EXPECT_EQ(node->IsSelected(), node == press.selected) << node->name;
        EXPECT_EQ(TakeMessages().size(), press.taken ? 1u : 0u);
    }
    EXPECT_EQ(screen.GetFocus(), nullptr);
    EXPECT_EQ(screen.GetCapture(), nullptr);

    // The selected row is drawn in the selected colours, the others in the tree's.
    tree->Draw();
    EXPECT_EQ(b->state.color, ColorF(1, 1, 1, 1));
    EXPECT_EQ(b->state.effectColor, ColorF(0, 0, 0, 1));
    EXPECT_EQ(a->state.color, ColorF(0, 0, 1, 1));
    tree->SetSelection(nullptr);
    EXPECT_EQ(tree->GetSelection(), nullptr);
}

TEST_F(TreeTest, AnEmptyTreeDrawsItsFrameAndTakesNoPress)
{
    const auto frame = MakeImageList(9, {4, 4});
    tree->SetImages(frame.get());
    tree->ClearChildren();
    tree->Draw();
    EXPECT_FALSE(canvas.calls.empty());
    EXPECT_FALSE(screen.OnMouseDown(0, 150, 55));
    EXPECT_TRUE(messages.empty());
}
