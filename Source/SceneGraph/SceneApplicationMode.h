// The scene-graph screen: the base of every screen of the game. It is an application mode (and so
// the object database of its objects) that owns one root node, routes input into the tree below
// it, refreshes the tree's world states after each update and draws the tree.
//
// A screen derives from it, calls SceneApplicationMode::OnEnter first in its own OnEnter, then
// instantiates its layouts under the root (InstantiateLayout, or SceneLayout::Instantiate with
// GetRootNode () and this), and handles the controls' messages ("ButtonClick"...) in OnMessage,
// telling the sender by its node name.
//
// Input (see SceneNode.h): keys go to the keyboard-focus node, then to the tree, then to the
// screen's other objects (a KeyboardFocusController among them, which moves the focus among the
// controls with the arrow keys and Tab); buttons go to the capturing node only while there is
// one, else to the tree and the other objects; moves drive the hover. Text, wheel and the mouse
// leaving the window use the database's own routing: the node hovered when the mouse left stays
// hovered, without MouseLeave, until the next move inside the window settles the hover.
// Focus and capture are the database's, so SetFocus, the focus controller and the nodes' own
// SetKeyboardFocus are one focus, announced with "LostFocus" and "ReceivedFocus". Handlers may
// add, remove and reorder nodes while an event is routed: the walks go over snapshots and skip
// what was removed or moved meanwhile.
//
// Main thread only.
#pragma once

#include "Framework/ApplicationMode.h"
#include "SceneGraph/NodePath.h"
#include "SceneGraph/SceneNode.h"

#include <functional>
#include <utility>
#include <vector>

class SceneApplicationMode : public Corvane::ApplicationMode
{
public:
    SceneApplicationMode() = default;

    // Screens override it to act on messages; the base ignores them.
    void OnMessage(const Corvane::ObjectMessage&) override {}
    bool OnKeyDown(int key) override;
    bool OnKeyUp(int key) override;
    bool OnMouseMove(int x, int y) override;
    bool OnMouseDown(int button, int x, int y) override;
    bool OnMouseUp(int button, int x, int y) override;
    // The objects' tasks and removals, then the world states of what changed in the tree.
    void Update(float dt) override;
    // Every node of the tree, each before its children, children in list order.
    void Draw() override;
    // Creates the root node and registers it. Screens call it first.
    void OnEnter() override;
    // A screen pushed over this one takes the pointer: the hovered node is left (a button lit
    // under the pointer goes back to normal behind the popup it opened). The hover settles again
    // with the move the loop sends when this screen is on top once more.
    void OnLoseFocus() override;
    bool IsOpaque() override { return true; }
    // Dims what is drawn below (on the hardware renderer) with half-transparent black.
    void DrawUnderlay() override;
    // Moves the keyboard focus to the next (previous) node of the tree in draw order that can
    // take it (CanTakeFocus, enabled, visible in the world), wrapping around; the node losing it
    // is told "LostFocus". Without such nodes, the database's own move.
    void MoveFocus(bool backward) override;

    // The root node; null before OnEnter.
    SceneNode* GetRootNode() const;
    // The root of the current application mode when it is a scene-graph screen, else null.
    static SceneNode* GetCurrentRootNode();
    // The node id resolves to, when it is a live scene node of this screen; else null.
    SceneNode* NodeFromID(Corvane::ObjectID id) const;
    SceneNode* GetHoverNode() const { return NodeFromID(mHover); }
    SceneNode* GetCaptureNode() const;
    SceneNode* GetFocusNode() const;
    // Instantiates the loaded layout called name under parent (the root when null) and registers
    // it here; null (and a debug message) when no layout has that name.
    SceneNode* InstantiateLayout(Corvane::Label name, SceneNode* parent = nullptr);

protected:
    using Deliver = std::function<bool(Corvane::IInputHandler&)>;
    struct HoverContext
    {
        int x = 0;
        int y = 0;
        bool claimed = false;
    };

    // Offers an event to target (when it resolves; with exclusive it takes the event whatever it
    // answers), then to the tree, children last to first before their parent, then to the other
    // objects in slot order. True when someone took it.
    bool RouteInput(Corvane::ObjectID target, bool exclusive, const Deliver& deliver);
    // The hover walk below node: returns the node that took the move, if any.
    SceneNode* UpdateHover(SceneNode* node, HoverContext& context);
    // Makes node the hovered node (MouseLeave to the old one, MouseEnter to it).
    void SetHover(SceneNode* node);
    // No node is hovered any more (MouseLeave to the one that was).
    void EndHover();

private:
    // The child taken into a walk's snapshot is still live and still node's child.
    bool IsChildStill(SceneNode* child, Corvane::ObjectID id, const SceneNode* parent) const;
    bool RouteToTree(SceneNode* node, Corvane::ObjectID skip, const Deliver& deliver);
    bool RouteToOthers(Corvane::ObjectID skip, const Deliver& deliver);
    void DrawSubtree(SceneNode* node);
    void CollectFocusable(SceneNode* node, std::vector<SceneNode*>& out);

    SceneNode* mRoot = nullptr;
    Corvane::ObjectID mRootID = Corvane::kNoObject;
    Corvane::ObjectID mHover = Corvane::kNoObject;
    std::vector<std::pair<SceneNode*, Corvane::ObjectID>> mWalk;
    std::vector<SceneNode*> mDrawWalk;
};

// The node path names under the current screen's root, when it is a T; null when there is no
// scene-graph screen, no such node or a node of another type.
template <typename T = SceneNode> T* FindNodeInCurrentScene(const NodePath& path)
{
    SceneNode* root = SceneApplicationMode::GetCurrentRootNode();
    return root ? dynamic_cast<T*>(root->FindByPath(path)) : nullptr;
}
