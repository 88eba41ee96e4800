#include "Game/Menus/LevelSelectMode.h"

#include "Debug.h"
#include "Framework/Looper.h"
#include "Framework/ResourceManager.h"
#include "Framework/Task.h"
#include "Framework/SoundList.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Menus/CutsceneMode.h"
#include "Game/Menus/MainMenuMode.h"
#include "Graphics/ColorF.h"
#include "Graphics/IImage.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/RadioButtonNode.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace Corvane;
namespace Paths = ScreenPaths::LevelSelect;

namespace
{
// The blink of an eliminated contestant: shown and hidden in turn for this long, then hidden.
constexpr float kBlinkTime = 3.2f;
constexpr float kBlinkHalf = 0.4f;

// A challenge's place in its frame.
struct ChallengeSlot
{
    LevelDescriptor EpisodeDescriptor::*level;
    const NodePath& attach;
};

const ChallengeSlot kSlots[] = {
    {&EpisodeDescriptor::dashcourse1, Paths::kChallenge1},
    {&EpisodeDescriptor::dashcourse2, Paths::kChallenge2},
    {&EpisodeDescriptor::elimination, Paths::kElimination},
};

// The challenge button's look by the level's status: 0 open, 1 cleared, 2 expert.
const char* const kLooks[] = {"Button_ChallengeCurrent", "Button_ChallengeCleared", "Button_ChallengeExpert"};

// Shows and hides its node in turn, shown first, every half for the duration, and then hides it.
// One clock runs the turns and the end, so no half begins at the end: separate timers for the
// turns and the end drift apart by rounding and let a last show flash for an update.
class BlinkTask : public Task
{
public:
    BlinkTask(float duration, float half) : mDuration(duration), mHalf(half) {}

    Task* Clone() const override { return new BlinkTask(mDuration, mHalf); }
    TaskResult Update(Object* owner, float dt) override
    {
        auto* node = dynamic_cast<SceneNode*>(owner);
        if (!node)
            return kFinishedAllUsed;
        const float start = mElapsed;
        mElapsed += dt;
        if (mElapsed >= mDuration)
        {
            node->SetVisible(false);
            return {kTaskFinished, std::max(0.0f, mDuration - start)};
        }
        node->SetVisible(std::fmod(mElapsed, 2.0f * mHalf) < mHalf);
        return {kTaskRunning, dt};
    }

private:
    float mDuration;
    float mHalf;
    float mElapsed = 0.0f;
};

const ColorF& ButtonTextColor()
{
    static const ColorF color = ColorF::FromPacked(0xFF000000u);
    return color;
}

bool IsChallengeOf(const EpisodeDescriptor& episode, Label levelID)
{
    return !levelID.IsNull() && (episode.dashcourse1.levelID == levelID || episode.dashcourse2.levelID == levelID ||
                                 episode.elimination.levelID == levelID);
}

void SetText(SceneNode* frame, const NodePath& path, const std::wstring& text)
{
    if (auto* node = frame->FindByPathAs<StyledTextSpriteNode>(path))
        node->SetText(text);
}

void Show(SceneNode* node, bool visible)
{
    if (node)
        node->SetVisible(visible);
}
} // namespace

bool LevelSelectMode::OnKeyDown(int key)
{
    return ObjectDatabase::OnKeyDown(key);
}

void LevelSelectMode::OnEnter()
{
    EnterLayout(Label("LevelSelectModeLayout"));
    // End-to-end checks watch for this line.
    DebugPrint("LevelSelectMode: the challenge select is up\n");
    LevelProgressManager& progress = *LevelProgressManager::Instance();

    // A contestant leaves with the first completed challenge of their episode.
    const int lastEpisode = std::min(progress.GetEpisodeOfLastCompletedLevel(), kFigureCount);
    for (int episode = 1; episode <= lastEpisode; ++episode)
        Show(Figure(episode), false);
    if (mEliminatedEpisode != -1)
        AnimateElimination(mEliminatedEpisode);

    // The current level's episode in the middle frame, where the clamp allows.
    mPage = progress.GetEpisodeNumOfLevel(progress.GetCurrentLevelID()) - 1;
    ShowPage();
}

void LevelSelectMode::OnGainFocus()
{
    GameAudioManager::GetInstance()->SetMusicState(1, false);
}

bool LevelSelectMode::AcceptsMessage(Label message) const
{
    static const Label radioClick("RadioButtonClick");
    return message == radioClick || MenuMode::AcceptsMessage(message);
}

void LevelSelectMode::OnControl(Label message, Label sender)
{
    static const Label radioClick("RadioButtonClick");
    static const Label mainMenu("MainMenuButton"), play("PlayButton"), right("RightButton"), left("LeftButton");
    LevelProgressManager& progress = *LevelProgressManager::Instance();
    if (message == radioClick)
    {
        // Challenge buttons are named by their level IDs; any other radio button is not ours.
        const int index = progress.GetLevelIndex(sender);
        if (index < 0)
            return;
        progress.SetCurrentLevelIndex(index);
        UpdateHighlights();
        return;
    }
    if (sender == mainMenu)
        Looper::GetInstance().QueueRequest(new MainMenuMode(false), kModeReplace);
    else if (sender == play)
        progress.StartLevel();
    else if (sender == right || sender == left)
    {
        mPage += sender == right ? 1 : -1;
        ShowPage();
    }
}

void LevelSelectMode::ShowPage()
{
    // The last page shows the last three episodes; with fewer than three the first page stays.
    const int episodes = LevelProgressManager::Instance()->GetEpisodeCount();
    mPage = std::max(1, std::min(std::max(1, mPage), episodes - 2));
    BuildFrames();
    UpdateHighlights();
}

void LevelSelectMode::BuildFrames()
{
    LevelProgressManager& progress = *LevelProgressManager::Instance();
    const Label current = progress.GetCurrentLevelID();
    const Label firstUncompleted = progress.GetFirstUncompletedLevel();
    for (const NodePath& path : Paths::kEpisodeAttach)
        if (SceneNode* attach = FindInScreen(path))
        {
            // Removal unlinks at once; the nodes are deleted after the next update.
            const std::vector<SceneNode*> old(attach->GetChildren().begin(), attach->GetChildren().end());
            for (SceneNode* child : old)
                Remove(child->GetID());
        }
    for (int k = 0; k < 3; ++k)
        BuildFrame(k, mPage + k, current, firstUncompleted);
}

void LevelSelectMode::BuildFrame(int k, int episodeNum, Label current, Label firstUncompleted)
{
    LevelProgressManager& progress = *LevelProgressManager::Instance();
    const EpisodeDescriptor* episode = progress.FindEpisode(episodeNum);
    SceneNode* attach = FindInScreen(Paths::kEpisodeAttach[k]);
    if (!episode || !attach)
        return;
    SceneNode* frame = InstantiateLayout(Label("EpisodeFrameLayout"), attach);
    if (!frame)
        return;

    const std::wstring number = LocalizedText::GetEpisodeNumberText(episodeNum);
    SetText(frame, Paths::kLockedEpisodeNum, number);
    SetText(frame, Paths::kEpisodeNum, number);
    SetText(frame, Paths::kEpisodeTitle, LocalizedText::GetEpisodeTitle(episodeNum));
    if (auto* thumbnail = frame->FindByPathAs<StaticSpriteNode>(Paths::kThumbnail))
        thumbnail->SetImageFromList(ResourceManager::Get<ImageList>(Label("EpisodeThumbnailImages")).Get(),
                                    episodeNum - 1);

    // Every cleared challenge stays playable, and the next one in play order opens.
    SoundList* sounds = ResourceManager::Get<SoundList>(Label("Fennik_ButtonUISounds")).Get();
    static const Label radioGroup("EpisodeButton");
    bool unlocked = false;
    for (const ChallengeSlot& slot : kSlots)
    {
        const Label levelID = ((*episode).*slot.level).levelID;
        const int status = levelID.IsNull() ? 0 : std::clamp(progress.GetLevelStatus(levelID), 0, 2);
        SceneNode* place = frame->FindByPath(slot.attach);
        if (levelID.IsNull() || !place || (status == 0 && levelID != firstUncompleted))
            continue;
        auto* button = new RadioButtonNode(ButtonTextColor(), nullptr, radioGroup, levelID, {0.0f, 0.0f},
                                           ResourceManager::Get<ImageList>(Label(kLooks[status])).Get(), 0.0f,
                                           nullptr);
        button->SetSounds(sounds);
        button->RegisterTree(this);
        // Its node name too, so that paths reach it.
        button->AttachAs(place, levelID);
        if (levelID == current)
            button->SetChecked(true);
        unlocked = true;
    }

    // The replays open once the episode's first challenge, or its elimination, is cleared.
    const struct
    {
        const NodePath& path;
        Label cutscene;
        Label unlockingLevel;
    } replays[] = {{Paths::kIntroButton, episode->intro.levelID, episode->dashcourse1.levelID},
                   {Paths::kOutroButton, episode->outro.levelID, episode->elimination.levelID}};
    for (const auto& replay : replays)
        if (auto* button = frame->FindByPathAs<ButtonNode>(replay.path))
        {
            const Label cutscene = replay.cutscene;
            button->Clicked.connect([cutscene](ButtonNode*) {
                Looper::GetInstance().QueueRequest(new CutsceneMode(cutscene), kModePush);
            });
            button->SetEnabled(!replay.unlockingLevel.IsNull() && progress.GetLevelStatus(replay.unlockingLevel) > 0);
        }

    Show(frame->FindByPath(Paths::kUnlocked), unlocked);
    Show(frame->FindByPath(Paths::kLocked), !unlocked);
}

void LevelSelectMode::UpdateHighlights()
{
    LevelProgressManager& progress = *LevelProgressManager::Instance();
    const Label current = progress.GetCurrentLevelID();
    IImage* selected = ResourceManager::Get<IImage>(Label("LevelSelect_EpisodeFrame_select")).Get();
    IImage* unselected = ResourceManager::Get<IImage>(Label("LevelSelect_EpisodeFrame_unselect")).Get();
    for (int k = 0; k < 3; ++k)
    {
        SceneNode* attach = FindInScreen(Paths::kEpisodeAttach[k]);
        if (!attach || attach->GetChildren().empty())
            continue;
        auto* highlight = attach->GetChildren().front()->FindByPathAs<StaticSpriteNode>(Paths::kFrame);
        if (!highlight)
            continue;
        const EpisodeDescriptor* episode = progress.FindEpisode(mPage + k);
        highlight->SetImage(episode && IsChallengeOf(*episode, current) ? selected : unselected);
    }
}

void LevelSelectMode::AnimateElimination(int episode)
{
    SceneNode* figure = Figure(episode);
    if (!figure)
        return;
    figure->GetTasks().Add(new BlinkTask(kBlinkTime, kBlinkHalf));
}

SceneNode* LevelSelectMode::Figure(int episode) const
{
    if (episode < 1 || episode > kFigureCount)
        return nullptr;
    return FindInScreen(Paths::kCharacters[episode - 1]);
}

void RegisterChallengeSelect()
{
    GetLevelFlowHooks().makeLevelSelectMode = [](int episode) -> ApplicationMode* {
        return new LevelSelectMode(episode);
    };
}
