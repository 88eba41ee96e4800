// The question before the game ends, pushed by the main menu: it slides in over the menu; "Yes"
// asks the main loop to quit (a quit handler may refuse, and the popup then stays open and
// answers again), "No" slides it out and pops it.
#pragma once

#include "Game/Menus/MenuMode.h"

class QuitConfirmMode : public MenuMode
{
public:
    void OnEnter() override;
    bool IsOpaque() override { return false; }

protected:
    void OnControl(Corvane::Label message, Corvane::Label sender) override;
};
