// The dish being cooked, shown beside the recipe list. For now it keeps the ingredients it was
// last given. One object of the level screen's database, named "InGameUI_DishDisplay".
//
// Still to come with the dish display piece: the plate's layout and its component pictures.
#pragma once

#include "Framework/Object.h"
#include "Game/Kitchen/DishIngredient.h"

#include <vector>

class InGameDishDisplay : public Corvane::Object
{
public:
    Corvane::Label GetName() const override;
    static Corvane::Label Name();

    // Rebuilds the display from the dish's ingredients.
    void Refresh(const std::vector<DishIngredient>& ingredients) { mIngredients = ingredients; }
    const std::vector<DishIngredient>& GetIngredients() const { return mIngredients; }

private:
    std::vector<DishIngredient> mIngredients;
};
