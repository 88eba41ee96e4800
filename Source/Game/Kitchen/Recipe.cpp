#include "Game/Kitchen/Recipe.h"

#include "Framework/ObjectDatabase.h"
#include "Game/Kitchen/RecipeStep.h"

using namespace Corvane;

Label Recipe::Group()
{
    static const Label group("Fennik_Recipe");
    return group;
}

Label Recipe::GetGroup() const
{
    return Group();
}

void Recipe::CreateSteps()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return;
    for (const RecipeStepData& step : mData.steps)
        mSteps.push_back(database->Add(new RecipeStep(GetID(), step)));
}

bool Recipe::IsDone() const
{
    ObjectDatabase* database = ObjectDatabase::Current();
    for (ObjectID id : mSteps)
    {
        const auto* step = database ? dynamic_cast<const RecipeStep*>(database->Get(id)) : nullptr;
        if (!step || step->GetState() != RecipeStep::kDone)
            return false;
    }
    return true;
}
