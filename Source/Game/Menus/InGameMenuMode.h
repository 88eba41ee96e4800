// The pause menu, pushed over the level screen by Escape or its pause button. It slides in over
// the dimmed kitchen, which stands still below it (only the top screen is updated). "Resume"
// slides it out and pops it, and the level goes on; "Help" and "Options" open their popups over
// it (options shown in place, without a slide); "Main Menu" and "Challenge Select" abandon the
// level: its run results are cleared and the new screen replaces every screen, the level's
// included. Buttons whose screens do not exist yet are disabled (the table in InGameMenuMode.cpp).
#pragma once

#include "Game/Menus/MenuMode.h"

// In the order the buttons are checked ("ResumeButton" is the menu's own).
std::span<const MenuDestination> PauseMenuDestinations();

class InGameMenuMode : public MenuMode
{
public:
    void OnEnter() override;
    bool IsOpaque() override { return false; }

protected:
    void OnControl(Corvane::Label message, Corvane::Label sender) override;
};
