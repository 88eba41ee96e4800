// The scene-graph screen's input routing and hover tracking.
#include "Framework/IInputHandler.h"
#include "SceneGraph/SceneApplicationMode.h"

using namespace Corvane;

namespace
{
// Gives the walk's snapshot back when a level of the walk ends, also through an exception.
class SnapshotMark
{
public:
    explicit SnapshotMark(std::vector<std::pair<SceneNode*, ObjectID>>& walk) : mWalk(walk), mStart(walk.size()) {}
    ~SnapshotMark() { mWalk.resize(mStart); }
    SnapshotMark(const SnapshotMark&) = delete;
    SnapshotMark& operator=(const SnapshotMark&) = delete;

    // Appends node's children as they are now; returns where they end.
    std::size_t Take(const SceneNode& node)
    {
        for (SceneNode* child : node.GetChildren())
            mWalk.emplace_back(child, child->GetID());
        return mWalk.size();
    }
    std::size_t Start() const { return mStart; }

private:
    std::vector<std::pair<SceneNode*, ObjectID>>& mWalk;
    std::size_t mStart;
};
} // namespace

bool SceneApplicationMode::IsChildStill(SceneNode* child, ObjectID id, const SceneNode* parent) const
{
    // The id proves the node is alive before it is touched; a removed node is unlinked.
    return id != kNoObject && Get(id) == child && child->GetParent() == parent;
}

bool SceneApplicationMode::RouteToTree(SceneNode* node, ObjectID skip, const Deliver& deliver)
{
    {
        SnapshotMark mark(mWalk);
        const std::size_t end = mark.Take(*node);
        for (std::size_t i = end; i-- > mark.Start();)
        {
            const auto [child, id] = mWalk[i];
            if (IsChildStill(child, id, node) && RouteToTree(child, skip, deliver))
                return true;
        }
    }
    return node->GetID() != skip && Get(node->GetID()) == node && deliver(*node);
}

bool SceneApplicationMode::RouteToOthers(ObjectID skip, const Deliver& deliver)
{
    for (std::uint32_t slot = 0; slot < static_cast<std::uint32_t>(GetSize()); ++slot)
    {
        IInputHandler* handler = GetInputHandlerInSlot(slot);
        Object* object = handler ? GetObjectInSlot(slot) : nullptr;
        if (object && object->GetID() != skip && !dynamic_cast<SceneNode*>(object) && deliver(*handler))
            return true;
    }
    return false;
}

bool SceneApplicationMode::RouteInput(ObjectID target, bool exclusive, const Deliver& deliver)
{
    Walk walk(*this);
    ObjectID skip = kNoObject;
    if (auto* handler = dynamic_cast<IInputHandler*>(Get(target)))
    {
        if (deliver(*handler) || exclusive)
            return true;
        skip = target; // it declined once; the walks below do not ask it again
    }
    if (SceneNode* root = GetRootNode(); root && RouteToTree(root, skip, deliver))
        return true;
    return RouteToOthers(skip, deliver);
}

bool SceneApplicationMode::OnKeyDown(int key)
{
    return RouteInput(GetFocus() ? GetFocus()->GetID() : kNoObject, false,
                      [key](IInputHandler& handler) { return handler.KeyDown(key); });
}

bool SceneApplicationMode::OnKeyUp(int key)
{
    return RouteInput(GetFocus() ? GetFocus()->GetID() : kNoObject, false,
                      [key](IInputHandler& handler) { return handler.KeyUp(key); });
}

bool SceneApplicationMode::OnMouseDown(int button, int x, int y)
{
    return RouteInput(GetCapture() ? GetCapture()->GetID() : kNoObject, true,
                      [button, x, y](IInputHandler& handler) { return handler.MouseDown(button, x, y); });
}

bool SceneApplicationMode::OnMouseUp(int button, int x, int y)
{
    return RouteInput(GetCapture() ? GetCapture()->GetID() : kNoObject, true,
                      [button, x, y](IInputHandler& handler) { return handler.MouseUp(button, x, y); });
}

void SceneApplicationMode::SetHover(SceneNode* node)
{
    if (!node || mHover == node->GetID())
        return;
    if (SceneNode* old = NodeFromID(mHover))
        old->MouseLeave();
    // The leave handler may have removed the node about to be hovered.
    if (Get(node->GetID()) != node)
        return;
    mHover = node->GetID();
    node->MouseEnter();
}

void SceneApplicationMode::EndHover()
{
    SceneNode* old = NodeFromID(mHover);
    mHover = kNoObject;
    if (old)
        old->MouseLeave();
}

void SceneApplicationMode::OnLoseFocus()
{
    EndHover();
}

SceneNode* SceneApplicationMode::UpdateHover(SceneNode* node, HoverContext& context)
{
    {
        SnapshotMark mark(mWalk);
        const std::size_t end = mark.Take(*node);
        for (std::size_t i = end; i-- > mark.Start();)
        {
            const auto [child, id] = mWalk[i];
            if (!IsChildStill(child, id, node))
                continue;
            if (SceneNode* taken = UpdateHover(child, context))
                return taken;
        }
    }
    const Vector2<float> point{static_cast<float>(context.x), static_cast<float>(context.y)};
    if (!context.claimed && node->HasHoverHandlers() && node->HitTestTree(point))
    {
        SetHover(node);
        context.claimed = true;
    }
    if (Get(node->GetID()) != node)
        return nullptr;
    return node->MouseMove(context.x, context.y) ? node : nullptr;
}

bool SceneApplicationMode::OnMouseMove(int x, int y)
{
    Walk walk(*this);
    HoverContext context{x, y, false};
    bool handled = false;
    if (SceneNode* capture = GetCaptureNode())
    {
        if (capture->HasHoverHandlers() && capture->HitTestTree({static_cast<float>(x), static_cast<float>(y)}))
        {
            SetHover(capture);
            context.claimed = true;
        }
        if (GetCaptureNode() == capture)
            capture->MouseMove(x, y);
        handled = true; // the capturing node takes every move
    }
    else if (SceneNode* root = GetRootNode())
    {
        handled = UpdateHover(root, context) != nullptr;
    }
    if (!context.claimed && mHover != kNoObject)
    {
        SceneNode* old = NodeFromID(mHover);
        mHover = kNoObject;
        if (old)
            old->MouseLeave();
    }
    if (handled)
        return true;
    return RouteToOthers(kNoObject, [x, y](IInputHandler& handler) { return handler.MouseMove(x, y); });
}
