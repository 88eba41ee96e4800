// The credits: six pages shown one at a time below "CreditsMode"/"TextImages", turned by the left
// and right arrow buttons (each disabled at its end), and "MainMenu" back to a main menu that
// stands alone on the stack. The main menu opens it alone on the stack too. Main thread only.
#pragma once

#include "Game/Menus/MenuMode.h"

class CreditsMode : public MenuMode
{
public:
    static constexpr int kPageCount = 6;

    void OnEnter() override;
    // Drawn over the screen that pushed it, which its own background covers.
    bool IsOpaque() override { return false; }

    int GetPage() const { return mPage; }

protected:
    void OnControl(Corvane::Label message, Corvane::Label sender) override;

private:
    // Clamps page to 0..5, sets the arrows and shows that page alone.
    void ShowPage(int page);

    int mPage = 0;
};
