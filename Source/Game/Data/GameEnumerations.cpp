#include "Game/Data/GameEnumerations.h"

const wchar_t* const kIngredientCategoryNames[kIngredientCategoryCount] = {L"Vegetable", L"Meat", L"Flavoring"};

const wchar_t* const kCookingStepAnimationNames[kCookingStepAnimationCount] = {L"Chop", L"Saute", L"Boil", L"Mix"};

const wchar_t* const kCutscenePositionNames[2] = {L"Left", L"Right"};

const wchar_t* const kCutsceneBGLocNames[7] = {L"Living_H",     L"Kitchen_H",    L"Dining_R",    L"Kitchen_R",
                                               L"Kitchen_FN_1", L"Kitchen_FN_2", L"Kitchen_FN_3"};

const wchar_t* const kCutsceneCharStateNames[kCutsceneCharStateCount] = {
    L"MirelPos",    L"MirelPos_2",    L"MirelNeutral", L"MirelNeg",    L"MirelNeg_2",    L"LorcanPos",
    L"LorcanNeutral", L"LorcanNeg",   L"LorcanNeg_2",  L"LorcanNeg_3", L"QuillaPos",     L"QuillaNeutral",
    L"QuillaNeg",   L"QuillaNeg_2",   L"PembryPos",    L"PembryNeutral", L"PembryNeg",   L"None",
    L"Contestant01", L"Contestant02", L"Contestant03", L"Contestant04", L"Contestant05",   L"Contestant06",
    L"Contestant07", L"Contestant08", L"Contestant09", L"Contestant10", L"Contestant11",   L"Contestant12"};

const wchar_t* const kPlatingTypeNames[kPlatingTypeCount] = {
    L"Canape_Veg",
    L"Canape_Meat",
    L"Canape_VegMeat",
    L"Salad_WarmMeat_Hard",
    L"Salad_WarmMeat_Easy",
    L"Salad_RawMeat_Hard",
    L"Salad_RawMeat_Easy",
    L"Salad_Veg_Hard",
    L"Salad_Veg_Easy",
    L"Sandwich_Veg",
    L"Sandwich_MeatVeg",
    L"Dumpling_Meat_MeatSauce",
    L"Dumpling_Veg_MeatSauce",
    L"Dumpling_Meat_VegSauce",
    L"Dumpling_Veg_VegSauce",
    L"Pasta_MeatSauce",
    L"Pasta_VegSauce",
    L"Entree_Grill_Veg",
    L"Entree_Roast_Veg",
    L"Entree_Grill_Veg_Sauce",
    L"Entree_Grill_Veg_Salsa",
    L"Entree_Roast_Veg_Sauce",
    L"Entree_Roast_Veg_Salsa",
    L"Soup_Meat_Hard",
    L"Soup_Meat_Easy",
    L"Soup_Veg_Hard",
    L"Soup_Veg_Easy",
    L"Pizza_Meat_Hard",
    L"Pizza_Meat_Easy",
    L"Pizza_Veg_Hard",
    L"Pizza_Veg_Easy",
};

const char* const kIngredientCategoryNames8[kIngredientCategoryCount] = {"Vegetable", "Meat", "Flavoring"};
