#include "Game/Menus/StoryScreens.h"

#include "Game/Data/LevelFlowHooks.h"
#include "Game/Menus/CutsceneMode.h"

void RegisterStoryScreens()
{
    GetLevelFlowHooks().makeCutsceneMode = [](Corvane::Label cutscene) -> Corvane::ApplicationMode* {
        return new CutsceneMode(cutscene);
    };
}
