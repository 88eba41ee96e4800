// The game's constant labels and text tables, and the dish slot table of the dish displays. All
// are built before the entry function and never change.
#pragma once

#include "Game/Data/GameEnumerations.h"
#include "Label.h"

#include <array>

// The player avatar's cooking animation sprite types, by the IngredientCategory of the step.
extern const Corvane::Label kCookingSpriteTypes[kIngredientCategoryCount];
// The sound categories: effect, ambient, music.
extern const Corvane::Label kSoundCategoryEffect;
extern const Corvane::Label kSoundCategoryAmbient;
extern const Corvane::Label kSoundCategoryMusic;
// The stations' sounds, by the CookingStepAnimation of the current step.
extern const Corvane::Label kStationPassiveSounds[kCookingStepAnimationCount];
extern const Corvane::Label kStationActiveSounds[kCookingStepAnimationCount];

// "Chop", "Saute", "Boil", "Mix": the stations' step displays form sprite-type names from them.
extern const char* const kCookingAnimationNames[kCookingStepAnimationCount];

// The wide printf formats of the tutorial tips' text keys, by tip number; filled with a page
// number from 1 ("Tutorial.Welcome.%d").
constexpr int kTutorialTipCount = 33;
extern const wchar_t* const kTutorialMessageFormats[kTutorialTipCount];

// One cell of the dish slot table: the dish display's child that shows the ingredient given for a
// step (empty: the recipe has no step of that display index), and the placeholder (1 to 5) of the
// dish's display name that the ingredient's name fills (0: not named; -1 in column 0).
struct DishSlot
{
    const char* name;
    int position;
};
constexpr int kDishSlotColumns = 9;
// Row: PlatingType; column: a step's DisplayIndex. Element row * kDishSlotColumns + column.
extern const std::array<DishSlot, kPlatingTypeCount * kDishSlotColumns> kDishSlots;
// The cell for a plate type and display index; an empty cell outside the table.
const DishSlot& GetDishSlot(int plateType, int displayIndex);

// What a dish display name's placeholder n (1 to 5) shows when no ingredient fills it: row
// (PlatingType) * kDishNameFallbackColumns + n; column 0 is empty.
constexpr int kDishNameFallbackColumns = 6;
extern const std::array<const char*, kPlatingTypeCount * kDishNameFallbackColumns> kDishNameFallbacks;
