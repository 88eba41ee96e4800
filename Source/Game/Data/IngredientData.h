// Ingredients and ingredient combos, the two game data types read by hand rather than through the
// record binding library.
//
//   <CookingIngredient name="Carrot" category="Vegetable">   category: Vegetable, Meat, Flavoring
//     <FlavorAtt att="Sweet" value="2"/>    att: one of the "AttributeStrings" list; value -3..3
//   </CookingIngredient>
//   <IngredientCombo name="Garden">         every id must name an ingredient loaded before
//     <Ingredient id="Carrot"/><Ingredient id="Pea"/>
//   </IngredientCombo>
//
// Loading a combo files it under each of its ingredients (IngredientComboStore).
#pragma once

#include "Framework/IResourceFactory.h"
#include "Label.h"

#include <map>
#include <string>
#include <vector>

struct CookingIngredientData
{
    Corvane::Label name;
    // An IngredientCategory, or -1 when "category" is absent or none of the names.
    int category = -1;
    // Flavour attribute name -> value, -3 to 3.
    std::map<std::string, int> attributes;
};

struct IngredientComboData
{
    Corvane::Label name;
    std::vector<Corvane::Label> ingredients; // in document order
};

// "CookingIngredient". Never fails: unknown categories, attributes and children are dropped,
// values clamped.
class CookingIngredientDataResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* Create(std::wstring manifest, Corvane::Label name,
                                         const Corvane::IAttributeContainer* element,
                                         Corvane::IXMLReader* children) override;
};

// "IngredientCombo". Fails with a runtime error, filing nothing, on an unknown ingredient or an
// element other than "Ingredient".
class IngredientComboDataResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* Create(std::wstring manifest, Corvane::Label name,
                                         const Corvane::IAttributeContainer* element,
                                         Corvane::IXMLReader* children) override;
};
