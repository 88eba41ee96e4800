#include "Servings.h"

#include "Game/Data/GameEnumerations.h"
#include "Game/Menus/FinishedDishMode.h"

#include <cwchar>
#include <map>

namespace Corvane::DataCheck
{
const DataElement* Member(const DataElement& record, const wchar_t* member)
{
    for (const DataElement& child : record.children)
        if (Label(child.Text(L"name")) == Label(member))
            return &child;
    return nullptr;
}

int PlateTypeOf(const std::wstring& name)
{
    for (int plate = 0; plate < kPlatingTypeCount; ++plate)
        if (Label(name) == Label(kPlatingTypeNames[plate]))
            return plate;
    return -1;
}

std::vector<Serving> Servings(const Context& context, const DataElement& recipe)
{
    std::map<Label, std::wstring> categories;
    for (const Declaration* ingredient : context.Index().OfKind(L"CookingIngredient"))
        categories[ingredient->name] = ingredient->element->Text(L"category");
    const DataElement* pantry = Member(recipe, L"IngredientList");
    const DataElement* steps = Member(recipe, L"StepDataList");
    std::vector<Serving> servings{{}};
    for (const DataElement& step : steps ? steps->children : std::vector<DataElement>{})
    {
        const int slot = static_cast<int>(std::wcstol(step.Text(L"DisplayIndex").c_str(), nullptr, 10));
        std::vector<Serving> longer;
        for (const Serving& serving : servings)
            for (const DataElement& item : pantry ? pantry->children : std::vector<DataElement>{})
                if (const Label ingredient(item.Text(L"value")); categories[ingredient] == step.Text(L"Category"))
                {
                    longer.push_back(serving);
                    longer.back().push_back({ingredient, slot});
                }
        servings = std::move(longer);
    }
    return servings;
}

std::wstring IngredientText(const Context& context, Label ingredient)
{
    const Declaration* text = context.Resolve(Wide(ingredient.c_str()) + L"_DisplayText", {L"string"});
    return text ? text->element->Text(L"value") : std::wstring();
}

std::wstring ServedName(const Context& context, const std::wstring& nameTemplate, int plateType, const Serving& serving)
{
    return ComposeDishName(nameTemplate, plateType, serving,
                           [&](Label ingredient) { return IngredientText(context, ingredient); });
}
} // namespace Corvane::DataCheck
