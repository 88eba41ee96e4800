// What the screens need of each recipe to show and judge its dish: a plate type the game knows, that
// plate's layout with a node for every place a step's ingredient is drawn, one place per step, the
// dish's own name, a finished dish's name whose every placeholder the recipe's steps fill and that
// names what the dish's own name names whenever it is served, and five rising scores for the
// judges' stars. A missing layout or node draws nothing, a missing name falls back to the plate's
// and an unfilled placeholder shows "Ing_<n>", so the game would carry on without a word.
#include "Check.h"
#include "Servings.h"

#include "Game/Data/GameConstants.h"
#include "Game/Data/GameEnumerations.h"
#include "Game/Menus/FinishedDishMode.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <map>
#include <set>

namespace Corvane::DataCheck
{
namespace
{
constexpr std::size_t kStars = 5;

// The words of text without letter case or plural ending: "Olives" and "olive" are one word.
std::vector<std::wstring> WordsOf(const std::wstring& text)
{
    std::vector<std::wstring> words(1);
    for (const wchar_t c : text)
        if (std::iswalnum(static_cast<wint_t>(c)))
            words.back() += static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
        else if (!words.back().empty())
            words.emplace_back();
    if (words.back().empty())
        words.pop_back();
    for (std::wstring& word : words)
        if (word.ends_with(L"oes"))
            word.resize(word.size() - 2);
        else if (word.size() > 3 && word.ends_with(L's') && !word.ends_with(L"ss"))
            word.pop_back();
    return words;
}

// Whether text names the ingredient: holds every word of what the game calls it ("Smoked Salmon")
// or of its own name ("Salmon").
bool NamesIngredient(const Context& context, const std::wstring& text, Label ingredient)
{
    const std::vector<std::wstring> words = WordsOf(text);
    const auto holds = [&](const std::wstring& name) {
        const std::vector<std::wstring> wanted = WordsOf(name);
        return !wanted.empty() && std::ranges::all_of(wanted, [&](const std::wstring& word) {
            return std::ranges::find(words, word) != words.end();
        });
    };
    return holds(IngredientText(context, ingredient)) || holds(Wide(ingredient.c_str()));
}

// "Carrot, Leek and Sea Salt": the ingredients of serving as the game calls them.
std::wstring ListOf(const Context& context, const Serving& serving)
{
    std::wstring list;
    for (std::size_t i = 0; i < serving.size(); ++i)
    {
        if (i > 0)
            list += i + 1 == serving.size() ? L" and " : L", ";
        list += IngredientText(context, serving[i].ingredient);
    }
    return list;
}

// Whether the layout's dish (its root node) holds a node of that name among its children.
bool LayoutHolds(const DataElement& layout, const std::wstring& node)
{
    for (const DataElement& root : layout.children)
        for (const DataElement& child : root.children)
            if (Label(child.Text(L"name")) == Label(node) || Label(child.Text(L"nodeName")) == Label(node))
                return true;
    return false;
}

class DishCheck final : public Check
{
public:
    std::string Name() const override { return "dishes"; }

    void Run(Context& context) override
    {
        for (const Declaration* recipe : context.Index().OfKind(L"RecipeData"))
        {
            const std::string who = "RecipeData '" + std::string(recipe->name.c_str()) + "'";
            const std::wstring nameKey = L"DishDisplayName." + std::wstring(Wide(recipe->name.c_str()));
            if (!context.IsText(nameKey))
                context.Problem(*recipe, who + " needs the text '" + Narrow(nameKey) + "', which no manifest declares");
            CheckStars(context, *recipe, who);
            CheckPlate(context, *recipe, who);
            CheckName(context, *recipe, who);
        }
    }

private:
    static void CheckStars(Context& context, const Declaration& recipe, const std::string& who)
    {
        const DataElement* stars = Member(*recipe.element, L"StarPoints");
        const std::size_t count = stars ? stars->children.size() : 0;
        if (count != kStars)
        {
            context.Problem(recipe, who + " has " + std::to_string(count) + " StarPoints; the judges give one to " +
                                        std::to_string(kStars) + " stars by them");
            return;
        }
        long previous = 0;
        for (const DataElement& star : stars->children)
        {
            const long points = std::wcstol(star.Text(L"value").c_str(), nullptr, 10);
            if (points <= previous)
            {
                context.Problem(*recipe.manifest, star, who + " StarPoints must rise from above 0, but " +
                                                           std::to_string(points) + " follows " +
                                                           std::to_string(previous));
                return;
            }
            previous = points;
        }
    }

    // Every step of a finished dish has put its ingredient into its dish slot, and nothing else is
    // in the dish: the placeholders those slots fill are all a finished dish's name can show,
    // whichever ingredients were served.
    static void CheckName(Context& context, const Declaration& recipe, const std::string& who)
    {
        const int plate = PlateTypeOf(recipe.element->Text(L"plateType"));
        const std::vector<std::wstring> templates = context.TextList(L"DishDisplayReplacementStrings");
        if (plate < 0 || plate >= static_cast<int>(templates.size()))
            return; // the plate and the named-resources checks report these
        const std::wstring& name = templates[static_cast<std::size_t>(plate)];
        std::set<int> filled;
        const DataElement* steps = Member(*recipe.element, L"StepDataList");
        for (const DataElement& step : steps ? steps->children : std::vector<DataElement>{})
            filled.insert(DishNamePlaceholder(
                plate, static_cast<int>(std::wcstol(step.Text(L"DisplayIndex").c_str(), nullptr, 10))));
        for (std::size_t at = name.find(L'%'); at != std::wstring::npos; at = name.find(L'%', at + 1))
        {
            const std::size_t end = name.find(L'%', at + 1);
            if (end == std::wstring::npos)
                break;
            const std::wstring inside = name.substr(at + 1, end - at - 1);
            const int placeholder = static_cast<int>(std::wcstol(inside.c_str(), nullptr, 10));
            if (!inside.empty() && inside.find_first_not_of(L"0123456789") == std::wstring::npos &&
                !filled.contains(placeholder))
                context.Problem(recipe, who + " is named '" + Narrow(name) +
                                            "' when finished, but none of its steps' " + "dish slots fills %" +
                                            Narrow(inside) + "%: the name would show 'Ing_" + Narrow(inside) + "'");
            at = end;
        }
        CheckNamedIngredients(context, recipe, who, plate, name);
    }

    // A dish served with the ingredients its own name names (the mushroom and the butter of
    // "Mushroom and Butter Pasta") is judged under a name that names them too, whichever of its
    // steps they went into: no step that can take one of them may fill a place the plate's name
    // leaves out.
    static void CheckNamedIngredients(Context& context, const Declaration& recipe, const std::string& who, int plate,
                                      const std::wstring& nameTemplate)
    {
        const Declaration* title = context.Resolve(L"DishDisplayName." + Wide(recipe.name.c_str()), {L"string"});
        const DataElement* pantry = Member(*recipe.element, L"IngredientList");
        if (!title || !pantry)
            return; // a recipe without its own name is reported above
        const std::wstring titleText = title->element->Text(L"value");
        std::vector<Label> named;
        for (const DataElement& item : pantry->children)
            if (const Label ingredient(item.Text(L"value")); NamesIngredient(context, titleText, ingredient))
                named.push_back(ingredient);
        if (named.empty())
            return;
        for (const Serving& serving : Servings(context, *recipe.element))
        {
            const auto served = [&](Label ingredient) {
                return std::ranges::any_of(serving,
                                           [&](const DishIngredient& entry) { return entry.ingredient == ingredient; });
            };
            if (!std::ranges::all_of(named, served))
                continue;
            const std::wstring name = ServedName(context, nameTemplate, plate, serving);
            const auto left = std::ranges::find_if(
                named, [&](Label ingredient) { return !NamesIngredient(context, name, ingredient); });
            if (left == named.end())
                continue;
            context.Problem(recipe, who + " is called '" + Narrow(titleText) + "', but served with " +
                                        Narrow(ListOf(context, serving)) + " it is judged as '" + Narrow(name) +
                                        "', which leaves out " + Narrow(IngredientText(context, *left)));
            return;
        }
    }

    static void CheckPlate(Context& context, const Declaration& recipe, const std::string& who)
    {
        const std::wstring plateName = recipe.element->Text(L"plateType");
        const int plate = PlateTypeOf(plateName);
        if (plate < 0)
        {
            context.Problem(recipe, who + " plateType '" + Narrow(plateName) + "' is no plate type the game knows");
            return;
        }
        const std::wstring layoutName = plateName + L"Layout";
        const Declaration* layout = context.Resolve(layoutName, {L"scenelayout"});
        if (!layout)
            context.Problem(recipe, who + " is served on '" + Narrow(plateName) + "', whose layout '" +
                                        Narrow(layoutName) + "' no manifest declares");
        const DataElement* steps = Member(*recipe.element, L"StepDataList");
        std::map<long, int> placesTaken;
        for (const DataElement& step : steps ? steps->children : std::vector<DataElement>{})
        {
            const long index = std::wcstol(step.Text(L"DisplayIndex").c_str(), nullptr, 10);
            const DishSlot& slot = GetDishSlot(plate, static_cast<int>(index));
            const std::string where = who + " step DisplayIndex " + std::to_string(index);
            if (!*slot.name)
            {
                context.Problem(*recipe.manifest, step,
                                where + " is no place on the plate '" + Narrow(plateName) + "'");
                continue;
            }
            if (placesTaken[index]++ > 0)
            {
                context.Problem(*recipe.manifest, step,
                                where + " ('" + slot.name + "') is another step's place: one ingredient hides the other");
                continue;
            }
            if (layout && !LayoutHolds(*layout->element, Wide(slot.name)))
                context.Problem(*recipe.manifest, step,
                                where + ": the layout '" + Narrow(layoutName) + "' has no node '" + slot.name +
                                    "' to draw its ingredient in");
        }
    }
};
} // namespace

std::unique_ptr<Check> MakeDishCheck()
{
    return std::make_unique<DishCheck>();
}
} // namespace Corvane::DataCheck
