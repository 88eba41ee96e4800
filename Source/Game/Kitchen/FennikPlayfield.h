// The kitchen's play area inside the level screen: it builds its node tree from
// "FennikPlayfieldLayout" and creates the kitchen's game objects (the cooking stations, the
// player's cook, the recipe list with the level's recipes, the dish display), and shows or hides
// the dish display and keeps the chain popup now shown. One object of the level screen's
// database, named "FennikPlayfield".
//
// Still to come with the playfield piece: the episode's background, the power-up buttons, the
// pantry, the ingredient data popup, the classic-combo popup and the idle tip.
#pragma once

#include "SceneGraph/SceneLayoutController.h"

class FennikPlayfield : public SceneLayoutController
{
public:
    Corvane::Label GetName() const override;
    static Corvane::Label Name();

    // numStations stations (at most four; with fewer, slot 0 stays empty and they fill slots 1
    // on), then the cook, standing at the "PlayerAttach" node.
    void CreateStations(int numStations);
    // The recipe list, filled with the database's recipes in the order they were added, and the
    // dish display.
    void CreateInterface();
    // false hides "GameScreenRoot"/"UI_attach"/"dishDisplay" at once; true shows it once the
    // node's tasks so far have run.
    void ShowDishDisplay(bool show);
    // Removes the chain popup shown (if any) and keeps popup instead (-1: none).
    void SetChainPopup(Corvane::ObjectID popup);
    Corvane::ObjectID GetChainPopup() const { return mChainPopup; }

protected:
    SceneNode* CreateNode() override;

private:
    Corvane::ObjectID mChainPopup = Corvane::kNoObject;
};

// The current database's playfield, or null.
FennikPlayfield* FindPlayfield();
