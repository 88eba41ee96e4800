// The enumerations of the game records. Each is stored as a 32-bit integer, the position of its
// value name in its name table; record XML must spell a name exactly, case included.
#pragma once

#include <cstdint>

enum IngredientCategory : std::int32_t
{
    kCategoryVegetable,
    kCategoryMeat,
    kCategoryFlavoring,
};
constexpr int kIngredientCategoryCount = 3;

enum CookingStepAnimation : std::int32_t
{
    kAnimChop,
    kAnimSaute,
    kAnimBoil,
    kAnimMix,
};
constexpr int kCookingStepAnimationCount = 4;

enum CutscenePosition : std::int32_t
{
    kCutsceneLeft,
    kCutsceneRight,
};

// Where a cutscene plays: "Living_H", "Kitchen_H", "Dining_R", "Kitchen_R", "Kitchen_FN_1".."3".
enum CutsceneBGLoc : std::int32_t
{
    kLocationLivingH,
    kLocationKitchenH,
    kLocationDiningR,
    kLocationKitchenR,
    kLocationKitchenFN1,
    kLocationKitchenFN2,
    kLocationKitchenFN3,
};

// A character's reaction image in a cutscene ("MirelPos" ... "PembryNeg"), or none; after none,
// the twelve contestants of the challenge select's row ("Contestant01" ... "Contestant12"), one
// picture each, so that an episode's outro can show the cook who leaves.
enum CutsceneCharState : std::int32_t
{
    kCharMirelPos,
    kCharMirelPos2,
    kCharMirelNeutral,
    kCharMirelNeg,
    kCharMirelNeg2,
    kCharLorcanPos,
    kCharLorcanNeutral,
    kCharLorcanNeg,
    kCharLorcanNeg2,
    kCharLorcanNeg3,
    kCharQuillaPos,
    kCharQuillaNeutral,
    kCharQuillaNeg,
    kCharQuillaNeg2,
    kCharPembryPos,
    kCharPembryNeutral,
    kCharPembryNeg,
    kCharNone,
    kCharContestant01,
    kCharContestant02,
    kCharContestant03,
    kCharContestant04,
    kCharContestant05,
    kCharContestant06,
    kCharContestant07,
    kCharContestant08,
    kCharContestant09,
    kCharContestant10,
    kCharContestant11,
    kCharContestant12,
};
constexpr int kCutsceneCharStateCount = kCharContestant12 + 1;

// One per recipe kind, "Canape_Veg" (0) to "Pizza_Veg_Easy" (30); also the row of the dish slot
// table and the entry of the fallback dish names.
enum PlatingType : std::int32_t
{
};
constexpr int kPlatingTypeCount = 31;

// The power-ups, named as in the data and layouts, in the order of a level's "PowerUpSettings"
// counts and of the playfield's buttons. "None" is no power-up and is never handed out.
enum class PowerUpType : std::int32_t
{
    Skills,
    HilightAtt,
    HilightCombo,
    Shuffle_M,
    Shuffle_F,
    Shuffle_V,
    None,
};
// The types a level hands out and the playfield has a button for: all but "None".
constexpr int kPowerUpTypeCount = static_cast<int>(PowerUpType::None);

// The value names, in value order, shared by the record descriptors.
extern const wchar_t* const kIngredientCategoryNames[kIngredientCategoryCount];
extern const wchar_t* const kCookingStepAnimationNames[kCookingStepAnimationCount];
extern const wchar_t* const kCutscenePositionNames[2];
extern const wchar_t* const kCutsceneBGLocNames[7];
extern const wchar_t* const kCutsceneCharStateNames[kCutsceneCharStateCount];
extern const wchar_t* const kPlatingTypeNames[kPlatingTypeCount];

// The category names as 8-bit text, for the hand-read ingredients and level files.
extern const char* const kIngredientCategoryNames8[kIngredientCategoryCount];
