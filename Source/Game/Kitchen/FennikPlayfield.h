// The kitchen's play area inside the level screen: it builds its node tree from
// "FennikPlayfieldLayout" (the episode's background, the bobbing add-ingredient prompts, the four
// station places, the cook's place) and creates the kitchen's game objects (the cooking stations,
// the player's cook, the power-up buttons, the recipe list with the level's recipes, the dish
// display, the ingredient data popup) and shows the classic-combo popup. Every update it keeps the power-up buttons in
// step with the counts and, while no station holds a step, asks for the idle-kitchen tip (14) after 6 s. It shows or
// hides the dish display and keeps the chain popup now shown. One object of the level screen's database, named
// "FennikPlayfield".
#pragma once

#include "Game/Data/GameEnumerations.h"
#include "Game/Data/KitchenLevelData.h"
#include "SceneGraph/SceneLayoutController.h"

class NodePath;
class StaticSpriteNode;

class FennikPlayfield : public SceneLayoutController
{
public:
    static constexpr int kSlots = KitchenLevelData::kMaxStations;

    Corvane::Label GetName() const override;
    static Corvane::Label Name();
    void OnUpdate(float dt) override;

    // numStations stations (1 to 4; the level screen refuses other counts): with four they fill
    // slots 0 to 3, with fewer slot 0 stays empty and they fill slots 1 on. Then the cook, who
    // stands at once at the station in slot 1.
    void CreateStations(int numStations);
    // The power-up buttons, the recipe list (filled with the database's recipes in the order they
    // were added), the pantry, the dish display and the hidden ingredient data popup.
    void CreateInterface();
    // A press on the power-up button of that type: a flash plays over it.
    void FlashPowerUpButton(PowerUpType type);
    // The classic-combo popup at (x, y) of the effects layer, in place of the one shown: the combo's
    // points (its ingredients times "FlavorComboMultiplier") and its ingredients' pictures; it
    // waits 2 s, then drifts by "ClassicComboPopupFadeOffset" while fading, and goes.
    void ShowClassicComboPopup(Corvane::Label combo, float x, float y);
    Corvane::ObjectID GetClassicComboPopup() const { return mClassicComboPopup; }
    // false hides "GameScreenRoot"/"UI_attach"/"dishDisplay" at once; true shows it once the
    // node's tasks so far have run.
    void ShowDishDisplay(bool show);
    // Removes the chain popup shown (if any) and keeps popup instead (-1: none).
    void SetChainPopup(Corvane::ObjectID popup);
    Corvane::ObjectID GetChainPopup() const { return mChainPopup; }
    // The ingredient data popup's root, or null.
    SceneNode* GetIngredientDataPopup() const;
    // "AddIngredientPromptRoot"/"Station_<slot + 1>", or null.
    StaticSpriteNode* GetStationPrompt(int slot) const;
    // The pantry, or -1.
    Corvane::ObjectID GetPantry() const { return mPantry; }
    // The station in slot 1, or -1.
    Corvane::ObjectID GetFirstStation() const { return mFirstStation; }
    // The background image the current level gets: its episode's dash-course images, else the
    // elimination one (also for a level in no episode).
    static Corvane::Label ChooseBackground();
    static Corvane::Label IdleTipTaskName();

protected:
    SceneNode* CreateNode() override;
    void OnAttached() override;

private:
    SceneNode* FindChild(const NodePath& path) const;
    void StartPromptBobbing();
    void RefreshPowerUpButtons();
    void WatchIdleKitchen();

    Corvane::ObjectID mPowerUpButtons = Corvane::kNoObject;
    Corvane::ObjectID mIngredientDataPopup = Corvane::kNoObject;
    Corvane::ObjectID mChainPopup = Corvane::kNoObject;
    Corvane::ObjectID mClassicComboPopup = Corvane::kNoObject;
    Corvane::ObjectID mFirstStation = Corvane::kNoObject;
    Corvane::ObjectID mPantry = Corvane::kNoObject;
};

// The current database's playfield, or null.
FennikPlayfield* FindPlayfield();
