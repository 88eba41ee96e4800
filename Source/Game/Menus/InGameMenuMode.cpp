#include "Game/Menus/InGameMenuMode.h"

#include "Debug.h"
#include "Framework/KeyboardFocusController.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Menus/HelpMode.h"
#include "Game/Menus/MainMenuMode.h"
#include "Game/Menus/MyOptionsMode.h"

using namespace Corvane;

namespace
{
bool LevelSelectRegistered()
{
    return static_cast<bool>(GetLevelFlowHooks().makeLevelSelectMode);
}

ApplicationMode* MakeLevelSelect()
{
    return GetLevelFlowHooks().makeLevelSelectMode(-1); // no episode finished
}

ApplicationMode* MakeHelp()
{
    return new HelpMode;
}

ApplicationMode* MakeOptionsInPlace()
{
    return new MyOptionsMode(false);
}

ApplicationMode* MakeMainMenuWithoutEntrance()
{
    return new MainMenuMode(false);
}

// A pop-to leaves the level: the screens below, the level's included, are deleted. A button whose
// screen is still to come has nullptr.
constexpr MenuDestination kDestinations[] = {
    {"HelpButton", kModePush, MakeHelp},
    {"OptionsButton", kModePush, MakeOptionsInPlace},
    {"MainMenuButton", kModePopTo, MakeMainMenuWithoutEntrance},
    {"ChallengeSelectButton", kModePopTo, MakeLevelSelect, LevelSelectRegistered},
};
} // namespace

std::span<const MenuDestination> PauseMenuDestinations()
{
    return kDestinations;
}

void InGameMenuMode::OnEnter()
{
    SceneApplicationMode::OnEnter();
    Add(new KeyboardFocusController);
    AttachLayout(Label("PauseModeLayout"));
    EnableDestinations(kDestinations);
    SlideIn();
    // End-to-end checks watch for this line.
    DebugPrint("InGameMenuMode: the pause menu is up\n");
}

void InGameMenuMode::OnControl(Label, Label sender)
{
    static const Label resume("ResumeButton");
    if (sender == resume)
    {
        SlideOut();
        return;
    }
    const MenuDestination* destination = FindDestination(kDestinations, sender);
    if (!destination || !destination->IsAvailable())
        return;
    // The judges of a later level must not see this run's steps.
    if (destination->request == kModePopTo)
        LevelProgressManager::Instance()->ClearLevelResults();
    OpenDestination(*destination);
}
