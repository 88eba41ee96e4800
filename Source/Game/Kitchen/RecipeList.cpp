#include "Game/Kitchen/RecipeList.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/TimedTask.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/GameMode.h"
#include "Game/Kitchen/Recipe.h"
#include "Game/Kitchen/RecipeStep.h"

#include <vector>

using namespace Corvane;

namespace
{
template <typename T> T* Find(ObjectID id)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<T*>(database->Get(id)) : nullptr;
}

std::vector<CookingStation*> Stations()
{
    std::vector<CookingStation*> stations;
    if (ObjectDatabase* database = ObjectDatabase::Current())
        for (ObjectID id : database->GetGroup(CookingStation::Group()))
            if (auto* station = dynamic_cast<CookingStation*>(database->Get(id)))
                stations.push_back(station);
    return stations;
}

// Nothing is sent during the list's first second.
constexpr float kStartHold = 1.0f;
} // namespace

Label RecipeList::Name()
{
    static const Label name("RecipeList");
    return name;
}

Label RecipeList::GetName() const
{
    return Name();
}

void RecipeList::AddRecipe(ObjectID recipe)
{
    if (const Recipe* found = Find<Recipe>(recipe))
        mPending.insert(mPending.end(), found->GetSteps().begin(), found->GetSteps().end());
}

void RecipeList::FillEntries()
{
    while (mEntries.size() < kMaxEntries && !mPending.empty())
    {
        mEntries.push_back(mPending.front());
        mPending.pop_front();
    }
}

ObjectID RecipeList::GetNextRecipe() const
{
    if (mEntries.empty())
        return kNoObject;
    const RecipeStep* step = Find<RecipeStep>(mEntries.front());
    return step ? step->GetRecipe() : kNoObject;
}

void RecipeList::UpdateCurrentRecipe()
{
    if (mBusy || mEntries.empty())
        return;
    const Recipe* current = Find<Recipe>(mCurrentRecipe);
    if (!current || current->IsDone())
        mCurrentRecipe = GetNextRecipe();
    if (GameMode* game = GameMode::GetCurrent())
        game->RefreshDishDisplay();
}

void RecipeList::OnUpdate(float)
{
    UpdateCurrentRecipe();
    FillEntries();
    if (!mStarted)
    {
        GetTasks().Add(new TimedTask(kStartHold));
        mStarted = true;
    }
}

bool RecipeList::CanSendFirstEntry()
{
    if (mEntries.empty() || mBusy || !GetTasks().IsEmpty())
        return false;
    const RecipeStep* head = Find<RecipeStep>(mEntries.front());
    if (!head)
        return false;
    const std::vector<CookingStation*> stations = Stations();
    std::size_t free = 0;
    for (const CookingStation* station : stations)
        free += station->IsFree() ? 1 : 0;
    if (head->GetRecipe() == mCurrentRecipe)
        return free > 0;
    const Recipe* current = Find<Recipe>(mCurrentRecipe);
    return current && current->IsDone() && free == stations.size();
}

void RecipeList::SendSteps()
{
    while (CanSendFirstEntry())
    {
        CookingStation* station = nullptr;
        for (CookingStation* candidate : Stations())
            if (candidate->IsFree())
            {
                station = candidate;
                break;
            }
        GameAudioManager::GetInstance()->PlaySound(Label("SFX_RecipeStepToStation"));
        const ObjectID step = mEntries.front();
        mEntries.pop_front();
        station->ReceiveStep(step);
    }
}

RecipeList* FindRecipeList()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<RecipeList*>(database->FindByName(RecipeList::Name())) : nullptr;
}
