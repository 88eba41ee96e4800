#include "Game/Kitchen/RecipeStep.h"

#include "Framework/ApplicationMode.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/SimpleFunctionTask.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/GameMode.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Kitchen/Recipe.h"
#include "Game/Kitchen/ScoreManager.h"

using namespace Corvane;

namespace
{
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

void RecipeStep::AssignToStation(ObjectID station)
{
    mStation = station;
    ObjectDatabase* database = ObjectDatabase::Current();
    if (auto* at = database ? dynamic_cast<CookingStation*>(database->Get(station)) : nullptr)
        at->OnStepArrived();
    mState = kAtStation;
}

void RecipeStep::SetWorking(bool working)
{
    mWorking = working;
    ObjectDatabase* database = ObjectDatabase::Current();
    if (auto* station = database ? dynamic_cast<CookingStation*>(database->Get(mStation)) : nullptr)
        station->SetAvatarWorking(working);
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

void RecipeStep::StartFinishing()
{
    GetTasks().Add(new SimpleFunctionTask<RecipeStep>([](RecipeStep* step, float) { step->Complete(); }));
    if (ScoreManager* score = GetScoreManager())
    {
        score->OnStepCompleted();
        AddDishPoints(score->GetComboPoints());
    }
    mState = kFinishing;
}

void RecipeStep::Complete()
{
    mState = kDone;
    GameAudioManager::GetInstance()->PlaySound(Label("SFX_StepComplete"));
    const Recipe* recipe = FindRecipe(mRecipe);
    if (recipe && recipe->IsDone())
        if (GameMode* game = GameMode::GetCurrent())
            game->DishCompleted();
    mPerfect = mMatched1 && (mMatched2 || !mData.attRequest2) && mData.displayIndex != -1;
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

void RecipeStep::AddScore(int points)
{
    AddDishPoints(points);
    if (ScoreManager* score = GetScoreManager())
        score->AddScore(points);
}
