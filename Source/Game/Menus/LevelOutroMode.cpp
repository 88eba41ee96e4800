#include "Game/Menus/LevelOutroMode.h"

#include "Debug.h"
#include "Format.h"
#include "Framework/CuePoint.h"
#include "Framework/CuePointTask.h"
#include "Framework/Looper.h"
#include "Framework/ResourceManager.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Kitchen/CallTask.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/StyledTextSpriteNode.h"

using namespace Corvane;
namespace Paths = ScreenPaths::LevelOutro;

namespace
{
// The host's line waits this long after her bubble shows.
constexpr float kVoiceDelay = 1.5f;

void SetText(SceneNode& root, const NodePath& path, const std::wstring& text)
{
    if (auto* node = root.FindByPathAs<StyledTextSpriteNode>(path))
        node->SetText(text);
}
} // namespace

void OpenJudgesTable(int total)
{
    const LevelFlowHooks& hooks = GetLevelFlowHooks();
    if (hooks.makeJudgingMode)
    {
        PopToApplicationMode(hooks.makeJudgingMode(total));
        return;
    }
    // Without the judges' table the level flow goes on as the judges would send it: a won level
    // (the level screen saved the total) to the next, a lost one back to the challenge select.
    LevelProgressManager* progress = LevelProgressManager::Instance();
    DebugPrint("LevelOutroMode: no judges' table; the level ends with %d points\n", total);
    if (progress->GetLevelStatus(progress->GetCurrentLevelID()) != 0)
        progress->AdvanceAfterLevel();
    else if (hooks.makeLevelSelectMode)
        PopToApplicationMode(hooks.makeLevelSelectMode(-1));
}

void LevelOutroMode::OnEnter()
{
    SceneNode* root = EnterLayout(Label("LevelOutroModeLayout"));

    const int bonus = mTimeLeft * ResourceManager::GetValue<int>(Label("TimeRemainingScoreMultiplier"), 0);
    mTotal = mScore + bonus;
    if (!root)
        return;

    SceneNode* bubble = root->FindByPath(Paths::kBubble);
    if (bubble)
        bubble->SetVisible(false);

    const auto onScreen =
        ResourceManager::GetValue<Vector2<float>>(Label("LevelOutro_Veyla_OnScreen"), root->GetPosition());
    const float moveTime = ResourceManager::GetValue<float>(Label("LevelOutro_Veyla_EnterExitTime"), 0.0f);
    CuePoint* arrived = CuePoint::Create();
    root->GetTasks().Add(new NodeLocationTask(onScreen, moveTime));
    root->GetTasks().Add(new CuePointTask(arrived));
    if (bubble)
    {
        bubble->GetTasks().Add(new CuePointTask(arrived));
        bubble->GetTasks().Add(new NodeVisibleTask(true));
        bubble->GetTasks().Add(new TimedTask(kVoiceDelay));
        bubble->GetTasks().Add(new CallTask<SceneNode>(
            [](SceneNode*) { GameAudioManager::GetInstance()->PlayVoice(Label("VO_Veyla_TimeUp")); }));
    }

    SetText(*root, Paths::kTimeBonus, (Format(L"+%1%") % bonus).str());
    SetText(*root, Paths::kTotalScore, (Format(L"%1%") % mTotal).str());
    GameAudioManager::GetInstance()->PlaySound(Label("SFX_LevelOutro"));
}

void LevelOutroMode::OnControl(Label, Label sender)
{
    static const Label judges("JudgesTableButton");
    if (sender != judges)
        return;
    // The whole stack goes, this screen with it: a second click in the same update asks nothing.
    if (mLeaving)
        return;
    mLeaving = true;
    OpenJudgesTable(mTotal);
}
