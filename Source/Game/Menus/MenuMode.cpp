#include "Game/Menus/MenuMode.h"

#include "Game/Data/TuningValue.h"
#include "Framework/Looper.h"
#include "Framework/ObjectMessage.h"
#include "Framework/ResourceManager.h"
#include "Framework/SimpleFunctionTask.h"
#include "Framework/ValueWrapper.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/StyledTextSpriteNode.h"

using namespace Corvane;

namespace
{
Label ButtonClick()
{
    static const Label label("ButtonClick");
    return label;
}

// A missing location leaves the node where it is; a missing time makes the move immediate.
Vector2<float> Location(const char* name, const SceneNode& node)
{
    return ResourceManager::GetValue<Vector2<float>>(Label(name), node.GetPosition());
}

} // namespace

void AppendPopupSlideIn(SceneNode& popupRoot)
{
    const float moveTime = TuningValue("PopupMode_MoveTime");
    const float reboundTime = TuningValue("PopupMode_ReboundTime");
    popupRoot.GetTasks().Add(new NodeLocationTask(Location("PopupMode_OvershootLoc", popupRoot), moveTime));
    popupRoot.GetTasks().Add(new NodeLocationTask(Location("PopupMode_EndLoc", popupRoot), reboundTime));
}

void AppendPopupSlideOut(SceneNode& popupRoot)
{
    popupRoot.GetTasks().Add(
        new NodeLocationTask(Location("PopupMode_OffscreenLoc", popupRoot), TuningValue("PopupMode_MoveTime")));
    popupRoot.GetTasks().Add(new SimpleFunctionTask<SceneNode>([](SceneNode*, float) { PopApplicationMode(); }));
}

void MenuMode::OnMessage(const ObjectMessage& message)
{
    if (mClosing || !AcceptsMessage(message.GetName()))
        return;
    const Object* sender = Get(message.GetSender());
    if (!sender)
        return;
    OnControl(message.GetName(), sender->GetName());
}

bool MenuMode::AcceptsMessage(Label message) const
{
    return message == ButtonClick();
}

SceneNode* MenuMode::GetLayoutRoot() const
{
    // The root is looked up again: a screen may have removed its own layout.
    return mLayoutRoot && NodeFromID(mLayoutRootID) == mLayoutRoot ? mLayoutRoot : nullptr;
}

SceneNode* MenuMode::EnterLayout(Label layout)
{
    SceneApplicationMode::OnEnter();
    return AttachLayout(layout);
}

SceneNode* MenuMode::AttachLayout(Label layout)
{
    mLayoutRoot = InstantiateLayout(layout);
    mLayoutRootID = mLayoutRoot ? mLayoutRoot->GetID() : kNoObject;
    return mLayoutRoot;
}

void MenuMode::WireRollover(const NodePath& buttonPath, const NodePath& rolloverPath)
{
    SceneNode* button = FindInScreen(buttonPath);
    const SceneNode* rollover = FindInScreen<AnimatedSpriteNode>(rolloverPath);
    if (!button || !rollover)
        return;
    const ObjectID rolloverID = rollover->GetID();
    const auto play = [this, rolloverID](const char* animation) {
        if (auto* node = NodeCast<AnimatedSpriteNode>(NodeFromID(rolloverID)))
            node->PlayAnimation(Label(animation), false);
    };
    SceneNode::ConnectInputSignalB(*button, [play](SceneNode*) { play("Play"); });
    SceneNode::ConnectInputSignalA(*button, [play](SceneNode*) { play("Idle"); });
}

bool MenuMode::SetTextAt(const NodePath& path, const std::wstring& text) const
{
    auto* node = FindInScreen<StyledTextSpriteNode>(path);
    if (node)
        node->SetText(text);
    return node != nullptr;
}

void MenuMode::SlideIn()
{
    if (SceneNode* root = GetLayoutRoot())
        AppendPopupSlideIn(*root);
}

void MenuMode::SlideOut()
{
    if (mClosing)
        return;
    mClosing = true;
    if (SceneNode* root = GetLayoutRoot())
        AppendPopupSlideOut(*root);
    else
        PopApplicationMode();
}

void MenuMode::CloseAtOnce()
{
    if (mClosing)
        return;
    mClosing = true;
    PopApplicationMode();
}

void MenuMode::EnableDestinations(std::span<const MenuDestination> destinations) const
{
    for (const MenuDestination& destination : destinations)
        if (auto* button = FindObject<ButtonNode>(Label(destination.button)))
            button->SetEnabled(destination.IsAvailable());
}

const MenuDestination* MenuMode::FindDestination(std::span<const MenuDestination> destinations, Label sender)
{
    for (const MenuDestination& destination : destinations)
        if (sender == Label(destination.button))
            return &destination;
    return nullptr;
}

bool MenuMode::OpenDestination(const MenuDestination& destination)
{
    if (!destination.IsAvailable())
        return false;
    ApplicationMode* screen = destination.make();
    if (!screen)
        return false;
    Looper::GetInstance().QueueRequest(screen, destination.request);
    return true;
}
