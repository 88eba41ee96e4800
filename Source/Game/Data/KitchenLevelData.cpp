#include "Game/Data/KitchenLevelData.h"

#include "Format.h"
#include "Framework/ResourceWrapper.h"
#include "Game/Data/GameEnumerations.h"
#include "Game/Data/LevelValueReader.h"
#include "IXMLReader.h"
#include "TextConversion.h"
#include "XMLChildElements.h"
#include "XMLElement.h"
#include "simplesettings/NameLists.h"

#include <memory>
#include <stdexcept>

using namespace Corvane;

namespace
{
// The count attribute of each PowerUpType, in its order; level files call "Skills" "ProgressSpeed".
const wchar_t* const kPowerUps[kPowerUpTypeCount] = {L"ProgressSpeed", L"HilightAtt", L"HilightCombo",
                                                     L"Shuffle_M",     L"Shuffle_F",  L"Shuffle_V"};

// What a level may ask for: what the game can show and play, with room above the campaign's own
// levels (Data/Levels/Levels.txt).
// - The clock shows one digit of minutes, 9:59 at the most (the campaign's clocks run 2 to 4 minutes).
const LevelLimit kClock{1, 599, "a level's clock runs", "seconds"};
// - Goals of five digits at the most (the campaign asks for up to 6,000 points); the judges call
//   any score at or above the expert goal expert, so it is never below the winning one.
const LevelLimit kGoal{0, 99999, "a level's goals are", "points"};
// - The scoring values count as points too, lost as well as won.
const LevelLimit kPoints{-99999, 99999, "a level's scoring values are", "points"};
// - A step is done at 100 points of progress: no rate cooks one in less than a second (the
//   campaign's cook 4 to 34 points a second), and a worked step's rate climbs from its minimum to
//   its maximum.
const LevelLimit kRate{0, 100, "a step cooks at", "points a second"};
// - StarLossRate is a share of a star.
const LevelLimit kShare{0, 1, "a level's StarLossRate is", "of a star"};

const LevelLimit kStations{1, KitchenLevelData::kMaxStations, "a kitchen has", "cooking stations"};

const LevelLimit kPantry{1, KitchenLevelData::kPantryPlaces, "a kitchen has", "pantry bins"};

void ReadPantry(const LevelValueReader& level, IXMLReader& pantry, KitchenLevelData& data)
{
    ForEachChildElement(&pantry, [&](const XMLElement& node, IXMLReader& category) {
        if (node.GetName() != L"Category")
            return;
        std::wstring id;
        std::string text;
        Narrow::FromWide(text, node.GetAttribute(id, L"id"));
        const int index = IndexOfString(kIngredientCategoryNames8, text, kIngredientCategoryCount);
        // A category no kitchen knows is kept as it is and never read.
        data.pantryDisplayCounts[index] =
            index < 0
                ? node.GetIntAttribute(L"numToDisplay", 1)
                : level.At(category).Integer(node, L"numToDisplay", 1,
                                             {0, KitchenLevelData::kPantryPlaces, "a kitchen has", text + " bins"});
    });
    // A pantry showing nothing leaves every ingredient out of reach.
    int places = 0;
    for (const auto& [index, count] : data.pantryDisplayCounts)
        if (index >= 0)
            places += count;
    if (places < kPantry.low || places > kPantry.high)
        level.At(pantry).Refuse("asks for " + std::to_string(places) + " pantry bins in all (" + kPantry.Rule() + ")");
}

void ReadGameplay(const IAttributeContainer& settings, const LevelValueReader& level, KitchenLevelData& data)
{
    // Each category's rates, passive then the worked step's minimum and maximum.
    const auto rates = [&](const wchar_t* passive, const wchar_t* least, const wchar_t* most, float& passiveRate,
                           float& leastRate, float& mostRate) {
        passiveRate = level.Number(settings, passive, 0.0f, kRate);
        leastRate = level.Number(settings, least, 0.0f, kRate);
        mostRate = level.Number(settings, most, 0.0f, kRate);
        level.CheckOrder(settings, least, leastRate, most, mostRate,
                         "a worked step's rate climbs from its minimum to its maximum");
    };
    rates(L"F_PassiveRate", L"F_ActiveRateMin", L"F_ActiveRateMax", data.F_PassiveRate, data.F_ActiveRateMin,
          data.F_ActiveRateMax);
    rates(L"M_PassiveRate", L"M_ActiveRateMin", L"M_ActiveRateMax", data.M_PassiveRate, data.M_ActiveRateMin,
          data.M_ActiveRateMax);
    rates(L"V_PassiveRate", L"V_ActiveRateMin", L"V_ActiveRateMax", data.V_PassiveRate, data.V_ActiveRateMin,
          data.V_ActiveRateMax);
    data.StarLossRate = level.Number(settings, L"StarLossRate", 0.0f, kShare);
    data.BaseVal = level.Integer(settings, L"BaseVal", 0, kPoints);
    data.KeyBaseVal = level.Integer(settings, L"KeyBaseVal", 0, kPoints);
    data.goodIngredientScore = level.Integer(settings, L"goodIngredientScore", 0, kPoints);
    data.badIngredientScore = level.Integer(settings, L"badIngredientScore", 0, kPoints);
}
} // namespace

IResourceDescriptor* KitchenLevelDataResourceFactory::Create(std::wstring manifest, Label name,
                                                             const IAttributeContainer* element, IXMLReader* children)
{
    auto level = std::make_unique<ResourceWrapper<KitchenLevelData>>(manifest, name, element);
    const LevelValueReader values(children, name);
    if (element)
    {
        level->time = values.Integer(*element, L"time", 0, kClock);
        level->numStations = values.Integer(*element, L"numStations", 4, kStations);
        level->winScore = values.Integer(*element, L"WinScore", 0, kGoal);
        level->expertScore = values.Integer(*element, L"ExpertScore", 0, kGoal);
        values.CheckOrder(*element, L"WinScore", level->winScore, L"ExpertScore", level->expertScore,
                          "an expert's goal is never below the winning one");
    }
    ForEachChildElement(children, [&](const XMLElement& node, IXMLReader& child) {
        const std::wstring& tag = node.GetName();
        if (tag == L"LevelRecipe")
        {
            std::wstring recipe;
            level->recipes.push_back(Label(node.GetAttribute(recipe, L"RecipeID")));
        }
        else if (tag == L"PantrySettings")
            ReadPantry(values, child, *level);
        else if (tag == L"PowerUpSettings")
            for (const wchar_t* powerUp : kPowerUps)
            {
                std::string what;
                Narrow::FromWide(what, powerUp);
                level->powerUpCounts.push_back(values.At(child).Integer(
                    node, powerUp, 0, {0, KitchenLevelData::kMaxPowerUpCharges, "a kitchen has", what + " charges"}));
            }
        else if (tag == L"GameplaySettings")
            ReadGameplay(node, values.At(child), *level);
        else
        {
            std::string text;
            Narrow::FromWide(text, (Format(L"incorrect XML element name %1% in level file") % tag).str());
            throw std::runtime_error(text);
        }
    });
    return level.release();
}
