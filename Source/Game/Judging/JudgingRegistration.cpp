#include "Game/Judging/JudgingRegistration.h"

#include "Game/Data/LevelFlowHooks.h"
#include "Game/Judging/JudgingMode.h"

void RegisterJudgingScreens()
{
    GetLevelFlowHooks().makeJudgingMode = [](int total) -> Corvane::ApplicationMode* { return new JudgingMode(total); };
}
