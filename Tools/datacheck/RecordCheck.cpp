// The game's records, from their XML: the episodes reach their levels and cutscenes, levels their
// recipes, recipes and combos their ingredients, every flavour named is one the game knows, and
// each pantry row holds the category its label shows.
// The record factories check each record's own form once they are registered; these references
// cross records, which no factory sees.
#include "Check.h"

#include <algorithm>
#include <cwchar>
#include <map>
#include <set>

namespace Corvane::DataCheck
{
namespace
{
const Kinds kIngredient = {L"CookingIngredient"};
const wchar_t* const kCategories[] = {L"Vegetable", L"Meat", L"Flavoring"};
// The pantry's places: three rows of five.
constexpr long kPantryPlaces = 15;
constexpr std::size_t kRowPlaces = 5;

bool IsCategory(const std::wstring& text)
{
    return std::find(std::begin(kCategories), std::end(kCategories), text) != std::end(kCategories);
}

// The member of a record given as a child element: the child whose "name" is member.
const DataElement* Member(const DataElement& record, const wchar_t* member)
{
    for (const DataElement& child : record.children)
        if (Label(child.Text(L"name")) == Label(member))
            return &child;
    return nullptr;
}

class RecordCheck final : public Check
{
public:
    std::string Name() const override { return "game records"; }

    void Run(Context& context) override
    {
        mFlavours = context.TextList(L"AttributeStrings");
        for (const Declaration& record : context.Index().Declarations())
        {
            const std::wstring& kind = record.Kind();
            if (kind == L"LevelProgressionData")
                CheckProgression(context, record);
            else if (kind == L"KitchenLevelData")
            {
                CheckLevel(context, record);
                CheckPantry(context, record);
            }
            else if (kind == L"RecipeData")
                CheckRecipe(context, record);
            else if (kind == L"CookingIngredient")
                CheckIngredient(context, record);
            else if (kind == L"IngredientCombo")
                for (const DataElement* item : record.element->ChildrenNamed(L"Ingredient"))
                    context.Expect(*record.manifest, *item, Who(record) + " ingredient", item->Text(L"id"), kIngredient,
                                   true);
            else if (kind == L"CutsceneData")
                CheckCutscene(context, record);
            else if (kind == L"LevelIntroData")
                CheckIntro(context, record);
        }
    }

private:
    static std::string Who(const Declaration& record)
    {
        return Narrow(record.Kind()) + " '" + record.name.c_str() + "'";
    }

    void ExpectFlavour(Context& context, const Declaration& record, const DataElement& element, const std::string& what,
                       const std::wstring& flavour)
    {
        if (!flavour.empty() && std::find(mFlavours.begin(), mFlavours.end(), flavour) == mFlavours.end())
            context.Problem(*record.manifest, element,
                            Who(record) + " " + what + " '" + Narrow(flavour) + "' is no flavour of AttributeStrings");
    }

    void CheckProgression(Context& context, const Declaration& record)
    {
        const DataElement* episodes = Member(*record.element, L"EpisodeList");
        if (!episodes)
            return;
        for (const DataElement* episode : episodes->ChildrenNamed(L"EpisodeDescriptor"))
            for (const DataElement& level : episode->children)
            {
                const std::wstring slot = level.Text(L"name");
                const std::wstring id = level.Text(L"levelID");
                const std::string what =
                    Who(record) + " episode " + Narrow(episode->Text(L"EpisodeNum")) + " " + Narrow(slot);
                if (Label(slot) == Label(L"Intro") || Label(slot) == Label(L"Outro"))
                {
                    context.Expect(*record.manifest, level, what, id, {L"CutsceneData"});
                    continue;
                }
                CheckChallenge(context, record, level, what, id);
            }
    }

    void CheckChallenge(Context& context, const Declaration& record, const DataElement& level, const std::string& what,
                        const std::wstring& id)
    {
        const std::wstring file = level.Text(L"filename");
        const Manifest* levelFile = context.Index().FindManifest(file);
        if (!levelFile)
        {
            context.Problem(*record.manifest, level,
                            what + ": its level file '" + Narrow(file) + ".xml' does not exist");
            return;
        }
        const Declaration* data = context.Resolve(id, {L"KitchenLevelData"});
        if (!data || data->manifest != levelFile)
            context.Problem(*record.manifest, level,
                            what + ": " + levelFile->path + " holds no KitchenLevelData named '" + Narrow(id) + "'");
        // The level intro screen shows this before the level.
        context.Expect(*record.manifest, level, what + " intro", id + L"_LevelIntro", {L"LevelIntroData"});
    }

    void CheckLevel(Context& context, const Declaration& record)
    {
        for (const DataElement& child : record.element->children)
        {
            if (child.Tag() == L"LevelRecipe")
                context.Expect(*record.manifest, child, Who(record) + " recipe", child.Text(L"RecipeID"),
                               {L"RecipeData"});
            else if (child.Tag() == L"PantrySettings")
                for (const DataElement* category : child.ChildrenNamed(L"Category"))
                    if (!IsCategory(category->Text(L"id")))
                        context.Problem(*record.manifest, *category,
                                        Who(record) + " pantry category '" + Narrow(category->Text(L"id")) +
                                            "' is none of Vegetable, Meat, Flavoring");
        }
    }

    // The pantry shows a recipe's ingredients by category, as many at a time as the level's counts
    // say: a step whose category the pantry never shows can never be served, and the places the
    // counts ask for must fit the pantry's fifteen.
    void CheckPantry(Context& context, const Declaration& level)
    {
        std::map<std::wstring, long> counts;
        for (const DataElement* settings : level.element->ChildrenNamed(L"PantrySettings"))
            for (const DataElement* category : settings->ChildrenNamed(L"Category"))
                counts[category->Text(L"id")] = std::wcstol(category->Text(L"numToDisplay").c_str(), nullptr, 10);
        for (const DataElement* entry : level.element->ChildrenNamed(L"LevelRecipe"))
        {
            const std::wstring id = entry->Text(L"RecipeID");
            const Declaration* recipe = context.Resolve(id, {L"RecipeData"});
            if (!recipe)
                continue;
            const std::string who = Who(level) + " recipe '" + Narrow(id) + "'";
            std::set<std::wstring> shown;
            if (const DataElement* ingredients = Member(*recipe->element, L"IngredientList"))
                for (const DataElement& item : ingredients->children)
                    if (const Declaration* ingredient = context.Resolve(item.Text(L"value"), kIngredient))
                        if (IsCategory(ingredient->element->Text(L"category")))
                            shown.insert(ingredient->element->Text(L"category"));
            long places = 0;
            for (const std::wstring& category : shown)
                places += std::max(counts[category], 0L);
            if (places > kPantryPlaces)
                context.Problem(*level.manifest, *entry,
                                who + " asks for " + std::to_string(places) + " pantry places; the pantry has 15");
            CheckPantryRows(context, level, *entry, who, shown, counts);
            const DataElement* steps = Member(*recipe->element, L"StepDataList");
            std::set<std::wstring> reported;
            for (const DataElement& step : steps ? steps->children : std::vector<DataElement>{})
            {
                const std::wstring category = step.Text(L"Category");
                if (IsCategory(category) && (!shown.contains(category) || counts[category] <= 0) &&
                    reported.insert(category).second)
                    context.Problem(*level.manifest, *entry,
                                    who + ": its " + Narrow(category) + " steps can never be served, the pantry shows no " +
                                        Narrow(category) + " for it");
            }
        }
    }

    // The pantry lays its places out category by category (Vegetable, Meat, Flavoring), as many as
    // the counts say, five to a row, and labels each row with the category of its first place: a
    // row that holds another category too shows the player a label that is not true.
    static void CheckPantryRows(Context& context, const Declaration& level, const DataElement& entry,
                                const std::string& who, const std::set<std::wstring>& shown,
                                std::map<std::wstring, long>& counts)
    {
        std::vector<std::wstring> places;
        for (const wchar_t* category : kCategories)
            if (shown.contains(category))
                places.insert(places.end(), std::clamp(counts[category], 0L, kPantryPlaces), category);
        places.resize(std::min(places.size(), static_cast<std::size_t>(kPantryPlaces)));
        for (std::size_t first = 0; first < places.size(); first += kRowPlaces)
        {
            const auto row = places.begin() + static_cast<std::ptrdiff_t>(first);
            const auto end = places.begin() + static_cast<std::ptrdiff_t>(std::min(first + kRowPlaces, places.size()));
            const auto other = std::find_if(row, end, [&](const std::wstring& category) { return category != *row; });
            if (other != end)
                context.Problem(*level.manifest, entry,
                                who + ": pantry row " + std::to_string(first / kRowPlaces + 1) + " is labelled " +
                                    Narrow(*row) + " but holds " + Narrow(*other) +
                                    " too; give each category whole rows of five");
        }
    }

    void CheckRecipe(Context& context, const Declaration& record)
    {
        if (const DataElement* ingredients = Member(*record.element, L"IngredientList"))
            for (const DataElement& item : ingredients->children)
                context.Expect(*record.manifest, item, Who(record) + " ingredient", item.Text(L"value"), kIngredient);
        if (const DataElement* steps = Member(*record.element, L"StepDataList"))
            for (const DataElement& step : steps->children)
            {
                ExpectFlavour(context, record, step, "step asks for", step.Text(L"AttRequest_1"));
                ExpectFlavour(context, record, step, "step asks for", step.Text(L"AttRequest_2"));
            }
    }

    void CheckIngredient(Context& context, const Declaration& record)
    {
        if (!IsCategory(record.element->Text(L"category")))
            context.Problem(record, Who(record) + " category '" + Narrow(record.element->Text(L"category")) +
                                        "' is none of Vegetable, Meat, Flavoring");
        for (const DataElement* flavour : record.element->ChildrenNamed(L"FlavorAtt"))
            ExpectFlavour(context, record, *flavour, "flavour", flavour->Text(L"att"));
    }

    void CheckCutscene(Context& context, const Declaration& record)
    {
        const DataElement* prompts = Member(*record.element, L"PromptList");
        if (!prompts)
            return;
        for (const DataElement& prompt : prompts->children)
            context.Expect(*record.manifest, prompt, Who(record) + " line", prompt.Text(L"textID"), {L"string"});
    }

    void CheckIntro(Context& context, const Declaration& record)
    {
        if (const DataElement* lines = Member(*record.element, L"VeylaText"))
        {
            for (const DataElement& line : lines->children)
                context.Expect(*record.manifest, line, Who(record) + " host line", line.Text(L"value"), {L"string"});
            CheckGoal(context, record, *lines);
        }
        if (const DataElement* combo = Member(*record.element, L"Combo"))
            for (const wchar_t* member : {L"Combo_1", L"Combo_2"})
                context.Expect(*record.manifest, *combo, Who(record) + " " + Narrow(member), combo->Text(member),
                               {L"IngredientCombo"});
        if (const DataElement* flavour = Member(*record.element, L"Flavor"))
        {
            ExpectFlavour(context, record, *flavour, "Flavor", flavour->Text(L"Flavor"));
            for (const wchar_t* member : {L"Ing_1", L"Ing_2", L"Ing_3", L"Ing_4"})
                context.Expect(*record.manifest, *flavour, Who(record) + " " + Narrow(member), flavour->Text(member),
                               kIngredient);
        }
    }

    // The host tells the player the level's goal before it starts: her lines name its WinScore,
    // and no other number a player could take for it.
    static void CheckGoal(Context& context, const Declaration& record, const DataElement& lines)
    {
        std::wstring level = Wide(record.name.c_str());
        const std::wstring suffix = L"_LevelIntro";
        if (!level.ends_with(suffix))
            return;
        level.resize(level.size() - suffix.size());
        const Declaration* levelData = context.Resolve(level, {L"KitchenLevelData"});
        if (!levelData)
            return;
        const std::wstring goal = levelData->element->Text(L"WinScore");
        bool said = false;
        for (const DataElement& line : lines.children)
        {
            const Declaration* text = context.Resolve(line.Text(L"value"), {L"string"});
            const std::wstring words = text ? text->element->Text(L"value") : std::wstring();
            for (std::size_t at = words.find_first_of(L"0123456789"); at != std::wstring::npos;)
            {
                const std::size_t end = std::min(words.find_first_not_of(L"0123456789", at), words.size());
                const std::wstring number = words.substr(at, end - at);
                if (number == goal)
                    said = true;
                else
                    context.Problem(*text, Who(record) + " host line '" + Narrow(line.Text(L"value")) + "' says " +
                                               Narrow(number) + ", but the level's WinScore is " + Narrow(goal));
                at = words.find_first_of(L"0123456789", end);
            }
        }
        if (!said)
            context.Problem(record, Who(record) + " host lines never say the level's goal: its WinScore " +
                                        Narrow(goal) + " (" + levelData->manifest->path + ")");
    }

    std::vector<std::wstring> mFlavours;
};
} // namespace

std::unique_ptr<Check> MakeRecordCheck()
{
    return std::make_unique<RecordCheck>();
}
} // namespace Corvane::DataCheck
