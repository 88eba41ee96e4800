#include "Game/Data/KitchenLevelData.h"

#include "Format.h"
#include "Framework/ResourceWrapper.h"
#include "Game/Data/GameEnumerations.h"
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

void ReadPantry(IXMLReader& pantry, KitchenLevelData& level)
{
    ForEachChildElement(&pantry, [&](const XMLElement& node, IXMLReader&) {
        if (node.GetName() != L"Category")
            return;
        std::wstring id;
        std::string category;
        Narrow::FromWide(category, node.GetAttribute(id, L"id"));
        level.pantryDisplayCounts[IndexOfString(kIngredientCategoryNames8, category, kIngredientCategoryCount)] =
            node.GetIntAttribute(L"numToDisplay", 1);
    });
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
    }
    ForEachChildElement(children, [&](const XMLElement& node, IXMLReader& child) {
        const std::wstring& tag = node.GetName();
        if (tag == L"LevelRecipe")
        {
            std::wstring recipe;
            level->recipes.push_back(Label(node.GetAttribute(recipe, L"RecipeID")));
        }
        else if (tag == L"PantrySettings")
            ReadPantry(child, *level);
        else if (tag == L"PowerUpSettings")
            for (const wchar_t* powerUp : kPowerUps)
                level->powerUpCounts.push_back(node.GetIntAttribute(powerUp, 0));
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
