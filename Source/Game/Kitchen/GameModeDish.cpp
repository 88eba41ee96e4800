// The level screen's dishes: the next-recipe popup, a finished dish, the dish score and display.
#include "Game/Kitchen/GameMode.h"

#include "Framework/Looper.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/SimpleFunctionTask.h"
#include "Framework/TimedTask.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Kitchen/FennikPlayfield.h"
#include "Game/Kitchen/InGameDishDisplay.h"
#include "Game/Kitchen/IngredientBin.h"
#include "Game/Kitchen/KitchenText.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Kitchen/Recipe.h"
#include "Game/Kitchen/RecipeList.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Game/Menus/TutorialManager.h"
#include "SceneGraph/MeterComponent.h"
#include "SceneGraph/NodeTasks.h"

#include <algorithm>

using namespace Corvane;
namespace Paths = ScreenPaths::Kitchen;

namespace
{
// Clicks on the popup are not taken for this long, so that a click meant for the kitchen does not
// close it unseen.
constexpr float kPopupClickGuard = 1.1f;
// The finished-dish popup's close is followed by this wait before the next dish.
constexpr float kNextDishDelay = 1.0f;
// The dish's stars from which the player is told about the stars.
constexpr int kStarsTipFrom = 3;
// The next-recipe bubble's tail hangs from its lower edge clear of the rounded corners, which take
// this much of each end, and its tip lies this far in from the tail picture's right edge (from its
// left edge when it is mirrored towards a cook on the left).
constexpr float kBubbleCorner = 36.0f;
constexpr float kTailTipInset = 4.0f;
// The bubble keeps this far from the screen's sides when it moves over to reach the cook.
constexpr float kBubbleScreenMargin = 8.0f;
constexpr float kScreenWidth = 800.0f;

int CountStars(const RecipeData& recipe, int dishScore)
{
    return static_cast<int>(std::count_if(recipe.starPoints.begin(), recipe.starPoints.end(),
                                          [dishScore](int points) { return dishScore >= points; }));
}

PlayerAvatar* FindAvatar(ObjectDatabase& database)
{
    return dynamic_cast<PlayerAvatar*>(database.FindByName(PlayerAvatar::Name()));
}

const Recipe* FindRecipe(ObjectDatabase& database, ObjectID id)
{
    return dynamic_cast<const Recipe*>(database.Get(id));
}

// Points the bubble's tail at the cook where he stands now: the tail slides along the bubble's
// lower edge, and where it cannot reach him from there the bubble moves over with it.
void PointTailAtCook(SceneNode& popup, PlayerAvatar* cook)
{
    SceneNode* tail = popup.FindByPath(ScreenPaths::Kitchen::kNextDishBubble);
    const SceneNode* body = popup.FindByPath(ScreenPaths::Kitchen::kNextDishBG);
    if (!tail || !body)
        return;
    const bool mirrored = !(cook && cook->IsOnRightSide());
    tail->SetDrawFlags(mirrored, tail->GetDrawFlag8());
    if (!cook || !cook->GetNode())
        return;
    const float tip = mirrored ? kTailTipInset : tail->GetWidth() - kTailTipInset;
    const float lowest = kBubbleCorner;
    const float highest = body->GetWidth() - kBubbleCorner - tail->GetWidth();
    const float cookX = cook->GetNode()->GetWorldCenter().x;
    Vector2<float> at = popup.GetPosition();
    const float wanted = cookX - at.x - tip;
    const float shift = wanted < lowest ? wanted - lowest : wanted > highest ? wanted - highest : 0.0f;
    at.x = std::clamp(at.x + shift, kBubbleScreenMargin, kScreenWidth - body->GetWidth() - kBubbleScreenMargin);
    popup.SetPosition(at);
    tail->SetPosition(std::clamp(cookX - at.x - tip, lowest, highest), tail->GetPosition().y);
}
} // namespace

void GameMode::ShowNextRecipePopup()
{
    SceneNode* popup = InstantiateLayout(Label("NextRecipePopupLayout"), GetRootNode()->FindByPath(Paths::kFXLayer));
    PlayerAvatar* avatar = FindAvatar(*this);
    if (avatar)
        avatar->SetThinking(true);
    if (popup)
    {
        PointTailAtCook(*popup, avatar);
        SetNodeText(popup, Paths::kNextDishTitle, LocalizedText::GetText(Label("DishIntroBubble.DescText")));
        SetNodeText(popup, Paths::kNextDishClick, LocalizedText::GetText(Label("DishIntroBubble.ClickText")));
        // Without a next recipe the popup names no dish.
        const RecipeList* list = FindRecipeList();
        const Recipe* next = list ? FindRecipe(*this, list->GetNextRecipe()) : nullptr;
        SetNodeText(popup, Paths::kNextDishName,
                    next ? LocalizedText::GetDishDisplayName(next->GetData().name, next->GetData().plateType)
                         : std::wstring());
        if (SceneNode* body = popup->FindByPath(Paths::kNextDishBG))
        {
            body->SetHitTest(true);
            body->Signals().ButtonDown.connect([this](SceneNode*, MouseButton, int, int) { DismissNextRecipePopup(); });
        }
        mPopup = popup->GetID();
    }
    SceneNode* root = GetRootNode();
    if (SceneNode* input = root->FindByPath(Paths::kNextDishInputMask))
        input->SetVisible(true);
    if (SceneNode* timer = root->FindByPath(Paths::kNextDishTimerMask))
    {
        timer->SetVisible(true);
        timer->GetTasks().Add(new TimedTask(kPopupClickGuard));
        timer->GetTasks().Add(new NodeVisibleTask(false));
    }
    StartNextDishOrEndLevel();
    mPaused = true;
}

void GameMode::DismissNextRecipePopup()
{
    // The mask and the popup's body may both hear one click.
    if (!mPaused)
        return;
    if (PlayerAvatar* avatar = FindAvatar(*this))
        avatar->SetThinking(false);
    Remove(mPopup);
    mPopup = kNoObject;
    if (SceneNode* input = GetRootNode()->FindByPath(Paths::kNextDishInputMask))
        input->SetVisible(false);
    mPaused = false;
    if (mLevel && mTimeLeft == static_cast<float>(mLevel->time))
        TutorialManager::Instance()->QueueTip(kTipNewRecipe, {-1, -1});
}

void GameMode::StartNextDishOrEndLevel()
{
    bool allDone = true;
    for (ObjectID id : GetGroup(Recipe::Group()))
        if (const Recipe* recipe = FindRecipe(*this, id))
            allDone = allDone && recipe->IsDone();
    if (allDone)
    {
        EndLevel();
        return;
    }
    if (RecipeList* list = FindRecipeList())
        list->SetBusy(false);
    ClearDish();
    if (mPlayfield)
        mPlayfield->ShowDishDisplay(true);
}

void GameMode::ClearDish()
{
    mDishIngredients.clear();
    mDishScore = 0;
}

void GameMode::DishCompleted()
{
    if (mPlayfield)
        mPlayfield->SetChainPopup(kNoObject);
    if (ScoreManager* score = GetScoreManager())
        score->ResetCombo();
    RecipeData recipe;
    const bool known = CurrentRecipe(recipe);
    RecipeList* list = FindRecipeList();
    if (list)
        list->SetBusy(true);
    if (mPlayfield)
        mPlayfield->ShowDishDisplay(false);
    // A drag still in progress loses its picture; the displays stop taking drops.
    for (ObjectID id : GetGroup(IngredientBin::Group()))
        if (auto* bin = dynamic_cast<IngredientBin*>(Get(id)))
            bin->StopDragIfDragged();
    PushApplicationMode(new FinishedDishMode(this, known ? static_cast<int>(recipe.plateType) : 0));
    // Decided now: the next recipe's popup, or the end, a second after the finished dish closes.
    const bool another = list && list->GetNextRecipe() != kNoObject;
    SceneNode* root = GetRootNode();
    root->GetTasks().Add(new TimedTask(kNextDishDelay));
    root->GetTasks().Add(new SimpleFunctionTask<SceneNode>([this, another](SceneNode*, float) {
        if (another)
            ShowNextRecipePopup();
        else
            StartNextDishOrEndLevel();
    }));
}

void GameMode::AddDishIngredient(Label ingredient, int slot)
{
    mDishIngredients.push_back({ingredient, slot});
    GameAudioManager::GetInstance()->PlaySound(Label("SFX_UpdateDishDisplay"));
    RefreshDishDisplay();
}

bool GameMode::CurrentRecipe(RecipeData& out) const
{
    const RecipeList* list = dynamic_cast<const RecipeList*>(FindByName(RecipeList::Name()));
    const Recipe* recipe = list ? dynamic_cast<const Recipe*>(Get(list->GetCurrentRecipe())) : nullptr;
    if (!recipe)
        return false;
    out = recipe->GetData();
    return true;
}

void GameMode::RefreshDishDisplay()
{
    RecipeData recipe;
    const bool known = CurrentRecipe(recipe);
    SceneNode* ui = GetRootNode()->FindByPath(Paths::kUIAttach);
    SetNodeText(ui, Paths::kDishRecipeName,
                known ? LocalizedText::GetDishDisplayName(recipe.name, recipe.plateType) : std::wstring());
    if (auto* display = dynamic_cast<InGameDishDisplay*>(FindByName(InGameDishDisplay::Name())))
        display->Refresh(mDishIngredients);
    const int stars = known ? CountStars(recipe, mDishScore) : 0;
    if (stars >= kStarsTipFrom)
        TutorialManager::Instance()->QueueTip(kTipThreeStars, TutorialManager::PointFor(kTipThreeStars));
    if (auto* meter = ui ? dynamic_cast<IMeter*>(ui->FindByPath(Paths::kDishMeter)) : nullptr)
        meter->SetValue(static_cast<float>(stars));
}

int GameMode::CountCurrentDishStars(ApplicationMode* screen)
{
    const auto* game = dynamic_cast<const GameMode*>(screen);
    RecipeData recipe;
    return game && game->CurrentRecipe(recipe) ? CountStars(recipe, game->mDishScore) : 0;
}
