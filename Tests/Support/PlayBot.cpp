#include "Support/PlayBot.h"

#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Kitchen/ActionStepDisplay.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/DragInputManager.h"
#include "Game/Kitchen/GameMode.h"
#include "Game/Kitchen/IngredientBin.h"
#include "Game/Kitchen/IngredientPantry.h"
#include "Game/Kitchen/IngredientStepDisplay.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Kitchen/Recipe.h"
#include "Game/Kitchen/RecipeList.h"
#include "Game/Kitchen/RecipeStep.h"
#include "Framework/Looper.h"
#include "Game/Judging/JudgingMode.h"
#include "Game/Menus/CutsceneMode.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Game/Menus/LevelIntroMode.h"
#include "Game/Menus/LevelOutroMode.h"
#include "Game/Menus/TutorialMode.h"
#include "SceneGraph/SceneNode.h"
#include "Support/KitchenRig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace Corvane::Testing
{
namespace
{
const std::string kPopupBubble = "GameScreenRoot/FX_Layer/NextRecipePopup/BG";
const std::string kSendButton = "GameScreenRoot/UI_attach/List_Attach/RecipeList/NextStepButton";
const std::string kCutsceneNext = "CutsceneMode/NextButton";
const std::string kIntroNext = "Intro/NextButton";
const std::string kJudgesTable = "LevelOutro/JudgesTableButton";
const std::string kJudgesNext = "JudgingMode/CommentDisplay/NextDishButton";
const std::string kTipMore = "TutorialBubble/bubbleBG/MoreButton";
// Updates a cutscene's line takes to show before Next goes on.
constexpr int kCutsceneLineUpdates = 40;
// Clicks through the screens before and after a level, at most.
constexpr int kScreenClicks = 100;
// Updates the dish popup ignores clicks for after it opens.
constexpr int kPopupGuardUpdates = 60;
// Updates a tip's page is read for before its More button is pressed.
constexpr int kTipPageUpdates = 5;
// A point of the kitchen where only the floor takes a press: the wall between the power-ups'
// shelf and the stoves.
constexpr std::pair<int, int> kBareFloor{720, 300};

std::pair<int, int> Centre(SceneNode* node)
{
    const Vector2<float> at = node->GetWorldCenter();
    return {static_cast<int>(at.x), static_cast<int>(at.y)};
}

// The pointer moved to the point, pressed and released there.
void ClickAt(KitchenRig& rig, const std::pair<int, int>& at)
{
    rig.MoveTo(at.first, at.second);
    rig.PressAt(at.first, at.second);
    rig.ReleaseAt(at.first, at.second);
}

// How well an ingredient answers a step: the strengths of the flavours the step asks for.
int Fit(const RecipeStep& step, const CookingIngredient& ingredient)
{
    const RecipeStepData& data = step.GetData();
    int fit = ingredient.GetAttributeValue(data.attRequest1.c_str());
    if (data.attRequest2)
        fit += ingredient.GetAttributeValue(data.attRequest2.c_str());
    return fit;
}
} // namespace

PlayBot::PlayBot(KitchenRig& rig) : mRig(rig) {}

PlayBot::Outcome PlayBot::PlayLevel(int index, bool serve, int limit)
{
    if (!StartLevel(index))
        return Outcome{};
    return PlayStartedLevel(serve, limit);
}

PlayBot::Outcome PlayBot::PlayStartedLevel(bool serve, int limit)
{
    LevelProgressManager* progress = LevelProgressManager::Instance();
    Outcome outcome;
    mGame = mRig.TopAs<GameMode>();
    EXPECT_NE(mGame, nullptr) << "no level screen on top to play";
    if (!mGame)
        return outcome;
    const Label levelID = progress->GetCurrentLevelID();
    outcome.level = levelID.c_str();
    if (const KitchenLevelData* data = progress->GetLevelData(levelID))
    {
        outcome.winScore = data->winScore;
        outcome.expertScore = data->expertScore;
    }
    const int start = mRig.GetUpdateCount();
    const LevelOutroMode* outro = PlayToTheOutro(serve, limit);
    outcome.updates = mRig.GetUpdateCount() - start;
    EXPECT_NE(outro, nullptr) << outcome.level << " never ended";
    if (!outro)
        return outcome;
    outcome.ended = true;
    outcome.score = outro->GetScore();
    outcome.timeLeft = outro->GetTimeLeft();
    outcome.total = outcome.score +
                    outcome.timeLeft * ResourceManager::GetValue<int>(Label("TimeRemainingScoreMultiplier"), 0);
    const LevelRecord record = progress->GetLevelRecord(levelID);
    EXPECT_GE(record.bestScore, outcome.total) << outcome.level << ": the record lost the score";
    outcome.cleared = record.completed != 0;
    outcome.verdict = GoToTheJudges();
    // The judges' table replaced the level screen.
    mGame = nullptr;
    return outcome;
}

GameMode* PlayBot::StartLevel(int index)
{
    LevelProgressManager* progress = LevelProgressManager::Instance();
    progress->SetCurrentLevelIndex(index);
    EXPECT_EQ(progress->GetCurrentLevelIndex(), index) << "there is no level at index " << index;
    // A level started after another has the old level screen on the stack until the new one
    // replaces it.
    const auto levelScreen = []() -> GameMode* {
        for (ApplicationMode* mode : Looper::GetInstance().GetModeStack())
            if (auto* game = dynamic_cast<GameMode*>(mode))
                return game;
        return nullptr;
    };
    GameMode* const previous = levelScreen();
    progress->StartLevel();
    if (mRig.StepUntil([&] { return levelScreen() && levelScreen() != previous; }, 10) < 0)
    {
        ADD_FAILURE() << "no level screen came for the level at index " << index;
        return nullptr;
    }
    return EnterTheKitchen();
}

GameMode* PlayBot::EnterTheKitchen()
{
    for (int click = 0; click < kScreenClicks && !mRig.TopAs<GameMode>(); ++click)
    {
        if (mRig.TopAs<CutsceneMode>())
        {
            mRig.Step(kCutsceneLineUpdates);
            mRig.Click(kCutsceneNext);
        }
        else if (mRig.TopAs<LevelIntroMode>())
            mRig.Click(kIntroNext);
        else if (mRig.TopAs<TutorialMode>())
            ReadTip();
        else
        {
            ADD_FAILURE() << "a screen the bot does not know stands over the level: " << mRig.Modes().back();
            return nullptr;
        }
        mRig.Step();
    }
    mGame = mRig.TopAs<GameMode>();
    EXPECT_NE(mGame, nullptr) << "the screens before the level never closed";
    return mGame;
}

int PlayBot::GoToTheJudges()
{
    // The outro's button answers once the outro has entered.
    mRig.Step();
    mRig.Click(kJudgesTable);
    if (mRig.StepUntil([&] { return mRig.TopAs<JudgingMode>() != nullptr; }, 100) < 0)
    {
        ADD_FAILURE() << "the outro did not lead to the judges' table";
        return -1;
    }
    JudgingMode* judge = mRig.TopAs<JudgingMode>();
    for (int click = 0; click < kScreenClicks && judge->GetVerdict() < 0; ++click)
    {
        if (mRig.StepUntil([&] { return judge->IsWaitingForNext() || judge->GetVerdict() >= 0; }, 500) < 0)
            break;
        if (judge->GetVerdict() < 0)
            mRig.Click(kJudgesNext);
    }
    EXPECT_GE(judge->GetVerdict(), 0) << "the judges never decided";
    return judge->GetVerdict();
}

const LevelOutroMode* PlayBot::PlayToTheOutro(bool serve, int limit)
{
    for (int updates = 0; !mRig.TopAs<LevelOutroMode>() && updates < limit; ++updates)
    {
        if (serve)
            Move();
        else if (mRig.TopAs<TutorialMode>())
            ReadTip();
        else if (mGame && mGame->GetPopup() != kNoObject)
            ClosePopup();
        mRig.Step();
    }
    return mRig.TopAs<LevelOutroMode>();
}

template <typename T> T* PlayBot::Find(Label name) const
{
    return mGame ? dynamic_cast<T*>(mGame->FindByName(name)) : nullptr;
}

void PlayBot::ClosePopup()
{
    mRig.Step(kPopupGuardUpdates);
    mRig.Click(kPopupBubble);
    // The first close asks for a tip, which a new player reads and closes.
    for (int i = 0; i < 50 && mGame->IsPaused(); ++i)
    {
        mRig.Step();
        for (int page = 0; page < kScreenClicks && mRig.TopAs<TutorialMode>(); ++page)
            ReadTip();
    }
}

void PlayBot::ReadTip()
{
    mRig.Step(kTipPageUpdates);
    mRig.Click(kTipMore);
    mRig.Step();
}

bool PlayBot::Move()
{
    if (!mGame)
        return false;
    if (mRig.TopAs<TutorialMode>())
    {
        ReadTip();
        if (!mRig.TopAs<TutorialMode>())
            PressAfterClose();
        return true;
    }
    // The finished dish's card takes no input: a player watches it until it leaves by itself.
    if (mRig.TopAs<FinishedDishMode>())
        return true;
    if (mGame->GetPopup() != kNoObject)
    {
        ClosePopup();
        PressAfterClose();
        return true;
    }
    return SendSteps() || ServeWaitingStep() || SendCookToWork();
}

void PlayBot::PressAfterClose()
{
    if (mAfterClose.empty() || !mGame)
        return;
    const int updates = mAfterClose[static_cast<std::size_t>(mPressesAfterClose + mClosesOvertaken) % mAfterClose.size()];
    // The hand is on its way: whatever comes up meanwhile, the press comes, unless the dish's
    // finished card or the level's end has come over the kitchen (a tip's bubble is no reason).
    while (mRig.GetUpdateCount() - mRig.GetLastPressUpdate() < updates)
        mRig.Step();
    if (mRig.Top() != mGame && !mRig.TopAs<TutorialMode>())
    {
        ++mClosesOvertaken;
        return;
    }
    ++mPressesAfterClose;
    if (!SendSteps() && !ServeWaitingStep() && !SendCookToWork())
        LookAtAnIngredient();
}

void PlayBot::LookAtAnIngredient()
{
    IngredientPantry* pantry = Find<IngredientPantry>(IngredientPantry::Name());
    const auto* drag = Find<DragInputManager>(DragInputManager::Name());
    const std::vector<IngredientBin*> bins = pantry ? pantry->GetBins(kCategoryVegetable) : std::vector<IngredientBin*>{};
    ASSERT_TRUE(drag && !bins.empty());
    ClickAt(mRig, Centre(bins.front()->GetNode()));
    EXPECT_EQ(drag->GetDragMode(), DragInputManager::kIngredient) << "a press on a bin picked nothing up";
    mRig.Step(mHandTime);
    ClickAt(mRig, kBareFloor);
    EXPECT_NE(drag->GetDragMode(), DragInputManager::kIngredient) << "a press on the floor kept the ingredient";
}

bool PlayBot::SendSteps()
{
    RecipeList* list = Find<RecipeList>(RecipeList::Name());
    if (!list || !list->CanSendFirstEntry())
        return false;
    const auto listed = [list] { return list->GetEntries().size() + list->CountPending(); };
    const std::size_t before = listed();
    mRig.Move(kSendButton);
    mRig.Press(kSendButton);
    mRig.Step(mHandTime);
    mRig.Release(kSendButton);
    EXPECT_LT(listed(), before) << "Cook next sent nothing";
    return true;
}

bool PlayBot::ServeWaitingStep()
{
    IngredientPantry* pantry = Find<IngredientPantry>(IngredientPantry::Name());
    for (ObjectID id : mGame->GetGroup(IngredientStepDisplay::Group()))
    {
        auto* display = dynamic_cast<IngredientStepDisplay*>(mGame->Get(id));
        const auto* step = display ? dynamic_cast<RecipeStep*>(mGame->Get(display->GetStep())) : nullptr;
        SceneNode* area = display ? display->GetNode()->FindByPath({"clickRect"}) : nullptr;
        if (!step || step->GetState() != RecipeStep::kAtStation || !area || !area->IsWorldVisible())
            continue;
        std::vector<IngredientBin*> bins = pantry ? pantry->GetBins(step->GetCategory()) : std::vector<IngredientBin*>{};
        EXPECT_FALSE(bins.empty()) << "no bin for a step";
        if (bins.empty())
            return false;
        const IngredientBin* best = *std::max_element(bins.begin(), bins.end(), [&](IngredientBin* a, IngredientBin* b) {
            return Fit(*step, *a->GetIngredient()) < Fit(*step, *b->GetIngredient());
        });
        // The pantry holds the ingredients of the dish being cooked.
        const auto* recipe = dynamic_cast<Recipe*>(mGame->Get(step->GetRecipe()));
        const std::vector<Label>& ingredients = recipe->GetData().ingredients;
        EXPECT_NE(std::find(ingredients.begin(), ingredients.end(), best->GetIngredient()->GetIngredientName()),
                  ingredients.end())
            << best->GetIngredient()->GetIngredientName().c_str() << " is not in " << recipe->GetData().name.c_str();
        ClickAt(mRig, Centre(best->GetNode()));
        mRig.Step(mHandTime);
        ClickAt(mRig, Centre(area));
        EXPECT_EQ(step->GetState(), RecipeStep::kCooking) << "a served step cooks";
        return true;
    }
    return false;
}

bool PlayBot::SendCookToWork()
{
    PlayerAvatar* cook = Find<PlayerAvatar>(PlayerAvatar::Name());
    if (!cook || cook->GetWalkingTo() != kNoObject || IsCookBusy())
        return false;
    for (RecipeStep* step : AllSteps())
    {
        if (step->GetState() != RecipeStep::kCooking || step->IsActivelyWorked())
            continue;
        const auto* station = dynamic_cast<CookingStation*>(mGame->Get(step->GetStation()));
        const auto* display = station ? dynamic_cast<ActionStepDisplay*>(station->GetStepDisplay()) : nullptr;
        SceneNode* area = !display       ? nullptr
                          : mPressStoves ? station->GetNode()->FindByPath({"stove"})
                                         : display->GetNode()->FindByPath({"clickRect"});
        if (!area)
            continue;
        ClickAt(mRig, Centre(area));
        const bool walks = cook->GetWalkingTo() == station->GetID();
        EXPECT_TRUE(walks || step->IsActivelyWorked())
            << "a press on the station's " << (mPressStoves ? "stove" : "card") << " sent the cook nowhere";
        ++(walks ? mCookWalks : mCookWorksAtOnce);
        return true;
    }
    return false;
}

std::vector<RecipeStep*> PlayBot::AllSteps() const
{
    std::vector<RecipeStep*> steps;
    if (!mGame)
        return steps;
    for (ObjectID id : mGame->GetGroup(RecipeStep::Group()))
        if (auto* step = dynamic_cast<RecipeStep*>(mGame->Get(id)))
            steps.push_back(step);
    return steps;
}

bool PlayBot::IsCookBusy() const
{
    for (RecipeStep* step : AllSteps())
        if (step->GetState() == RecipeStep::kCooking && step->IsActivelyWorked())
            return true;
    return false;
}
} // namespace Corvane::Testing
