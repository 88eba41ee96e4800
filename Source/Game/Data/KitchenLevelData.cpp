#include "Game/Data/KitchenLevelData.h"

#include "Format.h"
#include "Framework/ResourceWrapper.h"
#include "Game/Data/GameEnumerations.h"
#include "IXMLReader.h"
#include "RuntimeError.h"
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

// Refuses the level at the reader's place in its file.
[[noreturn]] void Refuse(IXMLReader& reader, Label level, const std::string& problem)
{
    std::wstring path;
    reader.GetName(path);
    const std::string message = std::string("the level \"") + level.c_str() + "\" " + problem;
    throw RuntimeError(FormatErrorLocation(path, reader.GetLine(), NarrowToWide(message.c_str())), __FILE__, __LINE__,
                       "KitchenLevelDataResourceFactory::Create");
}

void CheckRange(IXMLReader& reader, Label level, const std::string& what, int value, int low, int high)
{
    if (value < low || value > high)
        Refuse(reader, level,
               "asks for " + std::to_string(value) + " " + what + " (a kitchen has " + std::to_string(low) + " to " +
                   std::to_string(high) + ")");
}

void ReadPantry(IXMLReader& pantry, Label name, KitchenLevelData& level)
{
    ForEachChildElement(&pantry, [&](const XMLElement& node, IXMLReader& category) {
        if (node.GetName() != L"Category")
            return;
        std::wstring id;
        std::string text;
        Narrow::FromWide(text, node.GetAttribute(id, L"id"));
        const int count = node.GetIntAttribute(L"numToDisplay", 1);
        const int index = IndexOfString(kIngredientCategoryNames8, text, kIngredientCategoryCount);
        if (index >= 0)
            CheckRange(category, name, text + " bins", count, 0, KitchenLevelData::kPantryPlaces);
        level.pantryDisplayCounts[index] = count;
    });
    // A pantry showing nothing leaves every ingredient out of reach.
    int places = 0;
    for (const auto& [index, count] : level.pantryDisplayCounts)
        if (index >= 0)
            places += count;
    CheckRange(pantry, name, "pantry bins in all", places, 1, KitchenLevelData::kPantryPlaces);
}

void ReadGameplay(const IAttributeContainer& settings, KitchenLevelData& level)
{
    const auto rate = [&](const wchar_t* name) { return settings.GetFloatAttribute(name, 0.0f); };
    const auto number = [&](const wchar_t* name) { return settings.GetIntAttribute(name, 0); };
    level.F_PassiveRate = rate(L"F_PassiveRate");
    level.F_ActiveRateMin = rate(L"F_ActiveRateMin");
    level.F_ActiveRateMax = rate(L"F_ActiveRateMax");
    level.M_PassiveRate = rate(L"M_PassiveRate");
    level.M_ActiveRateMin = rate(L"M_ActiveRateMin");
    level.M_ActiveRateMax = rate(L"M_ActiveRateMax");
    level.V_PassiveRate = rate(L"V_PassiveRate");
    level.V_ActiveRateMin = rate(L"V_ActiveRateMin");
    level.V_ActiveRateMax = rate(L"V_ActiveRateMax");
    level.StarLossRate = rate(L"StarLossRate");
    level.BaseVal = number(L"BaseVal");
    level.KeyBaseVal = number(L"KeyBaseVal");
    level.goodIngredientScore = number(L"goodIngredientScore");
    level.badIngredientScore = number(L"badIngredientScore");
}
} // namespace

IResourceDescriptor* KitchenLevelDataResourceFactory::Create(std::wstring manifest, Label name,
                                                             const IAttributeContainer* element, IXMLReader* children)
{
    auto level = std::make_unique<ResourceWrapper<KitchenLevelData>>(manifest, name, element);
    if (element)
    {
        level->time = element->GetIntAttribute(L"time", 0);
        level->numStations = element->GetIntAttribute(L"numStations", 4);
        level->winScore = element->GetIntAttribute(L"WinScore", 0);
        level->expertScore = element->GetIntAttribute(L"ExpertScore", 0);
        if (children)
            CheckRange(*children, name, "cooking stations", level->numStations, 1, KitchenLevelData::kMaxStations);
    }
    ForEachChildElement(children, [&](const XMLElement& node, IXMLReader& child) {
        const std::wstring& tag = node.GetName();
        if (tag == L"LevelRecipe")
        {
            std::wstring recipe;
            level->recipes.push_back(Label(node.GetAttribute(recipe, L"RecipeID")));
        }
        else if (tag == L"PantrySettings")
            ReadPantry(child, name, *level);
        else if (tag == L"PowerUpSettings")
            for (const wchar_t* powerUp : kPowerUps)
            {
                const int count = node.GetIntAttribute(powerUp, 0);
                std::string what;
                Narrow::FromWide(what, powerUp);
                CheckRange(child, name, what + " charges", count, 0, KitchenLevelData::kMaxPowerUpCharges);
                level->powerUpCounts.push_back(count);
            }
        else if (tag == L"GameplaySettings")
            ReadGameplay(node, *level);
        else
        {
            std::string text;
            Narrow::FromWide(text, (Format(L"incorrect XML element name %1% in level file") % tag).str());
            throw std::runtime_error(text);
        }
    });
    return level.release();
}
