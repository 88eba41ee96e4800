// The main menu, the hub: the current profile's name in a bubble and the buttons to the challenge
// select, the credits, options, profiles, help and quitting. Opened from the title it plays an
// entrance (the bubble and the button column drop into place); from elsewhere it shows at once.
// It plays the main-menu music when it comes back on top, and shows the current profile's name
// from the moment the profile changes: a profile made, chosen or deleted in the profile screens
// above it shows at once, not only when they close.
//
// A button leads somewhere only once its screen exists: the table of destinations in
// MainMenuMode.cpp has one line per button, and a button whose line has no way to make its screen
// is disabled. Enabling one is giving its line that function.
#pragma once

#include "Framework/IAccountChangeHandler.h"
#include "Game/Menus/MenuMode.h"

using MainMenuDestination = MenuDestination;

// In the order the buttons are checked.
std::span<const MainMenuDestination> MainMenuDestinations();

class MainMenuMode : public MenuMode, public Corvane::IAccountChangeHandler
{
public:
    // entrance: the title opens it; the bubble and the buttons drop in.
    explicit MainMenuMode(bool entrance) : mEntrance(entrance) {}
    // Stops listening for profile changes.
    ~MainMenuMode() override;

    bool OnKeyDown(int key) override;
    void OnEnter() override;
    // The profile's name, then music state 1 (kept playing when it is on already).
    void OnGainFocus() override;

    bool HasEntrance() const { return mEntrance; }

    void OnAccountChanging() override {}
    void OnAccountChanged() override { ShowProfileName(); }

protected:
    void OnControl(Corvane::Label message, Corvane::Label sender) override;

private:
    void ShowProfileName();

    bool mEntrance;
    bool mListening = false;
};
