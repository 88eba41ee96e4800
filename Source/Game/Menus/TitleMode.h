// The title screen, the first screen after loading (the loading screen replaces itself with it):
// the logo knife slides in, the start button rises and bobs with a blinking frame over it, the
// main-menu music plays. Start makes the four cooks walk off and, 0.8 s of title time later, the
// main menu replaces the title with its entrance. While the only profile is the default one, the
// new-profile popup (without Cancel) comes first; the title's timed moves wait while it is up.
#pragma once

#include "Game/Menus/MenuMode.h"

class TitleMode : public MenuMode
{
public:
    // The layout; the start button's hover hides the blinking frame.
    void OnEnter() override;
    // The intro moves (again after every popup), then music state 1.
    void OnGainFocus() override;

protected:
    void OnControl(Corvane::Label message, Corvane::Label sender) override;

private:
    void Start();
};
