// The level outro, pushed over the level screen when the level ends, with the whole seconds left
// on the clock and the level's score before the time bonus. The host slides in; once she stands,
// her bubble shows the bonus ("+<seconds x TimeRemainingScoreMultiplier>") and the total, and her
// time-up line follows 1.5 s later. "JudgesTableButton" is the only way out: it replaces the
// whole stack with the judges' table for the total. The kitchen stays visible below (not opaque).
// Main thread only.
#pragma once

#include "Game/Menus/MenuMode.h"

class LevelOutroMode : public MenuMode
{
public:
    LevelOutroMode(int timeLeft, int score) : mTimeLeft(timeLeft), mScore(score) {}

    void OnEnter() override;
    bool IsOpaque() override { return false; }

    int GetTimeLeft() const { return mTimeLeft; }
    int GetScore() const { return mScore; }
    // Score plus the time bonus; 0 before entering.
    int GetTotal() const { return mTotal; }

protected:
    void OnControl(Corvane::Label message, Corvane::Label sender) override;

private:
    int mTimeLeft;
    int mScore;
    int mTotal = 0;
    bool mLeaving = false;
};

// Replaces the mode stack with the judges' table for a level that ended with total points.
void OpenJudgesTable(int total);
