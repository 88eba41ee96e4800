#include "Game/Menus/TitleMode.h"

#include "Debug.h"
#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Framework/Looper.h"
#include "Framework/RepeatingTask.h"
#include "Framework/ResourceManager.h"
#include "Framework/SerialTask.h"
#include "Framework/SimpleFunctionTask.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Menus/EditAccountMode.h"
#include "Game/Menus/MainMenuMode.h"
#include "SceneGraph/NodeTasks.h"

using namespace Corvane;
namespace Paths = ScreenPaths::Title;

namespace
{
Vector2<float> Location(const char* name)
{
    return ResourceManager::GetValue<Vector2<float>>(Label(name), {0.0f, 0.0f});
}

// Moves node to the named location in seconds, behind what its task list holds.
void MoveTo(SceneNode* node, const char* location, float seconds)
{
    if (node)
        node->GetTasks().Add(new NodeLocationTask(Location(location), seconds));
}

// A current profile still called like the default one (or, should there be none, no profile yet).
bool NeedsAProfile()
{
    const Account* current = AccountManager::Get()->GetCurrentAccount();
    return !current || current->GetName() == AccountManager::kDefaultProfileName;
}
} // namespace

void TitleMode::OnEnter()
{
    EnterLayout(Label("TitleModeLayout"));
    SceneNode* frame = FindInScreen(Paths::kOverlayFrame);
    if (SceneNode* button = FindInScreen(Paths::kStartButton); button && frame)
    {
        const ObjectID frameID = frame->GetID();
        const auto setFrameVisible = [this, frameID](bool visible) {
            if (SceneNode* node = NodeFromID(frameID))
                node->SetVisible(visible);
        };
        SceneNode::ConnectInputSignalB(*button, [setFrameVisible](SceneNode*) { setFrameVisible(false); });
        SceneNode::ConnectInputSignalA(*button, [setFrameVisible](SceneNode*) { setFrameVisible(true); });
    }
    // Shown for two seconds, invisible for two, for ever.
    if (frame)
        frame->GetTasks().Add(new RepeatingTask(new SerialTask(new TimedTask(2.0f), new NodeAlphaTask(0.0f),
                                                               new TimedTask(2.0f), new NodeAlphaTask(1.0f))));
    // Start-up checks and timings watch for this line.
    DebugPrint("TitleMode: the title screen is up\n");
}

void TitleMode::OnGainFocus()
{
    MoveTo(FindInScreen(Paths::kLogoKnife), "TitleScreen_KnifeFinalLocation", 0.4f);
    if (SceneNode* root = FindInScreen(Paths::kStartButtonRoot))
    {
        root->GetTasks().Add(new TimedTask(0.6f));
        MoveTo(root, "StartButtonInitialLocation", 0.3f);
        root->GetTasks().Add(new TimedTask(0.2f));
        root->GetTasks().Add(new RepeatingTask(new NodeLocationTask(Location("StartButtonBounceLocation"), 0.6f),
                                               new NodeLocationTask(Location("StartButtonInitialLocation"), 0.6f)));
    }
    GameAudioManager::GetInstance()->SetMusicState(1, false);
}

void TitleMode::OnControl(Label, Label sender)
{
    static const Label startButton("StartButton");
    if (sender == startButton)
        Start();
}

void TitleMode::Start()
{
    if (NeedsAProfile())
        PushApplicationMode(new EditAccountMode(false));
    // Gone from the screen, so that Start cannot be pressed twice.
    for (const NodePath* path : {&Paths::kStartButton, &Paths::kOverlayFrame})
        if (SceneNode* node = FindInScreen(*path))
            Remove(node->GetID());
    MoveTo(FindInScreen(Paths::kQuilla), "TitleScreenMoveLocation_Quilla", 0.5f);
    MoveTo(FindInScreen(Paths::kDorrit), "TitleScreenMoveLocation_Dorrit", 0.5f);
    MoveTo(FindInScreen(Paths::kOrvel), "TitleScreenMoveLocation_Orvel", 0.5f);
    SceneNode* veyla = FindInScreen(Paths::kVeyla);
    MoveTo(veyla, "TitleScreenMoveLocation_Veyla", 0.5f);
    if (!veyla)
        return ReplaceApplicationMode(new MainMenuMode(true));
    veyla->GetTasks().Add(new TimedTask(0.3f));
    veyla->GetTasks().Add(
        new SimpleFunctionTask<SceneNode>([](SceneNode*, float) { ReplaceApplicationMode(new MainMenuMode(true)); }));
}
