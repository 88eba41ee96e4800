#include "Game/Kitchen/GameMode.h"

#include "Debug.h"
#include "Format.h"
#include "Framework/Looper.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Kitchen/DragInputManager.h"
#include "Game/Kitchen/FennikPlayfield.h"
#include "Game/Kitchen/KitchenText.h"
#include "Game/Kitchen/PowerUpManager.h"
#include "Game/Kitchen/Recipe.h"
#include "Game/Kitchen/RecipeList.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Game/Menus/InGameMenuMode.h"
#include "Game/Menus/LevelOutroMode.h"
#include "Game/Menus/TutorialManager.h"
#include "Platform/Compat/User/MessageBox.h"
#include "RandomStream.h"
#include "TextConversion.h"

#include <algorithm>
#include <cmath>

using namespace Corvane;
namespace Paths = ScreenPaths::Kitchen;

namespace
{
constexpr int kEscape = 27;
constexpr int kPauseKey = 256;
// A tip waits until the player's hands have rested this long: a bubble that comes up as the
// player clicks would take the click, and a player's next click comes up to about two thirds of
// a second after the last.
constexpr float kTipQuietTime = 1.0f;

// The host's clock cues, tested in this order, at most one per update: the clock passes the mark
// (strictly from above to strictly below) in the update that first shows 1:00, 0:30 or 0:10.
struct ClockCue
{
    float mark;
    const char* voice;
};
constexpr ClockCue kClockCues[] = {
    {61.0f, "VO_Veyla_1Minute"}, {31.0f, "VO_Veyla_30Seconds"}, {11.0f, "VO_Veyla_10Seconds"}};

// The whole seconds on the clock, never below 0.
int WholeSeconds(float timeLeft)
{
    return static_cast<int>(std::max(timeLeft, 0.0f));
}

void PushPauseMenu()
{
    PushApplicationMode(new InGameMenuMode);
}
} // namespace

GameMode* GameMode::Create()
{
    return new GameMode;
}

GameMode* GameMode::GetCurrent()
{
    return dynamic_cast<GameMode*>(GetCurrentApplicationMode());
}

void GameMode::OnEnter()
{
    SceneApplicationMode::OnEnter();
    InstantiateLayout(Label("GameScreenLayout"));
    mPlayfield = new FennikPlayfield;
    mPlayfield->Attach(GetRootNode()->FindByPath(Paths::kPlayfieldAttach));
    mLevel = LevelProgressManager::Instance()->GetCurrentLevelData();

    bool anySteps = false;
    if (mLevel)
        for (Label name : mLevel->recipes)
        {
            const RecipeData* data = ResourceManager::Get<RecipeData>(name).Get();
            if (!data)
                continue;
            auto* recipe = new Recipe(*data);
            Add(recipe);
            recipe->CreateSteps();
            anySteps = anySteps || !data->steps.empty();
        }
    GetScoreManager();
    mPlayfield->CreateStations(mLevel ? mLevel->numStations : 0);
    mPlayfield->CreateInterface();
    ConnectPopupMasks();
    if (RefuseUnplayableLevel(anySteps))
        return;

    PowerUpManager* powerUps = GetPowerUpManager();
    for (int slot = 0; slot < static_cast<int>(mLevel->powerUpCounts.size()); ++slot)
        for (int i = 0; i < mLevel->powerUpCounts[static_cast<std::size_t>(slot)]; ++i)
            powerUps->AddCharge(static_cast<PowerUpType>(slot));
    mTimeLeft = static_cast<float>(mLevel->time);
    if (RecipeList* list = FindRecipeList())
    {
        list->FillEntries();
        list->SetBusy(true);
    }
    // The level intro comes up over the screen before it ever gains focus: its number and the
    // time the level gives show then.
    ShowLevelNumber();
    ShowTime();
    ShowNextRecipePopup();
}

bool GameMode::RefuseUnplayableLevel(bool anySteps)
{
    if (mLevel && anySteps)
        return false;
    // Such a level would be over before it began (or could not start at all): it is refused, and
    // nothing of it is played or saved. (Stations and bins no kitchen holds are refused with the
    // level file, when it is read.)
    mRefused = true;
    const Label levelID = LevelProgressManager::Instance()->GetCurrentLevelID();
    const std::string reason = mLevel ? "has no recipe with cooking steps" : "has no kitchen settings";
    const std::string message =
        std::string("The level \"") + (levelID ? levelID.c_str() : "") + "\" " + reason + " and cannot be played.";
    DebugPrint("GameMode: %s\n", message.c_str());
    MessageBoxW(nullptr, NarrowToWide(message.c_str()).c_str(), L"This level cannot be played", MB_OK | MB_ICONERROR);
    if (const auto& makeLevelSelect = GetLevelFlowHooks().makeLevelSelectMode)
        PopToApplicationMode(makeLevelSelect(-1));
    return true;
}

void GameMode::ConnectPopupMasks()
{
    SceneNode* root = GetRootNode();
    const auto swallow = [](SceneNode*, MouseButton, int, int) {};
    if (SceneNode* input = root->FindByPath(Paths::kNextDishInputMask))
    {
        input->SetHitTest(true);
        input->Signals().ButtonDown.connect([this](SceneNode*, MouseButton, int, int) { DismissNextRecipePopup(); });
        input->Signals().ButtonUp.connect(swallow);
        input->Signals().MouseEnter.connect([](SceneNode*) {});
        input->Signals().MouseLeave.connect([](SceneNode*) {});
        input->SetVisible(false);
    }
    if (SceneNode* timer = root->FindByPath(Paths::kNextDishTimerMask))
    {
        timer->SetHitTest(true);
        timer->Signals().ButtonDown.connect(swallow);
        timer->Signals().ButtonUp.connect(swallow);
        timer->Signals().MouseEnter.connect([](SceneNode*) {});
        timer->Signals().MouseLeave.connect([](SceneNode*) {});
        timer->SetVisible(false);
    }
}

void GameMode::OnGainFocus()
{
    // A release may have gone to the screen that was on top.
    mButtonHeld = false;
    ShowLevelNumber();
    ChooseMusic();
    GameAudioManager::GetInstance()->PauseStationSounds(false);
}

void GameMode::OnLoseFocus()
{
    SceneApplicationMode::OnLoseFocus();
    GameAudioManager::GetInstance()->PauseStationSounds(true);
}

void GameMode::OnExit()
{
    GameAudioManager::GetInstance()->StopAllStationSounds();
}

void GameMode::ShowLevelNumber()
{
    LevelProgressManager* progress = LevelProgressManager::Instance();
    const Label levelID = progress->GetCurrentLevelID();
    const int episode = progress->GetEpisodeNumOfLevel(levelID);
    const int index = progress->GetLevelIndex(levelID);
    // The three challenges of an episode show 1, 2 and 3.
    SetNodeText(GetRootNode()->FindByPath(Paths::kUIAttach), Paths::kLevelNumDisplay,
                (Format(L"%1%-%2%") % episode % (index % 3 + 1)).str());
}

void GameMode::ChooseMusic()
{
    LevelProgressManager* progress = LevelProgressManager::Instance();
    const Label levelID = progress->GetCurrentLevelID();
    // A level of no episode (number 0) is played to the music of an episode's last challenge.
    const int number = progress->GetEpisodeNumOfLevel(levelID);
    const EpisodeDescriptor* episode = number > 0 ? progress->FindEpisode(number) : nullptr;
    const bool quick =
        episode && levelID && (episode->dashcourse1.levelID == levelID || episode->dashcourse2.levelID == levelID);
    GameAudioManager::GetInstance()->SetMusicState(quick ? 2 : 3);
}

void GameMode::Update(float dt)
{
    if (TutorialManager::Instance()->ShowNextTip())
        return;
    SceneApplicationMode::Update(dt);
    const Vector2<int> mouse = GetLastMousePosition();
    SceneApplicationMode::OnMouseMove(mouse.x, mouse.y);
    if (mRefused || mEnded)
        return;
    if (!mPaused)
        CountDown(dt);
    ShowTime();
    if (mTimeLeft <= 0.0f)
        OutOfTime();
}

void GameMode::CountDown(float dt)
{
    TutorialManager* tips = TutorialManager::Instance();
    tips->QueueFirstLevelTips();
    tips->QueuePowerUpTips();
    GameAudioManager* audio = GameAudioManager::GetInstance();
    // The first running update of the level: the popup of the first dish has just closed.
    if (mTimeLeft == static_cast<float>(mLevel->time))
        audio->PlayVoice(Label("VO_Veyla_Begin"));
    const float old = mTimeLeft;
    mTimeLeft -= dt;
    for (const ClockCue& cue : kClockCues)
        if (old > cue.mark && mTimeLeft < cue.mark)
        {
            audio->PlayVoice(Label(cue.voice));
            break;
        }
}

void GameMode::ShowTime()
{
    const int seconds = WholeSeconds(mTimeLeft);
    SceneNode* ui = GetRootNode()->FindByPath(Paths::kUIAttach);
    SetNodeText(ui, Paths::kTimerMinutes, (Format(L"%1%:") % (seconds / 60)).str());
    SetNodeText(ui, Paths::kTimerSeconds, (Format(seconds % 60 > 9 ? L"%1%" : L"0%1%") % (seconds % 60)).str());
}

void GameMode::OutOfTime()
{
    GameAudioManager::GetInstance()->PlaySound(Label("SFX_OutOfTime"));
    EndLevel();
}

void GameMode::EndLevel()
{
    // The last dish's end and the clock's can fall into one update: the level ends once.
    if (mEnded || mRefused)
        return;
    mEnded = true;
    const int secondsLeft = WholeSeconds(mTimeLeft);
    const int bonus = secondsLeft * ResourceManager::GetValue<int>(Label("TimeRemainingScoreMultiplier"), 0);
    const ScoreManager* score = GetScoreManager();
    const int points = score ? score->GetScore() : 0;
    LevelProgressManager::Instance()->RecordLevelScore(points + bonus);
    GameAudioManager::GetInstance()->StopAllStationSounds();
    PushApplicationMode(new LevelOutroMode(secondsLeft, points));
}

void GameMode::OnMessage(const ObjectMessage& message)
{
    static const Label click("ButtonClick");
    static const Label pause("PauseButton");
    if (message.GetName() != click)
        return;
    const Object* sender = Get(message.GetSender());
    if (sender && sender->GetName() == pause)
        PushPauseMenu();
}

bool GameMode::OnMouseDown(int button, int x, int y)
{
    mButtonHeld = true;
    return SceneApplicationMode::OnMouseDown(button, x, y);
}

bool GameMode::OnMouseUp(int button, int x, int y)
{
    mButtonHeld = false;
    return SceneApplicationMode::OnMouseUp(button, x, y);
}

bool GameMode::IsPlayerBusy() const
{
    const auto* drag = dynamic_cast<const DragInputManager*>(FindByName(DragInputManager::Name()));
    // The loop times the last press on any screen: the one that closed a bubble or the pause menu
    // over the level counts as well as a press in the kitchen.
    return mButtonHeld || Looper::GetInstance().GetSecondsSincePress() < kTipQuietTime || mPaused ||
           (drag && drag->GetDragMode() == DragInputManager::kIngredient);
}

bool GameMode::OnKeyDown(int key)
{
    if (key == kEscape || key == kPauseKey)
    {
        PushPauseMenu();
        return true;
    }
    return SceneApplicationMode::OnKeyDown(key);
}

int GameMode::GetPantryDisplayCount(int category) const
{
    if (!mLevel)
        return 0;
    const auto found = mLevel->pantryDisplayCounts.find(category);
    return found == mLevel->pantryDisplayCounts.end() ? 0 : found->second;
}
