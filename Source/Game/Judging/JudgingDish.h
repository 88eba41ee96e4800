// One dish on the judges' table: the recipe's dish layout filled with the ingredients its steps
// put in during the level (the level results), drawn by a masked sprite. Small dishes stand in the
// overview at half scale; the large one is cut by the comment panel's window, so that it wipes in
// and out of view as it slides. Removed with "Remove" like every layout controller, together with
// its dish layout.
#pragma once

#include "Framework/ObjectID.h"
#include "Label.h"
#include "SceneGraph/SceneLayoutController.h"

class MaskedSpriteNode;

class JudgingDish : public SceneLayoutController
{
public:
    JudgingDish(Corvane::Label recipe, int plateType, bool small);

    Corvane::Label GetRecipe() const { return mRecipe; }
    int GetPlateType() const { return mPlateType; }
    bool IsSmall() const { return mSmall; }
    MaskedSpriteNode* GetPicture() const;
    SceneNode* GetDish() const;

protected:
    SceneNode* CreateNode() override;
    void OnRemoved() override;

private:
    int mPlateType;
    Corvane::Label mRecipe;
    bool mSmall;
    Corvane::ObjectID mDish = Corvane::kNoObject;
};
