// One cooking step of a recipe: it asks for an ingredient of one category carrying one or two
// flavour attributes, goes from the recipe list to a cooking station, takes its ingredient there
// and cooks: its progress runs to 100, slowly on its own and faster while the cook works at its
// station (from the level's minimum rate, growing with the time worked, up to its maximum). At
// 100 the ingredient flies into the dish (a step that fills no dish slot skips the flight), the
// step earns its flames and its place in the chain, and it completes; the last step of a recipe
// finishes the dish. Each completed step leaves a result for the judges. Its points count twice:
// in the level's score and in the dish's score. Found by the group "Fennik_RecipeStep".
//
// States: 0 in the list, 1 at a station waiting for its ingredient, 2 cooking, 3 finishing (the
// ingredient on its way to the dish), 4 done.
#pragma once

#include "Framework/Object.h"
#include "Game/Data/GameRecords.h"
#include "SceneGraph/NodePath.h"

class CookingIngredient;
class CookingStation;

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
    static constexpr float kCompleteProgress = 100.0f;

    RecipeStep(Corvane::ObjectID recipe, const RecipeStepData& data);

    using Corvane::Object::GetGroup;
    Corvane::Label GetGroup() const override;
    static Corvane::Label Group();
    // Cooking (state 2) moves the progress on.
    void OnUpdate(float dt) override;

    Corvane::ObjectID GetRecipe() const { return mRecipe; }
    const RecipeStepData& GetData() const { return mData; }
    int GetCategory() const { return mData.category; }
    Corvane::Label GetRequest1() const { return mData.attRequest1; }
    Corvane::Label GetRequest2() const { return mData.attRequest2; }
    // The dish slot the step fills; -1 for none.
    int GetSlot() const { return mData.displayIndex; }
    int GetAnimation() const { return mData.anim; }
    int GetState() const { return mState; }
    Corvane::ObjectID GetStation() const { return mStation; }
    int GetPoints() const { return mPoints; }
    bool IsPerfect() const { return mPerfect; }
    float GetProgress() const { return mProgress; }
    float GetActiveTime() const { return mActiveTime; }
    bool IsWorking() const { return mWorking; }
    // The ingredient added; the null label before.
    Corvane::Label GetIngredient() const { return mIngredient; }
    // The dish component key: the recipe's name and the step's group, joined by "_".
    Corvane::Label GetComponentKey() const;

    // The station now holds the step: it waits there for its ingredient (state 1).
    void AssignToStation(Corvane::ObjectID station);
    // Scores the ingredient against the requests and starts cooking (state 2).
    void AddIngredient(const CookingIngredient& ingredient);
    // The added ingredient met that request.
    bool IsAttributeMatched(Corvane::Label attribute) const;
    // Request 1 (index 0) or 2 (index 1) was met.
    bool IsRequestMatched(int index) const { return index == 0 ? mMatched1 : index == 1 && mMatched2; }
    // The player pressed the step's display (or the cook reached its station): the cook walks
    // there, or, standing there, starts or stops working.
    void OnStationClicked();
    void SetWorking(bool working);
    // The cook stands at the step's station and works.
    bool IsActivelyWorked() const;
    // The player offered an ingredient of the wrong category.
    void ShowWrongIngredientTip();

    // Cooking has reached its end: the tips about a finished step and chains, the flight to the
    // dish, the flame and chain points; the step finishes (state 3) and completes once the
    // ingredient is in the dish.
    void StartFinishing();
    // Done (state 4): "SFX_StepComplete", the dish finished when this was its last step, the
    // result recorded.
    void Complete();

    // points to the step and the dish's score (and the dish display refreshed).
    void AddDishPoints(int points);
    // points to the step, the dish's score and the level's score; with popup, the station shows
    // them floating up.
    void AddScore(int points, bool popup = false);

private:
    CookingStation* FindStation() const;
    // Queues the tip pointing at the part of the step's station (the station itself for none).
    void QueueTipAtStation(int tip, const NodePath& part) const;
    // The tips of a step that has finished cooking: step complete, then chains.
    void QueueFinishedTips() const;
    void AdvanceProgress(float dt);
    void StartCooking();
    void StartFlight();

    Corvane::ObjectID mRecipe;
    RecipeStepData mData;
    bool mPerfect = false;
    Corvane::Label mIngredient;
    int mIngredientSlot = -1;
    int mPoints = 0;
    int mState = kInList;
    Corvane::ObjectID mStation = Corvane::kNoObject;
    bool mWorking = false;
    bool mMatched1 = false;
    bool mMatched2 = false;
    float mActiveTime = 0.0f;
    float mProgress = 0.0f;
};
