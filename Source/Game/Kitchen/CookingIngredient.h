// An ingredient of the current recipe as a live object of the level screen: a copy of its record
// (name, category, flavour values). The pantry makes one per ingredient of the recipe; a recipe
// step scores the one given to it. Found by the group "Fennik_Ingredient".
#pragma once

#include "Framework/Object.h"
#include "Game/Data/IngredientData.h"

class CookingIngredient : public Corvane::Object
{
public:
    explicit CookingIngredient(const CookingIngredientData& data) : mData(data) {}

    using Corvane::Object::GetGroup;
    Corvane::Label GetGroup() const override;
    static Corvane::Label Group();

    Corvane::Label GetIngredientName() const { return mData.name; }
    // An IngredientCategory (-1 when the record names none).
    int GetCategory() const { return mData.category; }
    const CookingIngredientData& GetData() const { return mData; }
    // The ingredient's value for the flavour, -3 to 3; 0 when it does not carry it, and -1 for a
    // name that is no known flavour ("AttributeStrings").
    int GetAttributeValue(const char* attribute) const;

private:
    CookingIngredientData mData;
};
