#include "SceneGraph/SceneNode.h"

#include "Framework/ApplicationMode.h"
#include "Graphics/Image.h"
#include "Graphics/RecordingCanvas.h"
#include "Graphics/RenderContext.h"
#include "SceneGraph/NodePath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace Corvane;
using Corvane::Testing::RecordingCanvas;

namespace
{
using Log = std::vector<std::string>;

// A node that writes its tree hooks into a log.
class HookNode : public SceneNode
{
public:
    HookNode(Log& log, const char* tag) : mLog(log), mTag(tag) {}
    void ChildAdded(SceneNode* child) override { mLog.push_back(mTag + " added " + Tag(child)); }
    void ChildRemoved(SceneNode* child) override { mLog.push_back(mTag + " lost " + Tag(child)); }
    void ParentChanged(SceneNode* parent) override { mLog.push_back(mTag + " parent " + Tag(parent)); }
    void OnRemoved() override { mLog.push_back(mTag + " removed"); }

    static std::string Tag(SceneNode* node)
    {
        auto* hooked = dynamic_cast<HookNode*>(node);
        return hooked ? hooked->mTag : node ? "?" : "none";
    }

private:
    Log& mLog;
    std::string mTag;
};

// parent and child of the given local states, linked.
struct Pair
{
    SceneNode parent;
    SceneNode child;
    Pair() { child.SetParent(&parent); }
};

TEST(SceneNode, WorldStateIsRefreshedFromTheHighestDirtyAncestor)
{
    SceneNode root, a, b, c, aside;
    a.SetParent(&root);
    b.SetParent(&a);
    c.SetParent(&b);
    aside.SetParent(&root);
    root.RefreshWorldTree(true);

    a.SetPosition(10, 20);
    b.SetPosition(1, 2);
    c.SetPosition(100, 200);
    aside.SetPosition(5, 5);
    // One accessor on the deepest node repairs the whole chain above it, and nothing beside it.
    EXPECT_EQ(c.GetWorldPosition(), (Vector2<float>{111, 222}));
    EXPECT_EQ(a.GetDirty(), 0u);
    EXPECT_EQ(b.GetDirty(), 0u);
    EXPECT_EQ(c.GetDirty(), 0u);
    EXPECT_EQ(aside.GetDirty(), unsigned(kDirtyPosition));

    // Whatever changed above, any accessor sees it.
    a.SetVisible(false);
    b.SetAlpha(0.5f);
    EXPECT_EQ(c.GetWorldPosition(), (Vector2<float>{111, 222}));
    EXPECT_FALSE(c.IsWorldVisible());
    EXPECT_EQ(c.GetWorldColor().alpha, 0.5f);
    EXPECT_EQ(a.GetDirty(), 0u);
    EXPECT_TRUE(aside.IsWorldVisible());

    // A root is refreshed too: a tree not yet attached anywhere has a true world state.
    root.SetPosition(-1, -1);
    EXPECT_EQ(c.GetWorldPosition(), (Vector2<float>{110, 221}));
}

TEST(SceneNode, AlphaScaleAndTurnCombineWhileColourAndSizeAreTheNodesOwn)
{
    Pair pair;
    pair.parent.SetColor({1, 0, 0, 0.5f});
    pair.parent.SetScale(2, 3);
    pair.parent.SetOrientation(0.25f);
    pair.parent.SetSize(300, 300);
    pair.child.SetColor({1, 1, 1, 0.5f});
    pair.child.SetScale(1.5f, 0.5f);
    pair.child.SetOrientation(0.5f);
    pair.child.SetSize(10, 20);

    EXPECT_EQ(pair.child.GetWorldColor(), (ColorF{1, 1, 1, 0.25f}));
    EXPECT_EQ(pair.child.GetWorldScale(), (Vector2<float>{3, 1.5f}));
    EXPECT_FLOAT_EQ(pair.child.GetWorldOrientation(), 0.75f);
    EXPECT_EQ(pair.child.GetWorldState().width, 10);
    EXPECT_EQ(pair.child.GetWorldState().height, 20);
    EXPECT_TRUE(pair.child.IsWorldVisible());
    pair.parent.SetVisible(false);
    EXPECT_FALSE(pair.child.IsWorldVisible());
}

TEST(SceneNode, AlignmentPlacesANodeAgainstItsParentsSizeAndItsOwn)
{
    struct Case
    {
        std::array<int, 4> align;
        Vector2<float> world;
    };
    // Parent 100 x 50 at (1000, 2000); child 20 x 10 at local (3, 4).
    const Case cases[] = {
        {{0, 0, 0, 0}, {1003, 2004}}, {{1, 1, 0, 0}, {1053, 2029}}, {{2, 2, 0, 0}, {1103, 2054}},
        {{0, 0, 1, 1}, {993, 1999}},  {{0, 0, 2, 2}, {983, 1994}},  {{1, 1, 1, 1}, {1043, 2024}},
        {{2, 0, 2, 0}, {1083, 2004}}, {{0, 2, 0, 2}, {1003, 2044}},
    };
    for (const Case& c : cases)
    {
        Pair pair;
        pair.parent.SetPosition(1000, 2000);
        pair.parent.SetSize(100, 50);
        pair.child.SetPosition(3, 4);
        pair.child.SetSize(20, 10);
        pair.child.SetAlignment(c.align.data());
        EXPECT_EQ(pair.child.GetWorldPosition(), c.world) << c.align[0] << c.align[1] << c.align[2] << c.align[3];
    }
    // A root has no parent to align against, only itself.
    SceneNode root;
    root.SetSize(20, 10);
    root.SetAlignment(2, 2, 1, 1);
    EXPECT_EQ(root.GetWorldPosition(), (Vector2<float>{-10, -5}));

    // Growing the parent moves the children aligned to its far side.
    Pair pair;
    pair.parent.SetSize(100, 50);
    pair.child.SetAlignment(2, 0, 0, 0);
    EXPECT_EQ(pair.child.GetWorldPosition().x, 100);
    pair.parent.SetWidth(160);
    EXPECT_EQ(pair.child.GetWorldPosition().x, 160);
}

TEST(SceneNode, PositionHelpersConvertBetweenWorldAndLocal)
{
    Pair pair;
    pair.parent.SetPosition(100, 50);
    pair.child.SetPosition(5, 5);
    pair.child.SetSize(20, 40);
    pair.child.SetWorldPosition({130, 70});
    EXPECT_EQ(pair.child.GetPosition(), (Vector2<float>{30, 20}));
    EXPECT_EQ(pair.child.WorldToLocalPosition({100, 50}), (Vector2<float>{0, 0}));
    EXPECT_EQ(pair.child.GetCenter(), (Vector2<float>{40, 40}));
    EXPECT_EQ(pair.child.GetWorldCenter(), (Vector2<float>{140, 90}));

    // Bounds unite the world rectangles of the subtree; empty ones add nothing.
    SceneNode far, empty;
    far.SetParent(&pair.child);
    far.SetPosition(100, 100);
    far.SetSize(10, 10);
    empty.SetParent(&pair.parent);
    empty.SetPosition(-500, -500);
    EXPECT_EQ(pair.parent.GetBounds(), (Rect<float>{130, 70, 110, 110}));
}

TEST(SceneNode, ParentingCallsTheHooksOnceAndKeepsEachSiblingsNameEntry)
{
    Log log;
    HookNode parent(log, "parent"), other(log, "other"), first(log, "first"), second(log, "second");
    first.AttachAs(&parent, Label("Slot"));
    EXPECT_EQ(log, (Log{"first parent parent", "parent added first"}));
    log.clear();
    first.SetParent(&parent);
    EXPECT_TRUE(log.empty()) << "the same parent again changes nothing";

    // Two children under one node name: the name finds the first.
    second.AttachAs(&parent, Label("slot"));
    EXPECT_EQ(parent.FindByPath({"SLOT"}), &first);
    // The second one leaving must not take the first one's entry with it.
    log.clear();
    second.SetParent(&other);
    EXPECT_EQ(log, (Log{"parent lost second", "second parent none", "second parent other", "other added second"}));
    EXPECT_EQ(parent.FindByPath({"Slot"}), &first);
    first.SetParent(&other);
    EXPECT_EQ(parent.FindByPath({"Slot"}), nullptr);
    EXPECT_EQ(other.FindByPath({"Slot"}), &second) << "the name was the second's there first";
    EXPECT_EQ(first.GetDirty(), unsigned(kDirtyAll));

    // A node cannot become its own descendant.
    log.clear();
    other.SetParent(&first);
    first.SetParent(&first);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(first.GetParent(), &other);
}

TEST(SceneNode, BringingToFrontAndSendingToBackReorderDrawing)
{
    SceneNode parent, a, b, c;
    for (SceneNode* child : {&a, &b, &c})
        child->SetParent(&parent);
    auto order = [&] { return std::vector<SceneNode*>(parent.GetChildren().begin(), parent.GetChildren().end()); };
    c.BringToFront();
    EXPECT_EQ(order(), (std::vector<SceneNode*>{&a, &b, &c}));
    a.BringToFront();
    EXPECT_EQ(order(), (std::vector<SceneNode*>{&b, &c, &a}));
    a.SendToBack();
    EXPECT_EQ(order(), (std::vector<SceneNode*>{&a, &b, &c}));
    // The moved node still unlinks cleanly from its new place.
    c.SendToBack();
    c.SetParent(&a);
    EXPECT_EQ(order(), (std::vector<SceneNode*>{&a, &b}));
}

TEST(SceneNode, RemovalDetachesTheSubtreeWhichStaysListedUntilDeleted)
{
    ObjectDatabase database;
    Log log;
    auto* grand = new HookNode(log, "grand");
    auto* parent = new HookNode(log, "parent");
    auto* child = new HookNode(log, "child");
    auto* sibling = new HookNode(log, "sibling");
    parent->AttachAs(grand, Label("Parent"));
    child->SetParent(parent);
    sibling->SetParent(parent);
    grand->RegisterTree(&database);
    // Children are registered before their parents.
    EXPECT_LT(Internal::SlotOf(child->GetID()), Internal::SlotOf(parent->GetID()));
    EXPECT_LT(Internal::SlotOf(parent->GetID()), Internal::SlotOf(grand->GetID()));

    int removedSignals = 0;
    parent->Signals().Removed.connect([&](SceneNode* node) {
        EXPECT_EQ(node, parent);
        ++removedSignals;
    });
    log.clear();
    database.Remove(parent->GetID());
    EXPECT_EQ(log, (Log{"grand lost parent", "parent parent none", "child parent none", "child removed",
                        "sibling parent none", "sibling removed", "parent removed"}));
    EXPECT_EQ(removedSignals, 1);
    EXPECT_EQ(grand->FindByPath({"Parent"}), nullptr);
    EXPECT_EQ(child->GetParent(), nullptr);
    EXPECT_EQ(database.Get(child->GetID()), nullptr);
    EXPECT_EQ(parent->GetChildren().size(), 2u) << "the list goes with the node";
    database.Update(0.0f);
    EXPECT_TRUE(grand->GetChildren().empty());
}

TEST(SceneNode, HitTestingFindsTheTopmostVisibleHitTestableNode)
{
    SceneNode root, back, front, inner, hidden, hiddenChild;
    for (SceneNode* node : {&back, &front, &hidden})
        node->SetParent(&root);
    inner.SetParent(&front);
    hiddenChild.SetParent(&hidden);
    back.SetSize(100, 100);
    front.SetPosition(50, 50);
    front.SetSize(100, 100);
    inner.SetSize(10, 10);
    hidden.SetVisible(false);
    hiddenChild.SetSize(500, 500);
    for (SceneNode* node : {&back, &front, &inner, &hiddenChild})
        node->SetHitTest(true);

    struct Case
    {
        Vector2<float> point;
        SceneNode* hit;
    };
    const Case cases[] = {
        {{55, 55}, &inner},   {{60, 60}, &front},    {{40, 40}, &back},    {{0, 0}, &back},      {{100, 100}, &front},
        {{149, 149}, &front}, {{150, 150}, nullptr}, {{99.5f, 10}, &back}, {{100, 10}, nullptr}, {{-1, 0}, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(root.HitTestTree(c.point), c.hit) << c.point.x << "," << c.point.y;

    // A node that is not hit-testable still lets its children be hit.
    front.SetHitTest(false);
    EXPECT_EQ(root.HitTestTree({60, 60}), &back);
    EXPECT_EQ(root.HitTestTree({55, 55}), &inner);
}

TEST(SceneNode, ButtonsBecomeSignalsOnlyWhenSomeoneListens)
{
    ObjectDatabase database;
    auto* node = new SceneNode;
    node->SetSize(50, 50);
    node->SetHitTest(true);
    database.Add(node);

    Log log;
    EXPECT_FALSE(node->MouseDown(0, 10, 10)) << "hit, but nobody listens";
    EXPECT_FALSE(node->KeyDown(13));
    node->Signals().ButtonDown.connect([&](SceneNode*, MouseButton button, int x, int y) {
        log.push_back("down " + std::to_string(button) + " " + std::to_string(x) + "," + std::to_string(y));
    });
    node->Signals().CapturedButtonUp.connect(
        [&](SceneNode*, MouseButton button, int, int) { log.push_back("captured up " + std::to_string(button)); });
    node->Signals().KeyDown.connect([&](SceneNode*, int key) { log.push_back("key " + std::to_string(key)); });
    EXPECT_TRUE(node->MouseDown(0, 10, 10));
    EXPECT_FALSE(node->MouseDown(1, 10, 10)) << "the right button is not accepted";
    EXPECT_FALSE(node->MouseDown(0, 60, 10)) << "a miss";
    EXPECT_FALSE(node->MouseUp(0, 10, 10)) << "nobody listens to releases";
    EXPECT_TRUE(node->KeyDown(13));
    EXPECT_FALSE(node->KeyUp(13));
    node->SetButtons(3);
    EXPECT_TRUE(node->MouseDown(1, 49, 49));
    EXPECT_EQ(log, (Log{"down 0 10,10", "key 13", "down 1 49,49"}));

    // The capture holder takes releases anywhere.
    log.clear();
    // Capture belongs to the current screen's database.
    ApplicationMode screen;
    auto* held = new SceneNode;
    held->Signals().CapturedButtonUp.connect([&](SceneNode*, MouseButton, int, int) { log.push_back("held up"); });
    screen.Add(held);
    Internal::CurrentApplicationModeScope current(&screen);
    held->SetCapture();
    EXPECT_TRUE(held->HasCapture());
    EXPECT_TRUE(held->MouseUp(0, 999, 999));
    held->ReleaseCapture();
    EXPECT_FALSE(held->HasCapture());
    EXPECT_FALSE(held->MouseUp(0, 999, 999));
    EXPECT_EQ(log, (Log{"held up"}));
}

// ---- Image drawing ----

class NodeImageDrawing : public testing::Test
{
protected:
    NodeImageDrawing() : image(8, 6), canvas({"IQuadDrawingCanvas"}, {0, 0, 400, 400})
    {
        Graphics::RenderContext context;
        context.target = &canvas;
        Graphics::PushDrawState(context);
        parent.SetPosition(10.6f, 3.4f);
        node.SetParent(&parent);
        node.SetSize(8, 6);
    }
    ~NodeImageDrawing() override { Graphics::PopDrawState(); }

    const Testing::CanvasCall& Drawn(bool snap, Vector2<float> offset = {0, 0})
    {
        canvas.calls.clear();
        DrawNodeImage(node, &image, offset, snap);
        EXPECT_EQ(canvas.calls.size(), 1u);
        static const Testing::CanvasCall none;
        return canvas.calls.empty() ? none : canvas.calls.back();
    }

    Image image;
    RecordingCanvas canvas;
    SceneNode parent;
    SceneNode node;
};

TEST_F(NodeImageDrawing, UnscaledImagesAreTintedClippedAndOptionallySnapped)
{
    parent.SetColor({0.5f, 0.5f, 0.5f, 0.5f});
    node.SetColor({1, 0, 0, 1});
    node.SetClipRect({1, 2, 3, 4});
    node.SetDrawFlags(true, false);
    const Testing::CanvasCall& snapped = Drawn(true);
    EXPECT_EQ(snapped.operation, "DrawImage");
    EXPECT_EQ(snapped.numbers, (std::vector<float>{11, 3}));
    EXPECT_EQ(snapped.state.tint, (ColorF{1, 0, 0, 0.5f}));
    EXPECT_EQ(snapped.state.clip, (Rect<int>{1, 2, 3, 4}));
    EXPECT_EQ(snapped.state.flags & (Graphics::kDrawMirrorX | Graphics::kDrawMirrorY), Graphics::kDrawMirrorX);
    EXPECT_EQ(Drawn(false, {1, 1}).numbers, (std::vector<float>{11.6f, 4.4f}));
    canvas.calls.clear();
    DrawNodeImage(node, nullptr, {0, 0}, true);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(NodeImageDrawing, TurnedImagesTurnAboutTheirRotationPivot)
{
    parent.SetPosition(100, 100);
    node.SetOrientation(0.5f);
    // Centre pivot: the image's centre stays at the node's centre.
    const Testing::CanvasCall& centred = Drawn(true);
    EXPECT_EQ(centred.operation, "DrawRotatedImage");
    EXPECT_EQ(centred.numbers, (std::vector<float>{104, 103, 0.5f}));
    // Top-left pivot: the top-left corner stays put while the rest turns about it.
    node.SetRotateAlign(SceneNode::kAlignLeft, SceneNode::kAlignLeft);
    const Testing::CanvasCall& corner = Drawn(false);
    const float c = std::cos(0.5f), s = std::sin(0.5f);
    ASSERT_EQ(corner.numbers.size(), 3u);
    EXPECT_NEAR(corner.numbers[0], 100 + 4 * c - 3 * s, 1e-4);
    EXPECT_NEAR(corner.numbers[1], 100 + 4 * s + 3 * c, 1e-4);
}

TEST_F(NodeImageDrawing, ScaledImagesStretchTheNodesSizeAboutTheScalePivot)
{
    parent.SetPosition(100, 100);
    node.SetSize(20, 10); // the node's size, not the image's, is stretched
    node.SetScale(2, 3);
    struct Case
    {
        int h, v;
        std::vector<float> rect;
    };
    const Case cases[] = {{0, 0, {100, 100, 40, 30}}, {1, 1, {90, 90, 40, 30}}, {2, 2, {80, 80, 40, 30}}};
    for (const Case& c : cases)
    {
        node.SetScaleAlign(c.h, c.v);
        const Testing::CanvasCall& call = Drawn(true);
        EXPECT_EQ(call.operation, "DrawStretchedImage");
        EXPECT_EQ(call.numbers, c.rect) << c.h;
    }
}

TEST_F(NodeImageDrawing, ScaledAndTurnedImagesAreDrawnStretchedAroundTheTurnedCentre)
{
    parent.SetPosition(100, 100);
    node.SetScale(2, 2);
    node.SetScaleAlign(SceneNode::kAlignMiddle, SceneNode::kAlignMiddle);
    node.SetOrientation(std::acos(-1.0f) / 2); // a quarter turn: 8 x 6 becomes 6 x 8
    const Testing::CanvasCall& call = Drawn(false);
    EXPECT_EQ(call.operation, "DrawStretchedImage");
    // The node's centre (104, 103) stays the centre; the turned picture is twice its size.
    EXPECT_EQ(call.numbers, (std::vector<float>{98, 95, 12, 16}));
}
} // namespace
