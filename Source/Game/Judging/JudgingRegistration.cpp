#include "Game/Judging/JudgingRegistration.h"

#include "Game/Data/LevelFlowHooks.h"
#include "Game/Judging/JudgingMode.h"

void RegisterJudgingScreens()
{
    GetLevelFlowHooks().showJudging = [](int levelScore) { JudgingMode::ShowAfterLevel(levelScore); };
}
