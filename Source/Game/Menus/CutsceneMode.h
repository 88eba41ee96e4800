// A story dialogue: a location picture, up to two characters (one on each side) who slide in,
// change expression or slide out between lines, and a speech bubble on the speaker's side with
// the line's text. "NextButton" plays the next line, "SkipButton" leaves at once; the click after
// the last line closes it. The lines come from the CutsceneData record named by the cutscene's
// name; a name without a record plays no lines and closes on entering. It plays the cutscene
// music while on top and draws over the screen below (not opaque).
//
// Bubble timing: a line whose characters do not move shows its bubble at once; otherwise the
// bubble waits on cue points until both sides have finished what they had queued. Each line first
// ends whatever the bubbles still had queued, so a quick Next never shows an earlier line's bubble
// beside the current one; the ended cue tasks leave their cue points and the characters go on.
// Main thread only.
#pragma once

#include "Game/Data/GameRecords.h"
#include "Game/Menus/MenuMode.h"

#include <deque>

class StaticSpriteNode;

class CutsceneMode : public MenuMode
{
public:
    explicit CutsceneMode(Corvane::Label name) : mName(name) {}

    void OnEnter() override;
    // Music state 6, kept playing when it is on already.
    void OnGainFocus() override;
    bool IsOpaque() override { return false; }

    Corvane::Label GetCutsceneName() const { return mName; }
    CutsceneCharState GetLeftState() const { return mLeft; }
    CutsceneCharState GetRightState() const { return mRight; }
    // The lines not played yet.
    std::size_t GetLinesLeft() const { return mPrompts.size(); }

protected:
    void OnControl(Corvane::Label message, Corvane::Label sender) override;

private:
    enum Side
    {
        kLeftSide,
        kRightSide
    };

    // Plays the first line left and removes it; closes the cutscene when none is left.
    void PlayNextLine();
    // Changes one side's character from one state to another; true when it moves someone.
    bool ChangeCharacter(Side side, CutsceneCharState from, CutsceneCharState to);
    StaticSpriteNode* Character(Side side) const;

    Corvane::Label mName;
    std::deque<CutscenePrompt> mPrompts;
    CutsceneCharState mLeft = kCharNone;
    CutsceneCharState mRight = kCharNone;
};

// Two states are the same character's (expressions of one person); "None" is nobody's.
bool IsSameCharacter(CutsceneCharState a, CutsceneCharState b);
