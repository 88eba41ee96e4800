#include "SceneGraph/SceneNode.h"

#include "Framework/ObjectDatabase.h"
#include "SceneGraph/NodePath.h"
#include "SceneGraph/SceneLayoutController.h"

#include <algorithm>

using namespace Corvane;

NodeState CombineNodeStates(const NodeState& parent, const NodeState& child)
{
    NodeState world = child;
    world.x = parent.x + child.x;
    world.y = parent.y + child.y;
    world.visible = parent.visible && child.visible;
    world.color.alpha = parent.color.alpha * child.color.alpha;
    world.scaleX = parent.scaleX * child.scaleX;
    world.scaleY = parent.scaleY * child.scaleY;
    world.orientation = parent.orientation + child.orientation;
    return world;
}

SceneNode::SceneNode(Label name) : mName(name), mSelfInParent(mChildren.end()) {}

SceneNode::~SceneNode() = default;

// ---- Tree ----

void SceneNode::Unlink()
{
    SceneNode* parent = mParent;
    if (!parent)
        return;
    // Only the entry naming this node goes: a sibling attached under the same node name keeps it.
    if (!mNodeName.IsNull())
        if (auto entry = parent->mChildMap.find(mNodeName); entry != parent->mChildMap.end() && entry->second == this)
            parent->mChildMap.erase(entry);
    parent->mChildren.erase(mSelfInParent);
    mSelfInParent = mChildren.end();
    parent->ChildRemoved(this);
    mParent = nullptr;
    MarkDirty(kDirtyAll);
    ParentChanged(nullptr);
}

void SceneNode::SetParent(SceneNode* parent)
{
    if (parent == mParent || !parent)
        return;
    // A node cannot go below itself: the tree would become a loop.
    for (const SceneNode* above = parent; above; above = above->mParent)
        if (above == this)
            return;
    Unlink();
    mParent = parent;
    MarkDirty(kDirtyAll);
    ParentChanged(parent);
    if (!mNodeName.IsNull())
        parent->mChildMap.emplace(mNodeName, this); // an existing entry stays
    mSelfInParent = parent->mChildren.insert(parent->mChildren.end(), this);
    parent->ChildAdded(this);
}

void SceneNode::AttachAs(SceneNode* parent, Label nodeName, const int align[4])
{
    mNodeName = nodeName;
    SetParent(parent);
    if (align)
        SetAlignment(align);
    else
        SetAlignment(0, 0, 0, 0);
}

void SceneNode::SendToBack()
{
    if (mParent)
        mParent->mChildren.splice(mParent->mChildren.begin(), mParent->mChildren, mSelfInParent);
}

void SceneNode::BringToFront()
{
    if (mParent)
        mParent->mChildren.splice(mParent->mChildren.end(), mParent->mChildren, mSelfInParent);
}

void SceneNode::ChildAdded(SceneNode*) {}

void SceneNode::ChildRemoved(SceneNode*) {}

void SceneNode::ParentChanged(SceneNode*) {}

void SceneNode::RegisterTree(ObjectDatabase* database)
{
    if (!database)
        return;
    for (SceneNode* child : mChildren)
        child->RegisterTree(database);
    database->Add(this);
}

// ---- Removal ----

void SceneNode::OnMessage(const ObjectMessage& message)
{
    if (message.GetName() != Messages::Remove())
        return;
    Unlink();
    ObjectDatabase* database = ObjectDatabase::Current();
    for (SceneNode* child : mChildren)
    {
        child->mParent = nullptr;
        child->mSelfInParent = child->mChildren.end();
        child->MarkDirty(kDirtyAll);
        child->ParentChanged(nullptr);
        if (database)
            database->Remove(child->GetID());
    }
    if (SceneLayoutController* controller = mController)
    {
        mController = nullptr;
        controller->ForgetNode();
        if (database)
            database->Remove(controller->GetID());
    }
    OnRemoved();
    mSignals.Removed(this);
}

// ---- Local placement ----

void SceneNode::SetLocalState(const NodeState& state)
{
    mLocal = state;
    MarkDirty(kDirtyAll);
}

void SceneNode::SetPosition(float x, float y)
{
    mLocal.x = x;
    mLocal.y = y;
    MarkDirty(kDirtyPosition);
}

void SceneNode::SetSize(float width, float height)
{
    mLocal.width = width;
    mLocal.height = height;
    MarkDirty(kDirtyPosition);
}

void SceneNode::SetVisible(bool visible)
{
    mLocal.visible = visible;
    MarkDirty(kDirtyVisibility);
}

void SceneNode::SetColor(const ColorF& color)
{
    mLocal.color = color;
    MarkDirty(kDirtyColor);
}

void SceneNode::SetAlpha(float alpha)
{
    mLocal.color.alpha = alpha;
    MarkDirty(kDirtyColor);
}

void SceneNode::SetScale(float scaleX, float scaleY)
{
    mLocal.scaleX = scaleX;
    mLocal.scaleY = scaleY;
    MarkDirty(kDirtyScale);
}

void SceneNode::SetOrientation(float radians)
{
    mLocal.orientation = radians;
    MarkDirty(kDirtyOrientation);
}

void SceneNode::SetAlignment(const int align[4])
{
    SetAlignment(align[0], align[1], align[2], align[3]);
}

void SceneNode::SetAlignment(int parentH, int parentV, int selfH, int selfV)
{
    mAlign = {parentH, parentV, selfH, selfV};
    MarkDirty(kDirtyPosition);
}

void SceneNode::SetClipRect(const Rect<int>& rect, bool use)
{
    mClipRect = rect;
    mUseClipRect = use;
}

void SceneNode::SetDrawFlags(bool flag4, bool flag8)
{
    mDrawFlag4 = flag4;
    mDrawFlag8 = flag8;
}

// ---- World placement ----

namespace
{
// How far an alignment word moves a point along a size: 0, half or all of it.
float AlignShift(int align, float size)
{
    return align == SceneNode::kAlignMiddle ? size / 2 : align == SceneNode::kAlignRight ? size : 0.0f;
}
} // namespace

void SceneNode::RefreshWorldState()
{
    mWorld = mParent ? CombineNodeStates(mParent->mWorld, mLocal) : mLocal;
    float ox = 0.0f;
    float oy = 0.0f;
    if (mParent)
    {
        ox = AlignShift(mAlign[0], mParent->mLocal.width);
        oy = AlignShift(mAlign[1], mParent->mLocal.height);
    }
    ox -= AlignShift(mAlign[2], mLocal.width);
    oy -= AlignShift(mAlign[3], mLocal.height);
    mWorld.x += ox;
    mWorld.y += oy;
    mDirty = 0;
}

void SceneNode::RefreshSubtree(bool force, bool stamp)
{
    const bool refresh = force || mDirty != 0;
    if (refresh)
        RefreshWorldState();
    if (stamp)
        mCleanEpoch = sDirtyEpoch;
    for (SceneNode* child : mChildren)
        child->RefreshSubtree(refresh, stamp);
}

void SceneNode::RefreshWorldTree(bool force)
{
    // From a topmost node the whole tree is clean afterwards: every node can say so.
    RefreshSubtree(force, mParent == nullptr);
}

void SceneNode::RefreshForAccess()
{
    if (mCleanEpoch == sDirtyEpoch)
        return;
    // The highest node on the way up with a dirty bit: refreshing its subtree repairs the chain,
    // bits as well as the ones asked for.
    SceneNode* highest = nullptr;
    for (SceneNode* node = this; node; node = node->mParent)
        if (node->mDirty != 0)
            highest = node;
    if (highest)
        highest->RefreshSubtree(true, false);
    mCleanEpoch = sDirtyEpoch;
}

const NodeState& SceneNode::GetWorldState()
{
    RefreshForAccess();
    return mWorld;
}

bool SceneNode::IsWorldVisible()
{
    RefreshForAccess();
    return mWorld.visible;
}

ColorF SceneNode::GetWorldColor()
{
    RefreshForAccess();
    return mWorld.color;
}

Vector2<float> SceneNode::GetWorldScale()
{
    RefreshForAccess();
    return mWorld.GetScale();
}

float SceneNode::GetWorldOrientation()
{
    RefreshForAccess();
    return mWorld.orientation;
}

void SceneNode::SetWorldPosition(const Vector2<float>& p)
{
    const Vector2<float> world = GetWorldPosition();
    SetPosition(mLocal.x - world.x + p.x, mLocal.y - world.y + p.y);
}

Vector2<float> SceneNode::WorldToLocalPosition(const Vector2<float>& p)
{
    const Vector2<float> world = GetWorldPosition();
    return {p.x - world.x + mLocal.x, p.y - world.y + mLocal.y};
}

Vector2<float> SceneNode::GetCenter() const
{
    return {mLocal.x + mLocal.width / 2, mLocal.y + mLocal.height / 2};
}

Vector2<float> SceneNode::GetWorldCenter()
{
    const Vector2<float> world = GetWorldPosition();
    return {world.x + mLocal.width / 2, world.y + mLocal.height / 2};
}

namespace
{
Rect<float> Unite(const Rect<float>& a, const Rect<float>& b)
{
    if (a.width <= 0 || a.height <= 0)
        return b;
    if (b.width <= 0 || b.height <= 0)
        return a;
    const float left = std::min(a.x, b.x);
    const float top = std::min(a.y, b.y);
    const float right = std::max(a.x + a.width, b.x + b.width);
    const float bottom = std::max(a.y + a.height, b.y + b.height);
    return {left, top, right - left, bottom - top};
}
} // namespace

Rect<float> SceneNode::GetBounds()
{
    const NodeState& world = GetWorldState();
    Rect<float> bounds{world.x, world.y, mLocal.width, mLocal.height};
    for (SceneNode* child : mChildren)
        bounds = Unite(bounds, child->GetBounds());
    return bounds;
}

// ---- Hit testing and input ----

bool SceneNode::HitTest(const Vector2<float>& p)
{
    const NodeState& world = GetWorldState();
    return world.x <= p.x && p.x < world.x + mLocal.width && world.y <= p.y && p.y < world.y + mLocal.height;
}

SceneNode* SceneNode::HitTestTree(const Vector2<float>& point)
{
    for (auto child = mChildren.rbegin(); child != mChildren.rend(); ++child)
        if (SceneNode* hit = (*child)->HitTestTree(point))
            return hit;
    if (mHitTest && IsWorldVisible() && HitTest(point))
        return this;
    return nullptr;
}

void SceneNode::EmitButton(SceneNodeSignals::ButtonSignal& signal, int button, int x, int y)
{
    signal(this, static_cast<MouseButton>(button), x, y);
}

bool SceneNode::MouseDown(int button, int x, int y)
{
    const bool accepted = button >= 0 && button < 32 && (mButtons & (1u << button)) != 0;
    if (!mSignals.ButtonDown.empty() && accepted &&
        HitTestTree({static_cast<float>(x), static_cast<float>(y)}) != nullptr)
    {
        EmitButton(mSignals.ButtonDown, button, x, y);
        return true;
    }
    if (HasCapture())
    {
        EmitButton(mSignals.CapturedButtonDown, button, x, y);
        return true;
    }
    return false;
}

bool SceneNode::MouseUp(int button, int x, int y)
{
    const bool accepted = button >= 0 && button < 32 && (mButtons & (1u << button)) != 0;
    if (!mSignals.ButtonUp.empty() && accepted &&
        HitTestTree({static_cast<float>(x), static_cast<float>(y)}) != nullptr)
    {
        EmitButton(mSignals.ButtonUp, button, x, y);
        return true;
    }
    if (HasCapture())
    {
        EmitButton(mSignals.CapturedButtonUp, button, x, y);
        return true;
    }
    return false;
}

bool SceneNode::KeyDown(int key)
{
    if (mSignals.KeyDown.empty())
        return false;
    mSignals.KeyDown(this, key);
    return true;
}

bool SceneNode::KeyUp(int key)
{
    if (mSignals.KeyUp.empty())
        return false;
    mSignals.KeyUp(this, key);
    return true;
}

bool SceneNode::HasHoverHandlers() const
{
    return !mSignals.MouseEnter.empty() || !mSignals.MouseLeave.empty();
}

void SceneNode::MouseEnter()
{
    mSignals.MouseEnter(this);
}

void SceneNode::MouseLeave()
{
    mSignals.MouseLeave(this);
}

boost::signals2::connection SceneNode::ConnectInputSignalA(SceneNode& node,
                                                           const SceneNodeSignals::NodeEvent::Slot& handler)
{
    return node.mSignals.MouseLeave.connect(handler);
}

boost::signals2::connection SceneNode::ConnectInputSignalB(SceneNode& node,
                                                           const SceneNodeSignals::NodeEvent::Slot& handler)
{
    return node.mSignals.MouseEnter.connect(handler);
}

void SceneNode::BroadcastMessage(Label name)
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->Broadcast(ObjectMessage(GetID(), name));
}

// ---- Capture and focus ----

bool SceneNode::HasCapture() const
{
    const ObjectDatabase* database = ObjectDatabase::Current();
    return database && database->GetCapture() == this;
}

void SceneNode::SetCapture()
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->SetCapture(this);
}

void SceneNode::ReleaseCapture()
{
    if (HasCapture())
        ClearCapture();
}

bool SceneNode::HasKeyboardFocus() const
{
    const ObjectDatabase* database = ObjectDatabase::Current();
    return database && database->GetFocus() == this;
}

void SceneNode::SetKeyboardFocus()
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->SetFocus(this);
}

void SceneNode::ReleaseKeyboardFocus()
{
    if (HasKeyboardFocus())
        ClearKeyboardFocus();
}

void SceneNode::ClearCapture()
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->SetCapture(nullptr);
}

void SceneNode::ClearKeyboardFocus()
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->SetFocus(nullptr);
}

// ---- Paths ----

SceneNode* SceneNode::FindChild(const NodePathElement& step) const
{
    if (step.IsEnd())
        return nullptr;
    if (step.IsIndex())
    {
        const int index = step.GetIndex();
        if (index < 0 || static_cast<std::size_t>(index) >= mChildren.size())
            return nullptr;
        return *std::next(mChildren.begin(), index);
    }
    const auto found = mChildMap.find(step.GetLabel());
    return found == mChildMap.end() ? nullptr : found->second;
}

SceneNode* SceneNode::FindByPath(const NodePath& path) const
{
    const SceneNode* current = this;
    for (const NodePathElement& step : path.GetElements())
    {
        if (step.IsEnd())
            break;
        current = current->FindChild(step);
        if (!current)
            return nullptr;
    }
    return const_cast<SceneNode*>(current);
}
