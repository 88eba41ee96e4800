#include "Game/Menus/MainMenuMode.h"

#include "Debug.h"
#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Framework/KeyboardFocusController.h"
#include "Framework/RandomNumberGenerator.h"
#include "Framework/RepeatingTask.h"
#include "Framework/ResourceManager.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Menus/CreditsMode.h"
#include "Game/Menus/HelpMode.h"
#include "Game/Menus/MyAccountMode.h"
#include "Game/Menus/MyOptionsMode.h"
#include "Game/Menus/QuitConfirmMode.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/BetterTimedTask.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/StyledTextSpriteNode.h"

#include <memory>

using namespace Corvane;
namespace Paths = ScreenPaths::MainMenu;

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

template <typename Screen> ApplicationMode* Make()
{
    return new Screen;
}

ApplicationMode* MakeSlidingOptions()
{
    return new MyOptionsMode(true);
}

// The screens the buttons open. A button whose screen is still to come has nullptr: enable it by
// putting Make<ItsMode> (or a function making it with its arguments) there.
constexpr MainMenuDestination kDestinations[] = {
    {"PlayButton", kModePopTo, MakeLevelSelect, LevelSelectRegistered}, // the challenge select, alone
    {"CreditsButton", kModePopTo, Make<CreditsMode>},                   // alone on the stack
    {"OptionsButton", kModePush, MakeSlidingOptions},
    {"ProfileButton", kModePush, Make<MyAccountMode>},
    {"HelpButton", kModePush, Make<HelpMode>},
    {"QuitButton", kModePush, Make<QuitConfirmMode>},
};
} // namespace

std::span<const MainMenuDestination> MainMenuDestinations()
{
    return kDestinations;
}

bool MainMenuMode::OnKeyDown(int key)
{
    return ObjectDatabase::OnKeyDown(key);
}

MainMenuMode::~MainMenuMode()
{
    if (mListening)
        if (AccountManager* accounts = AccountManager::GetIfCreated())
            accounts->RemoveAccountChangeHandler(this);
}

void MainMenuMode::OnEnter()
{
    SceneApplicationMode::OnEnter();
    Add(new KeyboardFocusController);
    AttachLayout(Label("MainMenuModeLayout"));
    AccountManager::Get()->AddAccountChangeHandler(this);
    mListening = true;

    // End-to-end checks watch for this line.
    DebugPrint("MainMenuMode: the main menu is up\n");
    EnableDestinations(kDestinations);

    // The Play button's glint hides while the pointer is on the button.
    SceneNode* frames = FindInScreen(Paths::kPlayButtonFrames);
    if (SceneNode* play = FindInScreen(Paths::kPlayButton); play && frames)
    {
        const ObjectID framesID = frames->GetID();
        const auto setVisible = [this, framesID](bool visible) {
            if (SceneNode* node = NodeFromID(framesID))
                node->SetVisible(visible);
        };
        SceneNode::ConnectInputSignalB(*play, [setVisible](SceneNode*) { setVisible(false); });
        SceneNode::ConnectInputSignalA(*play, [setVisible](SceneNode*) { setVisible(true); });
    }
    // ...and plays every 2 to 4 seconds.
    if (NodeCast<AnimatedSpriteNode>(frames))
        frames->GetTasks().Add(
            new RepeatingTask(new BetterTimedTask(std::make_shared<RandomNumberGenerator<float>>(2.0f, 4.0f)),
                              new NodeAnimationTask(Label("Play"), 0)));

    const Vector2<float> buttons =
        ResourceManager::GetValue<Vector2<float>>(Label("MainMenu_MoveLocation_Buttons"), {0.0f, 0.0f});
    const Vector2<float> profile =
        ResourceManager::GetValue<Vector2<float>>(Label("MainMenu_MoveLocation_Profile"), {0.0f, 0.0f});
    SceneNode* column = FindInScreen(Paths::kButtons);
    SceneNode* bubble = FindInScreen(Paths::kProfileBubble);
    if (!mEntrance)
    {
        if (column)
            column->SetPosition(buttons);
        if (bubble)
            bubble->SetPosition(profile);
        return;
    }
    // Each lands 5 units low and settles up; the buttons follow the bubble.
    if (bubble)
    {
        bubble->GetTasks().Add(new NodeLocationTask({profile.x, profile.y + 5.0f}, 0.3f));
        bubble->GetTasks().Add(new NodeLocationTask(profile, 0.1f));
    }
    if (column)
    {
        column->GetTasks().Add(new TimedTask(0.5f));
        column->GetTasks().Add(new NodeLocationTask({buttons.x, buttons.y + 5.0f}, 0.3f));
        column->GetTasks().Add(new NodeLocationTask(buttons, 0.1f));
    }
}

void MainMenuMode::OnGainFocus()
{
    ShowProfileName();
    GameAudioManager::GetInstance()->SetMusicState(1, false);
}

void MainMenuMode::ShowProfileName()
{
    const Account* current = AccountManager::Get()->GetCurrentAccount();
    if (auto* text = FindInScreen<StyledTextSpriteNode>(Paths::kProfileText))
        text->SetText(current ? current->GetName() : std::wstring());
}

void MainMenuMode::OnControl(Label, Label sender)
{
    if (const MenuDestination* destination = FindDestination(kDestinations, sender))
        OpenDestination(*destination);
}
