#include "Game/Kitchen/RecipeStep.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/GameMode.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Kitchen/Recipe.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Game/Menus/TutorialManager.h"
#include "SceneGraph/SceneNode.h"

using namespace Corvane;

namespace
{
// The tips about a step's requests point at its display over the station.
const NodePath& kStepDisplay = ObjectPaths::CookingStation::kActionStepAttach;

Recipe* FindRecipe(ObjectID id)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<Recipe*>(database->Get(id)) : nullptr;
}
} // namespace

RecipeStep::RecipeStep(ObjectID recipe, const RecipeStepData& data) : mRecipe(recipe), mData(data) {}

Label RecipeStep::Group()
{
    static const Label group("Fennik_RecipeStep");
    return group;
}

Label RecipeStep::GetGroup() const
{
    return Group();
}

Label RecipeStep::GetComponentKey() const
{
    const Recipe* recipe = FindRecipe(mRecipe);
    return Label::Format("%s_%s", recipe ? recipe->GetData().name.c_str() : "", mData.group.c_str());
}

CookingStation* RecipeStep::FindStation() const
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<CookingStation*>(database->Get(mStation)) : nullptr;
}

void RecipeStep::QueueTipAtStation(int tip, const NodePath& part) const
{
    const CookingStation* station = FindStation();
    TutorialManager::Instance()->QueueTip(tip, station && station->GetNode()
                                                   ? TutorialManager::PointAt(*station->GetNode(), part)
                                                   : Vector2<float>{-1.0f, -1.0f});
}

void RecipeStep::AssignToStation(ObjectID station)
{
    mStation = station;
    if (CookingStation* found = FindStation())
        found->OnStepArrived();
    mState = kAtStation;
}

void RecipeStep::AddIngredient(const CookingIngredient& ingredient)
{
    const int base = ResourceManager::GetValue<int>(Label("BaseIngredientAddScore"), 0);
    const int factor = ResourceManager::GetValue<int>(Label("RequestAttScaleFactor"), 0);
    const int first = ingredient.GetAttributeValue(mData.attRequest1.c_str());
    mMatched1 = first > 0;
    int points = base + factor * first;
    if (mData.attRequest2)
    {
        const int second = ingredient.GetAttributeValue(mData.attRequest2.c_str());
        mMatched2 = second > 0;
        points += factor * second;
    }
    CookingStation* station = FindStation();
    const bool allMet = mMatched1 && (!mData.attRequest2 || mMatched2);
    if (allMet)
    {
        if (station)
            station->OnAllRequestsMet();
    }
    else
        QueueTipAtStation(kTipWrongAttribute, kStepDisplay);
    if (mData.category == kCategoryMeat)
        QueueTipAtStation(kTipMeatStep, kStepDisplay);
    AddScore(points);
    if (station)
        station->ShowAttributeMatchPopup(mData.attRequest1, mData.attRequest2);
    mIngredient = ingredient.GetIngredientName();
    mIngredientSlot = mData.displayIndex;
    StartCooking();
}

void RecipeStep::StartCooking()
{
    CookingStation* station = FindStation();
    if (station)
        station->OnCookingStarted();
    mState = kCooking;
    // The bonuses are in the level's score already (the station adds them); the dish gets them
    // here.
    if (station)
        AddDishPoints(station->ScoreIngredientBonuses());
}

bool RecipeStep::IsAttributeMatched(Label attribute) const
{
    return (attribute == mData.attRequest1 && mMatched1) || (attribute == mData.attRequest2 && mMatched2);
}

void RecipeStep::SetWorking(bool working)
{
    mWorking = working;
    if (CookingStation* station = FindStation())
        station->SetAvatarWorking(working);
}

bool RecipeStep::IsActivelyWorked() const
{
    const PlayerAvatar* avatar = FindPlayerAvatar();
    return mWorking && avatar && mStation != kNoObject && avatar->GetStation() == mStation;
}

void RecipeStep::OnStationClicked()
{
    PlayerAvatar* avatar = FindPlayerAvatar();
    if (!avatar)
        return;
    if (avatar->GetStation() != mStation)
        avatar->WalkTo(mStation, false);
    else
        SetWorking(!mWorking);
}

void RecipeStep::QueueFinishedTips() const
{
    // Queued as the step leaves its station and the chain's watch first shows, not once the
    // ingredient has landed: the chain's own tip, a second after the next step, must not come
    // before the tip that explains chains.
    QueueTipAtStation(kTipStepComplete, {});
    QueueTipAtStation(kTipChainingIntro, kStepDisplay);
}

void RecipeStep::ShowWrongIngredientTip()
{
    QueueTipAtStation(kTipWrongCategory, kStepDisplay);
}

void RecipeStep::Complete()
{
    mState = kDone;
    GameAudioManager::GetInstance()->PlaySound(Label("SFX_StepComplete"));
    const Recipe* recipe = FindRecipe(mRecipe);
    const Label recipeName = recipe ? recipe->GetData().name : Label();
    LevelProgressManager* results = LevelProgressManager::Instance();
    if (recipe && recipe->IsDone())
    {
        if (GameMode* game = GameMode::GetCurrent())
            game->DishCompleted();
        results->RecordCompletedDish(recipeName);
    }
    mPerfect = mMatched1 && (mMatched2 || !mData.attRequest2) && mData.displayIndex != -1;
    results->RecordStepResult(recipeName, {mPerfect, mIngredient, mIngredientSlot, mPoints});
}

void RecipeStep::AddDishPoints(int points)
{
    mPoints += points;
    if (GameMode* game = GameMode::GetCurrent())
    {
        game->AddDishScore(points);
        game->RefreshDishDisplay();
    }
}

void RecipeStep::AddScore(int points, bool popup)
{
    AddDishPoints(points);
    if (ScoreManager* score = GetScoreManager())
        score->AddScore(points);
    if (CookingStation* station = popup ? FindStation() : nullptr)
        station->ShowScorePopup(points, 0.0f);
}
