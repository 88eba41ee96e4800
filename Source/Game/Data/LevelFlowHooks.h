// What the level flow needs of screens and managers built elsewhere in the game: each fills its
// entry in when it is registered at start-up, and the level progress only calls them. An entry
// left empty is reported on the debug output and skipped.
#pragma once

#include "Label.h"

#include <functional>

namespace Corvane
{
class ApplicationMode;
}

struct LevelFlowHooks
{
    // New screens, handed to the mode stack by a mode request.
    std::function<Corvane::ApplicationMode*()> makeGameMode;
    std::function<Corvane::ApplicationMode*()> makeLevelIntroMode;
    std::function<Corvane::ApplicationMode*(Corvane::Label cutsceneID)> makeCutsceneMode;
    // episode -1: no episode chosen.
    std::function<Corvane::ApplicationMode*(int episode)> makeLevelSelectMode;
    // Makes the judges' table for the level just played the only screen, with the level's total
    // (score and time bonus).
    std::function<void(int levelScore)> showJudging;
    // Reloads the tutorial tips shown from the current profile.
    std::function<void()> reloadTutorial;
};

// The process's hooks. Main thread.
LevelFlowHooks& GetLevelFlowHooks();
