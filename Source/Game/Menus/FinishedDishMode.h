// The finished-dish popup, pushed by the level screen when a dish is done, with that screen and
// the dish's plate type. The dish slides in on its plate while the rating meter (the dish's stars)
// moves and shrinks into place; once the dish has arrived a knife slides across, and when the
// knife is there the text band and the dish's name are wiped in from the left. "AfterDishDelayTime"
// seconds after the dish arrived the popup pops itself, whether or not the wipes have ended. It
// takes no input; the kitchen stays visible below (not opaque). Stars and ingredients are read
// from the level screen it was given. Main thread only.
//
// The name: the plate type's template of "DishDisplayReplacementStrings" with its placeholders
// %1% to %5% filled by the display texts of the ingredients whose dish slots feed them (the
// plate type's row of the slot table; a later ingredient for a placeholder wins), "Ing_<n>" for a
// placeholder no ingredient fed.
#pragma once

#include "Game/Kitchen/DishIngredient.h"
#include "Game/Menus/MenuMode.h"

#include <functional>
#include <string>
#include <vector>

class FinishedDishMode : public MenuMode
{
public:
    FinishedDishMode(Corvane::ApplicationMode* levelScreen, int plateType)
        : mLevelScreen(levelScreen), mPlateType(plateType)
    {
    }

    void OnEnter() override;
    // Every message is ignored: the popup leaves only by its own timer.
    void OnMessage(const Corvane::ObjectMessage&) override {}
    bool IsOpaque() override { return false; }

    Corvane::ApplicationMode* GetLevelScreen() const { return mLevelScreen; }
    int GetPlateType() const { return mPlateType; }

private:
    Corvane::ApplicationMode* mLevelScreen;
    int mPlateType;
};

// Puts the dish's name in the middle of its band (the name's node is as wide as its laid-out text),
// at its height in the layout.
void CentreDishNameOnBand(SceneNode& name, const SceneNode& band);
// The placeholder (1 to 5) that the ingredient in slot of a dish of plate type fills; 0 for none,
// and for a plate type outside 0..30 or a slot outside 0..8.
int DishNamePlaceholder(int plateType, int slot);
// The plate type's name template; empty when the list or its entry is missing.
std::wstring DishNameTemplate(int plateType);
// The name of a dish of plate type made of ingredients (see above), each named by displayText
// (the game's own texts when not given; the data checker names them from the data it reads).
std::wstring ComposeDishName(const std::wstring& nameTemplate, int plateType,
                             const std::vector<DishIngredient>& ingredients,
                             const std::function<std::wstring(Corvane::Label)>& displayText = {});
