// The scene graph's node: every element of a screen (sprites, text, controls, meters, particles)
// is a SceneNode in one tree per screen.
//
// HOW THE SCENE GRAPH FITS TOGETHER
//
// Tree and placement. A node has a parent, an ordered child list (list order is draw order: the
// first child is drawn first, the last on top) and a map of the children that have a node name
// (NodePath.h finds nodes by index, node name or path). Each node keeps a local NodeState and a
// world state combined from its ancestors: positions add, alpha, scale and orientation combine,
// colour is the node's own. Setters mark dirty bits; the world accessors (GetWorldState,
// IsWorldVisible, GetWorldColor, GetWorldScale, GetWorldOrientation) refresh from the highest
// dirty ancestor, and the screen refreshes what changed once per update. Alignment words place a
// node against its parent's size (left/top, middle, right/bottom) and against its own size.
//
// Ownership. A node belongs to the object database it is registered in (RegisterTree, children
// before parents); it is ended with ObjectDatabase::Remove (or RemoveFromDatabase), which unlinks
// it, removes its whole subtree and deletes them after the next update. Never delete a registered
// node. A node that was never registered is owned by whoever made it. Destructors must touch
// neither parent nor children: at the end of a screen nodes are deleted in any order.
//
// Writing a node type:
//   1. The node: derive from SceneNode. Override Draw (offset) to draw at GetWorldState () +
//      offset while IsWorldVisible (); DrawNodeImage does the sprite case (tint, clip, scale and
//      rotation pivots). Override HitTest for a shape other than the half-open world rectangle
//      (x <= px < x + width), and the IInputHandler operations for keys, text, wheel. Controls
//      that may hold keyboard focus return true from CanTakeFocus (the base says false, so the
//      focus keys skip pictures and text); their enable flag is Corvane::EnableComponent
//      (Widgets/Components.h), which focus moves and text input respect. A control announces
//      itself with BroadcastMessage (Label ("ButtonClick")). Messages: override OnMessage and
//      call SceneNode::OnMessage for everything you do not handle ("Remove" runs the removal).
//   2. The descriptor: derive from SceneNodeDescriptor, a plain record of the element's own
//      attributes (resource names kept as labels).
//   3. The factory: derive from SceneNodeFactory (SceneNodeFactory.h). CreateDescriptor reads the
//      attributes once when the layout is loaded (loader thread: no nodes, no drawing there);
//      CreateNode builds a node from the descriptor at each instantiation (main thread) and looks
//      its resources up (ResourceManager::Get<T>, a missing one gives null and no error). The
//      common attributes (name, nodeName, x, y, alignment, colour, hitTest, buttons...) are read
//      and applied by the layout itself after CreateNode: do not read them.
//   4. Registration: add RegisterNodeFactory (L"<element>", new <Kind>NodeFactory) to
//      RegisterSceneNodeTypes (SceneGraphRegistration.cpp), which the application calls at start.
//
// Layouts. A "scenelayout" resource (SceneLayout.h) is read on the loader thread into one
// descriptor per element; SceneLayout::Instantiate (parent, database) builds the nodes in
// document order under parent and registers the tree. "sceneref" elements instantiate another
// layout in place. Screens derive from SceneApplicationMode and instantiate under its root node
// after calling its OnEnter; SceneLayoutController objects own a subtree each.
//
// Input. The screen offers each event first to the node holding mouse capture (buttons) or
// keyboard focus (keys), then to the tree, children last to first before their parent (topmost
// first), then to the database's other objects; the first handler that returns true ends it. A
// node holding the capture takes every button event. The base node turns button events into its
// signals: ButtonDown/ButtonUp when the press hits its subtree (HitTestTree) with an accepted
// button and a handler is connected, CapturedButtonDown/Up while it holds the capture; key events
// into KeyDown/KeyUp when connected. Hover: the topmost node under the pointer whose MouseEnter
// or MouseLeave has a handler is hovered; it is told MouseEnter once and MouseLeave once. Capture
// and keyboard focus are the database's (SetCapture, SetKeyboardFocus below): the node losing
// focus receives "LostFocus", the one gaining it "ReceivedFocus".
//
// Main thread only; no locks.
#pragma once

#include "Framework/InputHandlerComponent.h"
#include "Framework/Object.h"
#include "Graphics/ColorF.h"
#include "Graphics/Rect.h"
#include "Graphics/Vector2.h"
#include "SceneGraph/NodeSignal.h"
#include "SceneGraph/NodeState.h"

#include <array>
#include <cstdint>
#include <list>
#include <map>

namespace Corvane
{
class IImage;
class ObjectDatabase;
namespace Graphics
{
struct DrawState;
}
} // namespace Corvane

class NodePath;
class NodePathElement;
class SceneLayoutController;

// The ten event signals of a node, in their order.
struct SceneNodeSignals
{
    using ButtonSignal = NodeSignal<void(class SceneNode*, Corvane::MouseButton, int x, int y)>;
    using NodeEvent = NodeSignal<void(class SceneNode*)>;
    using KeySignal = NodeSignal<void(class SceneNode*, int key)>;

    NodeEvent Removed;               // after the node's removal has run
    NodeEvent BeforeDraw;            // right before the node's Draw
    ButtonSignal ButtonDown;         // a press on the node's subtree, accepted button
    ButtonSignal ButtonUp;           // a release likewise
    NodeEvent MouseEnter;            // the node became the hovered node
    NodeEvent MouseLeave;            // the node stopped being the hovered node
    ButtonSignal CapturedButtonDown; // a press anywhere while the node holds the capture
    ButtonSignal CapturedButtonUp;   // a release likewise
    KeySignal KeyDown;               // a key offered to the node
    KeySignal KeyUp;
};

class SceneNode : public Corvane::Object, public Corvane::InputHandlerComponent
{
public:
    // Alignment values of the alignment words and pivots.
    enum Align
    {
        kAlignLeft = 0, // also top
        kAlignMiddle = 1,
        kAlignRight = 2, // also bottom
    };

    explicit SceneNode(Corvane::Label name = Corvane::Label());
    // Touches neither parent nor children (see the note above).
    ~SceneNode() override;

    // ---- Object side ----
    // The object name: the database's name map finds the node by it.
    Corvane::Label GetName() const override { return mName; }
    using Corvane::Object::GetGroup;
    // "Remove" runs the node's removal (unlink, remove the subtree and the controller, OnRemoved,
    // then the Removed signal). Node types that handle other messages call this for the rest.
    void OnMessage(const Corvane::ObjectMessage& message) override;

    // ---- Scene operations node types override ----
    // True when MouseEnter or MouseLeave has a handler: only such nodes take the hover.
    virtual bool HasHoverHandlers() const;
    // The hover began or ended; the base emits the signal.
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual Corvane::Vector2<float> GetWorldScale();
    // The node's own area: the world position and the local size, left and top edges inside,
    // right and bottom edges outside.
    virtual bool HitTest(const Corvane::Vector2<float>& worldPoint);
    // Draws the node alone (children are drawn by the screen) at its world position + offset on
    // the render context's canvas. Nothing in the base.
    virtual void Draw(const Corvane::Vector2<float>& offset);
    // Hooks, empty in the base: the node was removed; a child was attached or unlinked; the node
    // got a new parent (null when unlinked).
    virtual void OnRemoved() {}
    virtual void ChildAdded(SceneNode* child);
    virtual void ChildRemoved(SceneNode* child);
    virtual void ParentChanged(SceneNode* newParent);
    // The node's name or node name was set (nodes that name parts after themselves follow it).
    virtual void NamesChanged() {}

    // ---- Input handler side (see the note above) ----
    bool KeyDown(int key) override;
    bool KeyUp(int key) override;
    bool MouseDown(int button, int x, int y) override;
    bool MouseUp(int button, int x, int y) override;
    // False in the base: only controls take part in keyboard focus moves.
    bool CanTakeFocus() override { return false; }

    SceneNodeSignals& Signals() { return mSignals; }
    // Sends the object message name, with this node as its sender, to the current screen and
    // every object in it, at once (how controls announce "ButtonClick" and the like).
    void BroadcastMessage(Corvane::Label name);

    // ---- Names and tree ----
    // Names are set before the node is registered (the database files it then).
    void SetName(Corvane::Label name)
    {
        mName = name;
        NamesChanged();
    }
    // The key under which the parent's child map finds the node; null: not in the map.
    Corvane::Label GetNodeName() const { return mNodeName; }
    void SetNodeName(Corvane::Label nodeName)
    {
        mNodeName = nodeName;
        NamesChanged();
    }
    SceneNode* GetParent() const { return mParent; }
    const std::list<SceneNode*>& GetChildren() const { return mChildren; }
    // Unlinks from the old parent (if any) and appends to parent's children, entering the node
    // name in parent's map unless the map already has it. Nothing when parent is the current one.
    // parent must not be null (a node leaves its parent only through its removal) nor the node
    // itself or one of its descendants (refused).
    void SetParent(SceneNode* parent);
    // Sets the node name, SetParent (parent) and the alignment words (null: all 0).
    void AttachAs(SceneNode* parent, Corvane::Label nodeName, const int align[4] = nullptr);
    // First in the parent's child list (drawn first) or last (drawn on top).
    void SendToBack();
    void BringToFront();
    // One step (NodePath.h); the end element gives null.
    SceneNode* FindChild(const NodePathElement& step) const;
    // The node that path names below this one, or null.
    SceneNode* FindByPath(const NodePath& path) const;
    // The node below this one that path names, when it is a T.
    template <typename T> T* FindByPathAs(const NodePath& path) const { return dynamic_cast<T*>(FindByPath(path)); }
    // The controller owning this tree (SceneLayoutController.h); null when none.
    SceneLayoutController* GetController() const { return mController; }
    void SetController(SceneLayoutController* controller) { mController = controller; }

    // ---- Local placement: setters mark what they change ----
    const NodeState& GetLocalState() const { return mLocal; }
    // Replaces the whole local state; every dirty bit.
    void SetLocalState(const NodeState& state);
    Corvane::Vector2<float> GetPosition() const { return mLocal.GetPosition(); }
    void SetPosition(float x, float y);
    void SetPosition(const Corvane::Vector2<float>& p) { SetPosition(p.x, p.y); }
    float GetWidth() const { return mLocal.width; }
    float GetHeight() const { return mLocal.height; }
    // Size changes move aligned children and self-aligned nodes: they mark the position.
    void SetSize(float width, float height);
    void SetWidth(float width) { SetSize(width, mLocal.height); }
    void SetHeight(float height) { SetSize(mLocal.width, height); }
    bool IsVisible() const { return mLocal.visible; }
    void SetVisible(bool visible);
    const Corvane::ColorF& GetColor() const { return mLocal.color; }
    void SetColor(const Corvane::ColorF& color);
    void SetAlpha(float alpha);
    Corvane::Vector2<float> GetScale() const { return mLocal.GetScale(); }
    void SetScale(float scaleX, float scaleY);
    float GetOrientation() const { return mLocal.orientation; }
    void SetOrientation(float radians);
    void MarkDirty(unsigned bits)
    {
        mDirty |= bits;
        ++sDirtyEpoch;
    }
    unsigned GetDirty() const { return mDirty; }

    // Parent-horizontal, parent-vertical, self-horizontal, self-vertical (Align values).
    const std::array<int, 4>& GetAlignment() const { return mAlign; }
    void SetAlignment(const int align[4]);
    void SetAlignment(int parentH, int parentV, int selfH, int selfV);
    // Pivots of rotation and scaling for DrawNodeImage (Align values; default middle).
    int GetRotateHAlign() const { return mRotateAlign[0]; }
    int GetRotateVAlign() const { return mRotateAlign[1]; }
    void SetRotateAlign(int horizontal, int vertical) { mRotateAlign = {horizontal, vertical}; }
    int GetScaleHAlign() const { return mScaleAlign[0]; }
    int GetScaleVAlign() const { return mScaleAlign[1]; }
    void SetScaleAlign(int horizontal, int vertical) { mScaleAlign = {horizontal, vertical}; }

    // The node itself may be hit (HitTestTree).
    bool GetHitTest() const { return mHitTest; }
    void SetHitTest(bool hitTest) { mHitTest = hitTest; }
    // Accepted mouse buttons, bit (1 << MouseButton); default left only.
    unsigned GetButtons() const { return mButtons; }
    void SetButtons(unsigned mask) { mButtons = mask; }
    // The clip rectangle (screen pixels) for the node's own drawing, applied while used.
    const Corvane::Rect<int>& GetClipRect() const { return mClipRect; }
    bool IsClipRectUsed() const { return mUseClipRect; }
    void SetClipRect(const Corvane::Rect<int>& rect, bool use = true);
    void UseClipRect(bool use) { mUseClipRect = use; }
    // Draw-state flags 4 and 8 (mirror left-right, top-bottom) added to the node's drawing.
    bool GetDrawFlag4() const { return mDrawFlag4; }
    bool GetDrawFlag8() const { return mDrawFlag8; }
    void SetDrawFlags(bool flag4, bool flag8);

    // ---- World placement: each accessor refreshes first ----
    const NodeState& GetWorldState();
    Corvane::Vector2<float> GetWorldPosition() { return GetWorldState().GetPosition(); }
    bool IsWorldVisible();
    Corvane::ColorF GetWorldColor();
    float GetWorldOrientation();
    // Moves the node (its local position) so that its world position becomes p.
    void SetWorldPosition(const Corvane::Vector2<float>& p);
    Corvane::Vector2<float> WorldToLocalPosition(const Corvane::Vector2<float>& p);
    // The middle of the local rectangle, and the world position plus half the local size.
    Corvane::Vector2<float> GetCenter() const;
    Corvane::Vector2<float> GetWorldCenter();
    // The world rectangle united with every child's bounds (empty rectangles add nothing).
    Corvane::Rect<float> GetBounds();

    // ---- Traversals ----
    // The topmost node of this subtree that is hit-testable, visible in the world and hit at
    // worldPoint (children last to first, then the node), else null.
    SceneNode* HitTestTree(const Corvane::Vector2<float>& worldPoint);
    // Registers every child subtree, then this node, in database.
    void RegisterTree(Corvane::ObjectDatabase* database);
    // BeforeDraw, then Draw (offset). The screen calls it on every node of its tree.
    void DrawTree(const Corvane::Vector2<float>& offset);
    // Refreshes the world state of this node and its descendants where a dirty bit or a changed
    // ancestor asks for it; force refreshes this node whatever its bits. Used by the screen.
    void RefreshWorldTree(bool force);

    // ---- Capture and keyboard focus, held by the current database ----
    bool HasCapture() const;
    // Takes the mouse capture (button events come to this node only).
    void SetCapture();
    // Gives the capture up when this node holds it.
    void ReleaseCapture();
    bool HasKeyboardFocus() const;
    // Takes the keyboard focus ("LostFocus" to the old holder, "ReceivedFocus" to this node).
    void SetKeyboardFocus();
    // Gives the focus up when this node holds it.
    void ReleaseKeyboardFocus();
    // Nobody holds the capture, or the focus, of the current database.
    static void ClearCapture();
    static void ClearKeyboardFocus();

    // Connect handler after the MouseLeave (A) or MouseEnter (B) handlers; the connection returned.
    static boost::signals2::connection ConnectInputSignalA(SceneNode& node,
                                                           const SceneNodeSignals::NodeEvent::Slot& handler);
    static boost::signals2::connection ConnectInputSignalB(SceneNode& node,
                                                           const SceneNodeSignals::NodeEvent::Slot& handler);

private:
    // The first half of SetParent and of the removal.
    void Unlink();
    // Refreshes this node's world state alone from its parent's.
    void RefreshWorldState();
    // Refreshes the subtree of the highest ancestor (this node included) with a dirty bit, unless
    // the chain was found clean in the current epoch.
    void RefreshForAccess();
    void RefreshSubtree(bool force, bool stamp);
    void EmitButton(SceneNodeSignals::ButtonSignal& signal, int button, int x, int y);

    Corvane::Label mName;
    Corvane::Label mNodeName;
    SceneNode* mParent = nullptr;
    std::list<SceneNode*> mChildren;
    std::list<SceneNode*>::iterator mSelfInParent;
    std::map<Corvane::Label, SceneNode*> mChildMap;
    SceneLayoutController* mController = nullptr;
    NodeState mLocal;
    NodeState mWorld;
    std::array<int, 4> mAlign{0, 0, 0, 0};
    unsigned mDirty = 0;
    // Marking any node dirty starts a new epoch; a node whose whole chain of ancestors was found
    // clean in the current epoch answers its world accessors without looking up the chain.
    static inline std::uint32_t sDirtyEpoch = 1;
    std::uint32_t mCleanEpoch = 0;
    bool mHitTest = false;
    SceneNodeSignals mSignals;
    unsigned mButtons = 1;
    std::array<int, 2> mRotateAlign{kAlignMiddle, kAlignMiddle};
    std::array<int, 2> mScaleAlign{kAlignMiddle, kAlignMiddle};
    Corvane::Rect<int> mClipRect{0, 0, 0, 0};
    bool mUseClipRect = false;
    bool mDrawFlag4 = false;
    bool mDrawFlag8 = false;
};

// The start of every node type's drawing: a copy of the render context's current draw state whose
// clip rectangle is the node's when the node uses one. The node then puts its colour or alpha in.
Corvane::Graphics::DrawState NodeDrawState(SceneNode& node);

// Where text nodes draw: the world position + offset, moved to the anchor of the justification
// (0 left, 1 centre, 2 right: floor (x + width / 2) or floor (x + width)) so that the text, aligned
// about it, starts at the node's left edge; snap rounds both to whole pixels.
Corvane::Vector2<float> TextAnchor(SceneNode& node, const Corvane::Vector2<float>& offset, int justify, bool snap);

// The image drawing of sprite-like nodes: image at node's world position + offset, tinted by its
// world colour, clipped by its clip rectangle when used, with its draw flags; rotated about its
// rotation pivot, scaled about its scale pivot (stretched to the node's size times its scale).
// snap rounds the unscaled positions to whole pixels. Nothing without an image.
void DrawNodeImage(SceneNode& node, Corvane::IImage* image, const Corvane::Vector2<float>& offset, bool snap);

// node as a T, or null (for a null node too).
template <typename T> T* NodeCast(SceneNode* node)
{
    return dynamic_cast<T*>(node);
}
