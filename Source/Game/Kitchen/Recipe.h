// One dish of the level: a copy of its recipe record and its cooking steps (RecipeStep objects of
// the same database, in the record's order). A recipe is done when every step is done; a recipe
// without steps is done from the start. Found by the group "Fennik_Recipe".
#pragma once

#include "Framework/Object.h"
#include "Game/Data/GameRecords.h"

#include <vector>

class Recipe : public Corvane::Object
{
public:
    explicit Recipe(const RecipeData& data) : mData(data) {}

    using Corvane::Object::GetGroup;
    Corvane::Label GetGroup() const override;
    static Corvane::Label Group();

    // Creates a step per step record, adds each to the current database and keeps them in order.
    // Call it once the recipe itself is in the database.
    void CreateSteps();
    bool IsDone() const;

    const RecipeData& GetData() const { return mData; }
    const std::vector<Corvane::ObjectID>& GetSteps() const { return mSteps; }

private:
    RecipeData mData;
    std::vector<Corvane::ObjectID> mSteps;
};
