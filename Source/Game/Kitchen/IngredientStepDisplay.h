// What a cooking station shows while its step waits for an ingredient: the step's category as an
// icon, the one or two flavours it asks for, the key-step mark, and the drop area ("clickRect")
// that takes the dragged ingredient. The drop area reacts only while an ingredient is dragged
// (its drop hint); the two request texts are always hovered, and hovering one makes the display
// the drop target. A press on the drop area serves the step when the ingredient's category is the
// step's; a wrong category gets "SFX_WrongIngredient", the step's tip, now and then the host's
// "VO_Orvel_Miss", and the drag goes on. The display removes itself once the step cooks. Its
// tree is a copy of "CookingStation_StepLayout"; the station attaches it. Found by the group
// "IngredientStepDisplay".
#pragma once

#include "Game/Kitchen/DragAndDrop.h"
#include "SceneGraph/SceneLayoutController.h"

class RecipeStep;

class IngredientStepDisplay : public IngredientTarget, public SceneLayoutController
{
public:
    explicit IngredientStepDisplay(const RecipeStep& step);

    using Corvane::Object::GetGroup;
    Corvane::Label GetGroup() const override;
    static Corvane::Label Group();
    // Once the step has left state 1 (it cooks), the display removes itself.
    void OnUpdate(float dt) override;

    Corvane::ObjectID GetStep() const { return mStep; }
    // The drop area takes presses and hovering only while on.
    void SetDropHint(bool on);
    bool HasDropHint() const;
    // The sparkles of the requests the step has (a request that is none keeps its sparkle as is).
    void ShowRequestSparkles(bool on);
    // The attribute power-up: on flashes the requests once; the sparkles follow on.
    void FlashRequests(bool on);
    // Serves the step with the ingredient: only a step still waiting (state 1) and only an
    // ingredient of its category; false (refused) otherwise.
    bool Accept(CookingIngredient* ingredient) override;

protected:
    SceneNode* CreateNode() override;
    void OnAttached() override;

private:
    RecipeStep* FindStep() const;
    SceneNode* Child(const class NodePath& path) const;
    void BuildView(const RecipeStep& step);
    void ConnectDropArea();
    void OnPress();
    // The pointer came onto or left a request text.
    void OnRequestHover(bool on);

    Corvane::ObjectID mStep;
};
