#include "Game/Judging/JudgingDish.h"

#include "Framework/ObjectDatabase.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Kitchen/DishPlating.h"
#include "SceneGraph/MaskedSpriteNode.h"

using namespace Corvane;

namespace
{
constexpr Vector2<float> kSmallScale{0.5f, 0.5f};
// The comment panel's window, in screen pixels.
constexpr Rect<int> kLargeWindow{193, 207, 416, 325};
} // namespace

JudgingDish::JudgingDish(Label recipe, int plateType, bool small)
    : mPlateType(plateType), mRecipe(recipe), mSmall(small)
{
}

MaskedSpriteNode* JudgingDish::GetPicture() const
{
    return dynamic_cast<MaskedSpriteNode*>(GetNode());
}

SceneNode* JudgingDish::GetDish() const
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<SceneNode*>(database->Get(mDish)) : nullptr;
}

SceneNode* JudgingDish::CreateNode()
{
    SceneNode* dish = DishPlating::InstantiateDish(mPlateType);
    mDish = dish->GetID();
    std::vector<StepResult> results;
    if (LevelProgressManager* progress = LevelProgressManager::InstanceIfCreated())
        progress->ForEachStepResult(mRecipe, results);
    std::vector<DishIngredient> ingredients;
    for (const StepResult& result : results)
        ingredients.push_back({result.ingredient, result.slot});
    DishPlating::FillDish(*dish, mPlateType, ingredients);

    auto* picture = new MaskedSpriteNode(nullptr, false);
    DishPlating::ShowDish(*picture, dish);
    if (mSmall)
        picture->SetMaskScale(kSmallScale);
    else
        picture->SetClipRect(kLargeWindow, true);
    return picture;
}

void JudgingDish::OnRemoved()
{
    if (ObjectDatabase* database = ObjectDatabase::Current(); database && GetDish())
        database->Remove(mDish);
    mDish = kNoObject;
}
