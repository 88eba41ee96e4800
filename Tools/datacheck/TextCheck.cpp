// Texts the screens look up by keys they make from the names of things: every ingredient, flavour
// and episode has its text, and the lists the judges pick remarks from are there and long enough.
#include "Check.h"

namespace Corvane::DataCheck
{
namespace
{
// Every plate type has its entry in the list of default dish names.
constexpr std::size_t kPlateTypes = 31;

// The lists of remarks, each picked from at random: none may be empty.
const wchar_t* const kRemarkLists[] = {
    L"JudgingFeedbackStrings_Ingredient_Veyla", L"JudgingFeedbackStrings_Ingredient_Orvel",
    L"JudgingFeedbackStrings_Combo_Veyla",      L"JudgingFeedbackStrings_Combo_Orvel",
    L"JudgingDishFeedbackStrings.Stars.0",      L"JudgingDishFeedbackStrings.Stars.1",
    L"JudgingDishFeedbackStrings.Stars.2",      L"JudgingDishFeedbackStrings.Stars.3",
    L"JudgingDishFeedbackStrings.Stars.4",      L"JudgingDishFeedbackStrings.Stars.5",
    L"JudgingOverallFeedbackStrings_Lose",      L"JudgingOverallFeedbackStrings_Normal",
    L"JudgingOverallFeedbackStrings_Expert",
};

class TextCheck final : public Check
{
public:
    std::string Name() const override { return "texts"; }

    void Run(Context& context) override
    {
        const DataIndex& index = context.Index();
        for (const Declaration* ingredient : index.OfKind(L"CookingIngredient"))
            ExpectText(context, *ingredient, std::wstring(Wide(ingredient->name.c_str())) + L"_DisplayText");
        if (const Declaration* flavours = context.Resolve(L"AttributeStrings", {L"stringarray"}))
            for (const std::wstring& flavour : context.TextList(L"AttributeStrings"))
                ExpectText(context, *flavours, flavour + L".AttLabelText");
        for (const Declaration* progression : index.OfKind(L"LevelProgressionData"))
            for (const DataElement& list : progression->element->children)
                for (const DataElement* episode : list.ChildrenNamed(L"EpisodeDescriptor"))
                {
                    ExpectText(context, *progression, L"EpisodeTitle." + episode->Text(L"EpisodeNum"));
                    ExpectText(context, *progression, L"EpisodeNumStr");
                }

        const Manifest* texts = index.FindManifest(L"LocalizedText");
        if (!texts)
            return; // the named-resources check reports the missing text manifest
        const std::size_t dishes = context.TextList(L"DishDisplayName.DefaultStrings").size();
        if (dishes < kPlateTypes)
            context.Out().Add(texts->path, 0,
                              "the text list 'DishDisplayName.DefaultStrings' has " + std::to_string(dishes) +
                                  " dish names; every one of the " + std::to_string(kPlateTypes) +
                                  " plate types needs one");
        for (const wchar_t* list : kRemarkLists)
            if (context.TextList(list).empty())
                context.Out().Add(texts->path, 0,
                                  "the text list '" + Narrow(list) + "' is missing or empty: the judges pick from it");
    }

private:
    static void ExpectText(Context& context, const Declaration& user, const std::wstring& key)
    {
        if (!context.IsText(key))
            context.Problem(user, Narrow(user.Kind()) + " '" + user.name.c_str() + "' needs the text '" + Narrow(key) +
                                      "', which no manifest declares");
    }
};
} // namespace

std::unique_ptr<Check> MakeTextCheck()
{
    return std::make_unique<TextCheck>();
}
} // namespace Corvane::DataCheck
