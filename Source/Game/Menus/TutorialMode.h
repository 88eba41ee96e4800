// The tutorial bubble: one tip shown as a speech bubble over the kitchen. Its texts are shown page
// by page ("Tutorial.<Name>.1", ".2"... up to the first missing key); the bubble is as tall as
// its tallest page (at least 85), placed beside the point the tip explains with a tail pointing at
// it, or centred on the screen for a tip without a point. "MoreButton", or a press anywhere on the
// bubble, turns the page; after the last page the bubble closes. While it is on top the level
// below is drawn undimmed and, as every screen below the top, does not advance.
//
// Layout "TutorialBubbleLayout": "TutorialBubble" (the bubble's centre) holding the background
// "bubbleBG" (a nine-piece background centred on it), and inside that "tail_up", "tail_down",
// "tail_left", "tail_right" (all hidden), "TutorialText" and "MoreButton".
//
// TutorialManager::ShowTip pushes it; it pops itself. Main thread only.
#pragma once

#include "Game/Menus/MenuMode.h"
#include "Graphics/Vector2.h"

#include <string>

class TutorialMode : public MenuMode
{
public:
    // tip 0 to 32 (any other number shows nothing and closes at once); position on the 800 by
    // 600 screen, a coordinate not above 0 meaning no particular place.
    TutorialMode(int tip, const Corvane::Vector2<float>& position);

    // The text of page (from 1) of the tip; empty when there is none.
    static std::wstring GetPageText(int tip, int page);

    void OnEnter() override;
    // The kitchen stays visible below the bubble, undimmed.
    bool IsOpaque() override { return false; }
    void DrawUnderlay() override {}

    int GetTip() const { return mTip; }
    // The point the tip explains; a coordinate not above 0 for none.
    Corvane::Vector2<float> GetPoint() const { return {mX, mY}; }
    // The page the next turn shows.
    int GetPageNumber() const { return mPage; }

protected:
    void OnControl(Corvane::Label message, Corvane::Label sender) override;

private:
    // Shows the current page and moves on, hiding More on the last page; closes when no page is
    // left.
    void TurnPage();
    // Sets the background's height from the tallest page.
    void FitHeight();
    // Puts the bubble beside the point and shows the tail towards it.
    void Place();

    int mTip;
    float mX;
    float mY;
    int mPage = 1;
};
