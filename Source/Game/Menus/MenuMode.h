// The base of the game's menu, popup and story screens: a scene-graph screen that builds its tree
// from one scene layout on entering, tells its controls apart by name when they announce
// themselves, and, for popups, slides its layout's root in and out.
//
// Writing a screen:
//
//   class QuitConfirmMode : public MenuMode
//   {
//   public:
//       void OnEnter() override
//       {
//           EnterLayout(Corvane::Label("QuitConfirmModeLayout"));
//           SlideIn();
//       }
//       bool IsOpaque() override { return false; }          // popups: the screens below show
//
//   protected:
//       void OnControl(Corvane::Label message, Corvane::Label sender) override
//       {
//           static const Corvane::Label yes("YesButton"), no("NoButton");
//           if (sender == yes)
//               Corvane::RequestQuit();
//           else if (sender == no)
//               SlideOut();                                   // then popped
//       }
//   };
//
// OnControl sees only the messages AcceptsMessage lets through ("ButtonClick" unless a screen
// widens it), only while the screen is not closing, and only from a sender that still exists,
// named by its object name. SlideOut and CloseAtOnce mark the screen as closing: a second press of OK
// while a popup slides out does nothing, so nothing is done twice or through something the first
// press already deleted. Node lookups go through the screen's node-path tables below the root
// (FindInScreen). Popups are drawn over the screens below them (IsOpaque false) and dim them on
// the hardware renderer (the scene-graph screen's underlay).
//
// Main thread only.
#pragma once

#include "Framework/Looper.h"
#include "SceneGraph/SceneApplicationMode.h"

#include <span>

namespace Corvane
{
class ApplicationMode;
}

// Where a menu button leads: the mode request and the new screen. A screen keeps a table of them,
// one line per button; a button whose screen cannot be made yet is disabled.
struct MenuDestination
{
    const char* button;
    Corvane::ModeRequestOp request;
    // Makes the screen; null while the screen does not exist (the button is disabled).
    Corvane::ApplicationMode* (*make)();
    // Whether make can make it now (a screen registered by a hook); null: whenever make is there.
    bool (*ready)() = nullptr;

    bool IsAvailable() const { return make && (!ready || ready()); }
};

class MenuMode : public SceneApplicationMode
{
public:
    // Filters and forwards to OnControl (see above).
    void OnMessage(const Corvane::ObjectMessage& message) override;

    // The node the layout instantiation returned (the popup root for popups); null before entering
    // or when the layout is missing.
    SceneNode* GetLayoutRoot() const;
    // The slide out or the close has begun: messages are no longer acted on.
    bool IsClosing() const { return mClosing; }

protected:
    // SceneApplicationMode::OnEnter, then AttachLayout.
    SceneNode* EnterLayout(Corvane::Label layout);
    // The layout instantiated under the root (after SceneApplicationMode::OnEnter) and kept.
    SceneNode* AttachLayout(Corvane::Label layout);
    // The node path names below the screen's root, when it is a T; null otherwise.
    template <typename T = SceneNode> T* FindInScreen(const NodePath& path) const
    {
        SceneNode* root = GetRootNode();
        return root ? root->FindByPathAs<T>(path) : nullptr;
    }
    // The button's pointer enter plays "Play" on its rollover animation, the leave plays "Idle"
    // (neither restarts a playing animation); nothing when either node is missing.
    void WireRollover(const NodePath& button, const NodePath& rollover);
    // Shows text (plain, never markup) on the styled text node the path names; false when there
    // is none.
    bool SetTextAt(const NodePath& path, const std::wstring& text) const;
    // The object of this screen that has the name, when it is a T; null otherwise.
    template <typename T> T* FindObject(Corvane::Label name) const { return dynamic_cast<T*>(FindByName(name)); }

    // Which messages reach OnControl; "ButtonClick" in the base.
    virtual bool AcceptsMessage(Corvane::Label message) const;
    // A control named sender sent message.
    virtual void OnControl(Corvane::Label /*message*/, Corvane::Label /*sender*/) {}

    // Enables each destination's button (found by name) when its screen can be made, disables it
    // otherwise.
    void EnableDestinations(std::span<const MenuDestination> destinations) const;
    // The line of the button named sender; null when there is none.
    static const MenuDestination* FindDestination(std::span<const MenuDestination> destinations,
                                                  Corvane::Label sender);
    // Queues the destination's request with a new screen; false when its screen cannot be made
    // (a disabled button still clicks by its hot key).
    static bool OpenDestination(const MenuDestination& destination);

    // The popup slide: the layout root flies past its resting place and settles back
    // ("PopupMode_OvershootLoc" in "PopupMode_MoveTime", then "PopupMode_EndLoc" in
    // "PopupMode_ReboundTime").
    void SlideIn();
    // Marks the screen closing; behind whatever the root still has to do, it flies off
    // ("PopupMode_OffscreenLoc" in "PopupMode_MoveTime") and the screen is popped.
    void SlideOut();
    // Marks the screen closing and pops it at once.
    void CloseAtOnce();

private:
    SceneNode* mLayoutRoot = nullptr;
    Corvane::ObjectID mLayoutRootID = Corvane::kNoObject;
    bool mClosing = false;
};

// The popup slide on any node's ordered task list (MenuMode's SlideIn and SlideOut use them).
void AppendPopupSlideIn(SceneNode& popupRoot);
// The move off screen followed by a pop of the current top screen.
void AppendPopupSlideOut(SceneNode& popupRoot);
