// What the screens need of each recipe to show and judge its dish: a plate type the game knows, that
// plate's layout with a node for every place a step's ingredient is drawn, one place per step, the
// dish's own name, and five rising scores for the judges' stars. A missing layout or node draws
// nothing and a missing name falls back to the plate's, so the game would carry on without a word.
#include "Check.h"

#include "Game/Data/GameConstants.h"
#include "Game/Data/GameEnumerations.h"

#include <cwchar>
#include <map>

namespace Corvane::DataCheck
{
namespace
{
constexpr std::size_t kStars = 5;

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
