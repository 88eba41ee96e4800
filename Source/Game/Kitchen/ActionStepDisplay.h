// What a cooking station shows while its step cooks: the progress meter in its category's
// pictures, the added ingredient on its category's background, the requests the ingredient met
// (only those), the figure of the step's action and the meter's speed look. A press on it (its
// "clickRect") walks the cook to the station, or, with the cook there, starts or stops his work.
// It follows the step's progress every update and removes itself once the step is finishing. Its
// tree is a copy of "CookingStation_StepLayout"; the station attaches it. Found by the group
// "ActionStepDisplay".
#pragma once

#include "SceneGraph/SceneLayoutController.h"

class RecipeStep;

class ActionStepDisplay : public SceneLayoutController
{
public:
    explicit ActionStepDisplay(const RecipeStep& step);

    using Corvane::Object::GetGroup;
    Corvane::Label GetGroup() const override;
    static Corvane::Label Group();
    void OnUpdate(float dt) override;

    Corvane::ObjectID GetStep() const { return mStep; }
    bool IsRequestMatched(Corvane::Label attribute) const;
    // The request's text flashes (both when both requests are the attribute).
    void FlashRequest(Corvane::Label attribute);
    // The idle figure of the step's action and category, shown or hidden.
    void SetActionIndicator(bool visible);
    // The meter's speed look: speeding up, top speed, idle.
    void PlaySpeedUpAccel();
    void PlaySpeedUpMax();
    void PlaySpeedUpIdle();
    // The sparkles of the met requests (the others stay hidden).
    void ShowMatchedSparkles(bool visible);
    void SetIngredientSparkle(bool visible);
    // A highlight power-up starts (on) or ends: on flashes the display once; the requests' or the
    // ingredient's sparkles follow.
    void FlashHighlight(bool on, bool requests);

protected:
    SceneNode* CreateNode() override;
    void OnAttached() override;

private:
    RecipeStep* FindStep() const;
    SceneNode* Child(const char* path) const;
    void BuildView(const RecipeStep& step);
    void BuildSparkles();
    // Hovering the requests or the ingredient lights the pantry bins for the highlight power-ups.
    void ConnectPowerUpHovers(const RecipeStep& step);
    void PlaySpeedUp(const char* animation);

    Corvane::ObjectID mStep;
};
