// One cooking step of a recipe: it asks for an ingredient of one category carrying one or two
// flavour attributes, goes from the recipe list to a cooking station, cooks, and completes. Its
// points count twice: in the level's score and in the dish's score. Found by the group
// "Fennik_RecipeStep".
//
// States: 0 in the list, 1 at a station waiting for its ingredient, 2 cooking, 3 finishing, 4 done.
//
// Still to come with the ingredient and station pieces: taking an ingredient, the cooking
// progress, the flight of the cooked ingredient into the dish, the flame points, the step's
// tutorial tips and its result record. Finishing here goes straight on to completion in the next
// update.
#pragma once

#include "Framework/Object.h"
#include "Game/Data/GameRecords.h"

class RecipeStep : public Corvane::Object
{
public:
    enum State
    {
        kInList = 0,
        kAtStation = 1,
        kCooking = 2,
        kFinishing = 3,
        kDone = 4
    };

    RecipeStep(Corvane::ObjectID recipe, const RecipeStepData& data);

    using Corvane::Object::GetGroup;
    Corvane::Label GetGroup() const override;
    static Corvane::Label Group();

    Corvane::ObjectID GetRecipe() const { return mRecipe; }
    const RecipeStepData& GetData() const { return mData; }
    int GetState() const { return mState; }
    Corvane::ObjectID GetStation() const { return mStation; }
    int GetPoints() const { return mPoints; }
    bool IsPerfect() const { return mPerfect; }
    // The label of the ingredient added to the step; none until one is added.
    Corvane::Label GetIngredient() const { return mIngredient; }
    // Request 1 (index 0) or 2 (index 1) has been met.
    bool IsRequestMatched(int index) const { return index == 0 ? mMatched1 : index == 1 && mMatched2; }
    bool IsWorking() const { return mWorking; }
    // The dish component key: the recipe's name and the step's group, joined by "_".
    Corvane::Label GetComponentKey() const;

    // The station now holds the step: it waits there for its ingredient (state 1).
    void AssignToStation(Corvane::ObjectID station);
    // The cook works on the step (or stops); its station is told.
    void SetWorking(bool working);
    // A press on the step's display, or the cook's arrival at its station while it cooks: the cook
    // walks to the station when he is elsewhere, else his work is toggled.
    void OnStationClicked();
    // Cooking has reached its end: the chain grows (its points go to the dish too), the step
    // finishes (state 3) and completes in a later update.
    void StartFinishing();
    // Done (state 4): "SFX_StepComplete"; when the recipe is now done the level screen finishes
    // the dish.
    void Complete();

    // points to the dish's score (and the dish display refreshed).
    void AddDishPoints(int points);
    // points to the dish's score and the level's score.
    void AddScore(int points);

private:
    Corvane::ObjectID mRecipe;
    RecipeStepData mData;
    bool mPerfect = false;
    bool mMatched1 = false;
    bool mMatched2 = false;
    int mPoints = 0;
    int mState = kInList;
    bool mWorking = false;
    Corvane::Label mIngredient;
    Corvane::ObjectID mStation = Corvane::kNoObject;
};
