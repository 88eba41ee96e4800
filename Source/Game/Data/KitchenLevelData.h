// A level's kitchen settings, read by hand from the level file: a manifest (named by the level's
// "filename") holding one "KitchenLevelData" element named by the level's ID.
//
//   <KitchenLevelData name="Level_1" time="180" numStations="3" WinScore="900" ExpertScore="1500">
//     <LevelRecipe RecipeID="Soup_1"/>                          any number, in play order
//     <PantrySettings><Category id="Meat" numToDisplay="2"/></PantrySettings>
//     <PowerUpSettings ProgressSpeed="1" HilightAtt="0" HilightCombo="0"
//                      Shuffle_M="1" Shuffle_F="0" Shuffle_V="0"/>
//     <GameplaySettings F_PassiveRate=".." ... badIngredientScore=".."/>
//   </KitchenLevelData>
//
// Any other child element fails the read; nothing is registered then. So does a level the kitchen
// could not play to its end: every number (the clock, stations, goals, pantry bins, power-ups,
// rates and scoring values) must be a number within what the game can play, and the error names
// the file, the line and the value as written (LevelValueReader.h).
#pragma once

#include "Framework/IResourceFactory.h"
#include "Label.h"

#include <map>
#include <vector>

struct KitchenLevelData
{
    // What one kitchen holds.
    static constexpr int kMaxStations = 4;
    static constexpr int kPantryPlaces = 15;
    // More charges than any level could use: a larger count is a damaged file.
    static constexpr int kMaxPowerUpCharges = 99;

    int numStations = 4;
    int time = 0;
    // Pantry category (0 Vegetable, 1 Meat, 2 Flavoring, -1 unknown) -> ingredients shown.
    std::map<int, int> pantryDisplayCounts;
    std::vector<Corvane::Label> recipes; // RecipeData names
    int winScore = 0;
    int expertScore = 0;
    // Six per "PowerUpSettings", indexed by PowerUpType: ProgressSpeed (for Skills), HilightAtt,
    // HilightCombo, Shuffle_M, Shuffle_F, Shuffle_V.
    std::vector<int> powerUpCounts;
    float F_PassiveRate = 0.0f;
    float F_ActiveRateMin = 0.0f;
    float F_ActiveRateMax = 0.0f;
    float M_PassiveRate = 0.0f;
    float M_ActiveRateMin = 0.0f;
    float M_ActiveRateMax = 0.0f;
    float V_PassiveRate = 0.0f;
    float V_ActiveRateMin = 0.0f;
    float V_ActiveRateMax = 0.0f;
    float StarLossRate = 0.0f;
    int BaseVal = 0;
    int KeyBaseVal = 0;
    int goodIngredientScore = 0;
    int badIngredientScore = 0;
};

// "KitchenLevelData".
class KitchenLevelDataResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* Create(std::wstring manifest, Corvane::Label name,
                                         const Corvane::IAttributeContainer* element,
                                         Corvane::IXMLReader* children) override;
};
