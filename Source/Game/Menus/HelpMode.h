// The game's help: a row of radio buttons picks one of nine topics, each a prepared screen of
// pictures and text below "HelpMode"/"Screens"; the stations topic has two pages, turned by
// "nextPage" and "previousPage". It opens with "BasicsButton" checked (the layout shows the basics
// first) and "BackButton" pops it, back to whichever screen pushed it: the main menu or the pause
// menu. Main thread only.
#pragma once

#include "Game/Menus/MenuMode.h"

class HelpMode : public MenuMode
{
public:
    void OnEnter() override;
    // Drawn over the screen that pushed it, which its own background covers.
    bool IsOpaque() override { return false; }

    // The topic screen shown now (the first visible child of "HelpMode"/"Screens"); null when
    // none is.
    SceneNode* GetShownScreen() const;

protected:
    bool AcceptsMessage(Corvane::Label message) const override;
    void OnControl(Corvane::Label message, Corvane::Label sender) override;

private:
    // Hides every topic screen, then shows the one the path names.
    void ShowScreen(const NodePath& screen);
};
