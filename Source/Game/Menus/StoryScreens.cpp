#include "Game/Menus/StoryScreens.h"

#include "Game/Data/LevelFlowHooks.h"
#include "Game/Menus/CutsceneMode.h"
#include "Game/Menus/LevelIntroMode.h"

void RegisterStoryScreens()
{
    GetLevelFlowHooks().makeCutsceneMode = [](Corvane::Label cutscene) -> Corvane::ApplicationMode* {
        return new CutsceneMode(cutscene);
    };
    GetLevelFlowHooks().makeLevelIntroMode = []() -> Corvane::ApplicationMode* { return new LevelIntroMode; };
}
