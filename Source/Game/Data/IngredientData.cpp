#include "Game/Data/IngredientData.h"

#include "Format.h"
#include "Framework/ResourceManager.h"
#include "Framework/ResourceWrapper.h"
#include "Game/Data/GameEnumerations.h"
#include "Game/Data/IngredientComboStore.h"
#include "RuntimeError.h"
#include "TextConversion.h"
#include "XMLChildElements.h"
#include "XMLElement.h"
#include "simplesettings/Conversions.h"
#include "simplesettings/NameLists.h"

#include <algorithm>
#include <memory>

using namespace Corvane;

namespace
{
// Flavour values run from -3 to 3.
constexpr int kMaxFlavorValue = 3;

std::string Narrowed(const std::wstring& text)
{
    std::string narrow;
    Narrow::FromWide(narrow, text);
    return narrow;
}

std::wstring TextAttribute(const IAttributeContainer& element, const wchar_t* name)
{
    std::wstring text;
    element.GetAttribute(text, name);
    return text;
}
} // namespace

IResourceDescriptor* CookingIngredientDataResourceFactory::Create(std::wstring manifest, Label name,
                                                                  const IAttributeContainer* element,
                                                                  IXMLReader* children)
{
    auto ingredient = std::make_unique<ResourceWrapper<CookingIngredientData>>(manifest, name, element);
    ingredient->name = name;
    if (element)
        ingredient->category = IndexOfString(kIngredientCategoryNames8, Narrowed(TextAttribute(*element, L"category")),
                                             kIngredientCategoryCount);
    ForEachChildElement(children, [&](const XMLElement& node, IXMLReader&) {
        if (node.GetName() != L"FlavorAtt")
            return;
        const std::string attribute = Narrowed(TextAttribute(node, L"att"));
        if (!IsAttributeString(attribute))
            return;
        ingredient->attributes[attribute] =
            std::clamp(node.GetIntAttribute(L"value", 0), -kMaxFlavorValue, kMaxFlavorValue);
    });
    return ingredient.release();
}

IResourceDescriptor* IngredientComboDataResourceFactory::Create(std::wstring manifest, Label name,
                                                                const IAttributeContainer* element,
                                                                IXMLReader* children)
{
    auto combo = std::make_unique<ResourceWrapper<IngredientComboData>>(manifest, name, element);
    combo->name = name;
    const std::wstring comboName = SimpleSettings::Widen(name.c_str());
    ForEachChildElement(children, [&](const XMLElement& node, IXMLReader&) {
        if (node.GetName() != L"Ingredient")
            throw RuntimeError(
                (Format(L"Unrecognized element '%1%' in IngredientCombo '%2%'") % node.GetName() % comboName).str(),
                __FILE__, __LINE__, "IngredientComboDataResourceFactory::Create");
        const std::wstring id = TextAttribute(node, L"id");
        const Label ingredient(id);
        if (!ResourceManager::Get<CookingIngredientData>(ingredient))
            throw RuntimeError((Format(L"'%1%' not a valid Ingredient in Combo '%2%'") % id % comboName).str(),
                               __FILE__, __LINE__, "IngredientComboDataResourceFactory::Create");
        combo->ingredients.push_back(ingredient);
    });
    // Filed only once the whole combo has read without error.
    for (const Label ingredient : combo->ingredients)
        IngredientComboStore::Instance().Add(ingredient, name);
    return combo.release();
}
