// The picture of a finished dish that the finished-dish popup slides onto the screen: the root
// layout "DishCompleteDisplay_RootLayout" with, under its node "MaskNodeAttach", a masked sprite
// (rebuilt at every draw) of the plate type's dish layout filled with the level screen's dish
// ingredients, at mask scale 0.6. MoveIn slides the root from "DishStartLocation" to
// "DishFinalLocation" in "DishMoveTime" seconds while the dish grows to full scale.
//
//   auto* dish = new CompletedDishDisplay(levelScreen, plateType);
//   dish->Attach(popupRoot);
//   dish->MoveIn([](CompletedDishDisplay*) { /* both moves are done */ });
#pragma once

#include "Framework/ObjectID.h"
#include "Game/Kitchen/DishIngredient.h"
#include "SceneGraph/SceneLayoutController.h"

#include <functional>
#include <vector>

class MaskedSpriteNode;
namespace Corvane
{
class ApplicationMode;
}

class CompletedDishDisplay : public SceneLayoutController
{
public:
    // levelScreen: a GameMode, whose dish ingredients fill the dish (none when it is another screen).
    CompletedDishDisplay(Corvane::ApplicationMode* levelScreen, int plateType);

    // "CompletedDishDisplay"
    Corvane::Label GetName() const override;
    static Corvane::Label Name();

    // The slide-in; done (may be empty) is called once both the move and the growth have ended.
    void MoveIn(std::function<void(CompletedDishDisplay*)> done = {});

    int GetPlateType() const { return mPlateType; }
    MaskedSpriteNode* GetPicture() const;
    SceneNode* GetDish() const;

protected:
    SceneNode* CreateNode() override;
    void OnRemoved() override;

private:
    int mPlateType;
    std::vector<DishIngredient> mIngredients;
    Corvane::ObjectID mPicture = Corvane::kNoObject;
    Corvane::ObjectID mDish = Corvane::kNoObject;
};
