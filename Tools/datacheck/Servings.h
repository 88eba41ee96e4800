// The dishes a recipe can make, as the data says: every way of serving it (one ingredient of each
// step's category from its pantry, placed in the step's dish slot) and the name the finished dish
// and the judges give each one. The dish check and the texts the screens show share them.
#pragma once

#include "Check.h"
#include "Game/Kitchen/DishIngredient.h"

#include <string>
#include <vector>

namespace Corvane::DataCheck
{
using Serving = std::vector<DishIngredient>;

// The member of a record (a child element) whose "name" is member, letter case aside; null when
// there is none.
const DataElement* Member(const DataElement& record, const wchar_t* member);
// The plate type of that name, letter case aside; -1 for none.
int PlateTypeOf(const std::wstring& name);
// Every serving of recipe (a RecipeData), its ingredients in step order.
std::vector<Serving> Servings(const Context& context, const DataElement& recipe);
// What the game shows for the ingredient: its "<name>_DisplayText"; empty when there is none.
std::wstring IngredientText(const Context& context, Label ingredient);
// The finished dish's name of serving from the plate type's template, composed as the game does
// with the ingredients' texts from the data.
std::wstring ServedName(const Context& context, const std::wstring& nameTemplate, int plateType,
                        const Serving& serving);
} // namespace Corvane::DataCheck
