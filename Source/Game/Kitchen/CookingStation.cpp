#include "Game/Kitchen/CookingStation.h"

#include "Framework/ObjectDatabase.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Kitchen/RecipeStep.h"

using namespace Corvane;

namespace
{
RecipeStep* FindStep(ObjectID id)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<RecipeStep*>(database->Get(id)) : nullptr;
}
} // namespace

Label CookingStation::Group()
{
    static const Label group("CookingStation");
    return group;
}

Label CookingStation::GetGroup() const
{
    return Group();
}

void CookingStation::ReceiveStep(ObjectID step)
{
    mStep = step;
    if (RecipeStep* received = FindStep(step))
        received->AssignToStation(GetID());
}

int CookingStation::GetStepAnimation() const
{
    const RecipeStep* step = FindStep(mStep);
    return step ? step->GetData().anim : -1;
}

void CookingStation::OnUpdate(float)
{
    const RecipeStep* step = FindStep(mStep);
    if (!step || step->GetState() < RecipeStep::kFinishing)
        return;
    // The step goes on to the dish by itself: the station is free for the next one.
    mStep = kNoObject;
    GameAudioManager* audio = GameAudioManager::GetInstance();
    audio->StopStationSound(GetID(), false);
    audio->StopStationSound(GetID(), true);
}
