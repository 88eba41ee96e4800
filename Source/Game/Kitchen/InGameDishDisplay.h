// The dish being cooked, pictured on the level screen's plate: the current recipe's dish layout,
// filled with the ingredients put in so far, drawn by a masked sprite at 0.6 scale. One object of
// the level screen's database, named "InGameUI_DishDisplay"; the playfield attaches it under the
// plate. The level screen calls Refresh whenever the recipe or the dish may have changed.
#pragma once

#include "Framework/ObjectID.h"
#include "Game/Kitchen/DishIngredient.h"
#include "SceneGraph/SceneLayoutController.h"

#include <vector>

class MaskedSpriteNode;

class InGameDishDisplay : public SceneLayoutController
{
public:
    InGameDishDisplay();

    Corvane::Label GetName() const override;
    static Corvane::Label Name();

    // Builds the dish layout anew when the recipe list's current recipe is another recipe or
    // another plate type than the one shown (a list without a current recipe keeps the layout),
    // then fills it with ingredients.
    void Refresh(const std::vector<DishIngredient>& ingredients);
    const std::vector<DishIngredient>& GetIngredients() const { return mIngredients; }

    // What is shown: the plate type (one past the last before the first recipe), the recipe
    // object, the dish layout's root (null before the first recipe) and the picture.
    int GetPlateType() const { return mPlateType; }
    Corvane::ObjectID GetRecipe() const { return mRecipe; }
    SceneNode* GetDish() const;
    MaskedSpriteNode* GetPicture() const;

protected:
    SceneNode* CreateNode() override;
    void OnAttached() override;
    void OnRemoved() override;

private:
    int mPlateType;
    Corvane::ObjectID mRecipe = Corvane::kNoObject;
    Corvane::ObjectID mDish = Corvane::kNoObject;
    std::vector<DishIngredient> mIngredients;
};
