// The level outro, pushed over the level screen when the level ends, with the whole seconds left
// on the clock and the level's score before the time bonus. For now a screen without content
// that keeps its two values and, after a moment, hands the level's total (score and time bonus)
// on to the judges through the level flow's judging hook.
//
// Still to come with the outro piece: the host's bubble, the bonus and the total counting up.
#pragma once

#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/LevelFlowHooks.h"
#include "SceneGraph/SceneApplicationMode.h"

class LevelOutroMode : public SceneApplicationMode
{
public:
    // How long the outro stands before the judges take over, in seconds.
    static constexpr float kHandOverDelay = 2.0f;

    LevelOutroMode(int timeLeft, int score) : mTimeLeft(timeLeft), mScore(score) {}

    int GetTimeLeft() const { return mTimeLeft; }
    int GetScore() const { return mScore; }
    // The score with the time bonus, as the level screen saved it.
    int GetTotal() const
    {
        using namespace Corvane;
        return mScore + mTimeLeft * ResourceManager::GetValue<int>(Label("TimeRemainingScoreMultiplier"), 0);
    }

    void Update(float dt) override
    {
        SceneApplicationMode::Update(dt);
        mElapsed += dt;
        if (mHandedOver || mElapsed < kHandOverDelay)
            return;
        mHandedOver = true;
        if (const auto& showJudging = GetLevelFlowHooks().showJudging)
            showJudging(GetTotal());
    }

private:
    int mTimeLeft;
    int mScore;
    float mElapsed = 0.0f;
    bool mHandedOver = false;
};
