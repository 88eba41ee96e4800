// The level outro, pushed over the level screen when the level ends, with the whole seconds left
// on the clock and the level's score before the time bonus. For now a screen without content that
// keeps its two values.
//
// Still to come with the outro piece: the host's bubble, the bonus and total, and the way on to
// the judges.
#pragma once

#include "SceneGraph/SceneApplicationMode.h"

class LevelOutroMode : public SceneApplicationMode
{
public:
    LevelOutroMode(int timeLeft, int score) : mTimeLeft(timeLeft), mScore(score) {}

    int GetTimeLeft() const { return mTimeLeft; }
    int GetScore() const { return mScore; }

private:
    int mTimeLeft;
    int mScore;
};
