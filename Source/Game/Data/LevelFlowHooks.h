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
    // The judges' table for a level that ended with total points (score and time bonus).
    std::function<Corvane::ApplicationMode*(int total)> makeJudgingMode;
    // episode -1: no episode chosen.
    std::function<Corvane::ApplicationMode*(int episode)> makeLevelSelectMode;
    // Reloads the tutorial tips shown from the current profile.
    std::function<void()> reloadTutorial;
};

// The process's hooks. Main thread.
LevelFlowHooks& GetLevelFlowHooks();
