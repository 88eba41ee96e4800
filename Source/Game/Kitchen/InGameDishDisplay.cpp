#include "Game/Kitchen/InGameDishDisplay.h"

#include "Framework/ObjectDatabase.h"
#include "Game/Data/GameEnumerations.h"
#include "Game/Kitchen/DishPlating.h"
#include "Game/Kitchen/FindLive.h"
#include "Game/Kitchen/Recipe.h"
#include "Game/Kitchen/RecipeList.h"
#include "SceneGraph/MaskedSpriteNode.h"

using namespace Corvane;

namespace
{
constexpr Vector2<float> kMaskScale{0.6f, 0.6f};
// Centred on the plate, both ways.
constexpr int kCentred[4] = {SceneNode::kAlignMiddle, SceneNode::kAlignMiddle, SceneNode::kAlignMiddle,
                             SceneNode::kAlignMiddle};
} // namespace

Label InGameDishDisplay::Name()
{
    static const Label name("InGameUI_DishDisplay");
    return name;
}

Label InGameDishDisplay::GetName() const
{
    return Name();
}

// One past the last plate type: the first refresh with a recipe always builds.
InGameDishDisplay::InGameDishDisplay() : mPlateType(kPlatingTypeCount) {}

SceneNode* InGameDishDisplay::GetDish() const
{
    return FindLive<SceneNode>(mDish);
}

MaskedSpriteNode* InGameDishDisplay::GetPicture() const
{
    return dynamic_cast<MaskedSpriteNode*>(GetNode());
}

SceneNode* InGameDishDisplay::CreateNode()
{
    auto* picture = new MaskedSpriteNode(nullptr, false);
    picture->SetAlignment(kCentred);
    return picture;
}

void InGameDishDisplay::OnAttached()
{
    Refresh(mIngredients);
    if (MaskedSpriteNode* picture = GetPicture())
        picture->SetMaskScale(kMaskScale);
}

void InGameDishDisplay::OnRemoved()
{
    if (ObjectDatabase* database = ObjectDatabase::Current(); database && mDish != kNoObject)
        database->Remove(mDish);
    mDish = kNoObject;
}

void InGameDishDisplay::Refresh(const std::vector<DishIngredient>& ingredients)
{
    mIngredients = ingredients;
    MaskedSpriteNode* picture = GetPicture();
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!picture || !database)
        return;
    const auto* list = dynamic_cast<const RecipeList*>(database->FindByName(RecipeList::Name()));
    const auto* recipe = list ? FindLive<Recipe>(list->GetCurrentRecipe()) : nullptr;
    if (recipe && (recipe->GetID() != mRecipe || recipe->GetData().plateType != mPlateType))
    {
        if (mDish != kNoObject)
            database->Remove(mDish);
        mRecipe = recipe->GetID();
        mPlateType = recipe->GetData().plateType;
        mDish = DishPlating::InstantiateDish(mPlateType)->GetID();
    }
    SceneNode* dish = GetDish();
    if (!dish)
        return;
    DishPlating::FillDish(*dish, mPlateType, mIngredients);
    DishPlating::ShowDish(*picture, dish);
}
