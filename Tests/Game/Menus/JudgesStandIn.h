// The judges' table as the level outro opens it, for tests of the way there: while a
// JudgesTableHook lives, the level flow's judging screen is a JudgesStandIn that keeps the total
// it was made with.
#pragma once

#include "Game/Data/LevelFlowHooks.h"
#include "SceneGraph/SceneApplicationMode.h"

class JudgesStandIn : public SceneApplicationMode
{
public:
    explicit JudgesStandIn(int total) : total(total) {}
    int total;
};

class JudgesTableHook
{
public:
    JudgesTableHook() : mSaved(GetLevelFlowHooks().makeJudgingMode)
    {
        GetLevelFlowHooks().makeJudgingMode = [](int total) -> Corvane::ApplicationMode* {
            return new JudgesStandIn(total);
        };
    }
    ~JudgesTableHook() { GetLevelFlowHooks().makeJudgingMode = mSaved; }
    JudgesTableHook(const JudgesTableHook&) = delete;
    JudgesTableHook& operator=(const JudgesTableHook&) = delete;

private:
    std::function<Corvane::ApplicationMode*(int)> mSaved;
};
