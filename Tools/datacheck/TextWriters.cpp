#include "TextWriters.h"

#include "Servings.h"

#include "Format.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Graphics/Font.h"
#include "Label.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/TextEditNode.h"

#include <algorithm>
#include <cwctype>

namespace Corvane::DataCheck
{
BuiltLayout::BuiltLayout(const SceneLayout& layout) : mRoot(layout.Instantiate(nullptr, nullptr)) {}

BuiltLayout::~BuiltLayout()
{
    DeleteUnregisteredTree(mRoot);
}

void Walk(SceneNode& node, const std::function<void(SceneNode&)>& visit)
{
    visit(node);
    for (SceneNode* child : node.GetChildren())
        Walk(*child, visit);
}

namespace
{
// The texts of the data, as the game looks them up.
class Words
{
public:
    explicit Words(const Context& context) : mContext(context) {}

    const Context& Data() const { return mContext; }

    std::wstring Text(const std::wstring& key) const
    {
        const Declaration* text = mContext.Resolve(key, {L"string"});
        return text ? text->element->Text(L"value") : std::wstring();
    }
    Texts List(const std::wstring& key) const { return mContext.TextList(key); }
    // Every text whose key starts with prefix.
    Texts Prefixed(const std::wstring& prefix) const
    {
        Texts texts;
        for (const Declaration* text : Records(L"string"))
            if (Wide(text->name.c_str()).starts_with(prefix))
                texts.push_back(text->element->Text(L"value"));
        return texts;
    }
    std::vector<const Declaration*> Records(const wchar_t* kind) const { return mContext.Index().OfKind(kind); }

    std::wstring Ingredient(const std::wstring& name) const { return Text(name + L"_DisplayText"); }
    Texts Ingredients() const
    {
        Texts names;
        for (const Declaration* ingredient : Records(L"CookingIngredient"))
            names.push_back(Ingredient(Wide(ingredient->name.c_str())));
        return names;
    }
    Texts Flavours() const
    {
        Texts labels;
        for (const std::wstring& flavour : List(L"AttributeStrings"))
            labels.push_back(Text(flavour + L".AttLabelText"));
        return labels;
    }
    // The texts named by the entries of the list member of every record of kind.
    Texts Lines(const wchar_t* kind, const wchar_t* list, const wchar_t* attribute) const
    {
        Texts lines;
        for (const Declaration* record : Records(kind))
            for (const DataElement& member : record->element->children)
                if (member.Text(L"name") == list)
                    for (const DataElement& line : member.children)
                        lines.push_back(Text(line.Text(attribute)));
        return lines;
    }
    std::vector<int> Episodes() const
    {
        std::vector<int> numbers;
        for (const Declaration* progression : Records(L"LevelProgressionData"))
            for (const DataElement& list : progression->element->children)
                for (const DataElement* episode : list.ChildrenNamed(L"EpisodeDescriptor"))
                    numbers.push_back(static_cast<int>(std::wcstol(episode->Text(L"EpisodeNum").c_str(), nullptr, 10)));
        return numbers;
    }

private:
    const Context& mContext;
};

// Every template of the list with its placeholders filled by each of fillers in turn.
Texts Filled(const Texts& templates, const Texts& fillers)
{
    Texts texts;
    for (const std::wstring& pattern : templates)
        for (const std::wstring& filler : fillers)
            texts.push_back((Format(pattern) % filler % filler).str());
    return texts;
}

Texts Joined(std::initializer_list<Texts> parts)
{
    Texts all;
    for (const Texts& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The name of every dish as the finished dish and the judges compose it, for every way of serving
// each recipe.
Texts DishNames(const Words& words)
{
    const Context& context = words.Data();
    const Texts templates = words.List(L"DishDisplayReplacementStrings");
    Texts names;
    for (const Declaration* recipe : words.Records(L"RecipeData"))
    {
        const int plate = PlateTypeOf(recipe->element->Text(L"plateType"));
        if (plate < 0 || plate >= static_cast<int>(templates.size()))
            continue; // the dish check reports it
        for (const Serving& serving : Servings(context, *recipe->element))
            names.push_back(ServedName(context, templates[static_cast<std::size_t>(plate)], plate, serving));
    }
    return names;
}

// The recipes' own names (the dish check makes sure every recipe has one, so the plates' default
// names never show).
Texts RecipeNames(const Words& words)
{
    return words.Prefixed(L"DishDisplayName.");
}

Texts Remarks(const Words& words)
{
    const Texts ingredients = words.Ingredients();
    Texts remarks = Joined({Filled(words.List(L"JudgingFeedbackStrings_Ingredient_Veyla"), ingredients),
                            Filled(words.List(L"JudgingFeedbackStrings_Ingredient_Orvel"), ingredients),
                            Filled(words.List(L"JudgingFeedbackStrings_Combo_Veyla"), ingredients),
                            Filled(words.List(L"JudgingFeedbackStrings_Combo_Orvel"), ingredients),
                            words.List(L"JudgingOverallFeedbackStrings_Lose"),
                            words.List(L"JudgingOverallFeedbackStrings_Normal"),
                            words.List(L"JudgingOverallFeedbackStrings_Expert"),
                            words.Prefixed(L"Judging."),
                            {words.Text(L"JudgingFeedbackStrings.DishIncompleteComment")}});
    for (int stars = 0; stars <= 5; ++stars)
        for (const std::wstring& remark : words.List(L"JudgingDishFeedbackStrings.Stars." + std::to_wstring(stars)))
            remarks.push_back(remark);
    return remarks;
}

Texts Components(const Words& words)
{
    Texts components;
    for (const Declaration* recipe : words.Records(L"RecipeData"))
        for (const DataElement& member : recipe->element->children)
            for (const DataElement& step : member.children)
                if (step.Has(L"Group"))
                {
                    const std::wstring text = words.Text(L"InGame.ComponentText." + step.Text(L"Group"));
                    components.push_back(text.empty() ? step.Text(L"Group") : text);
                }
    return components;
}

// The longest name the new-profile field takes: its widest letter, as often as the field's
// limits on letters and width let a player type it.
Texts ProfileNames(const Words&)
{
    const SceneLayout* layout = SceneLayout::Find(Label("NewProfileModeLayout"));
    if (!layout)
        return {};
    const BuiltLayout built(*layout);
    TextEditNode* field = nullptr;
    if (built.Root())
        Walk(*built.Root(), [&](SceneNode& node) {
            if (!field)
                field = dynamic_cast<TextEditNode*>(&node);
        });
    if (!field || !field->GetFont())
        return {};
    const Font& font = *field->GetFont();
    const auto width = [&](const std::wstring& text) { return Font::MeasureString(font, text.c_str()); };
    wchar_t widest = L'A';
    for (wchar_t letter = L'A'; letter <= L'z'; ++letter)
        if (std::iswalpha(static_cast<wint_t>(letter)) && width({letter}) > width({widest}))
            widest = letter;
    const int letters = field->GetMaxCharacters() < 0 ? 64 : field->GetMaxCharacters();
    const int limit = field->GetMaxStringWidth();
    std::wstring name;
    while (static_cast<int>(name.size()) < letters && (limit < 0 || width(name + widest) <= limit))
        name += widest;
    return {name};
}

Texts PlayerLines(const Words& words)
{
    return Joined({Filled({words.Text(L"LevelIntro.FlavorText")}, words.Flavours()),
                   {words.Text(L"LevelIntro.ComboText"), words.Text(L"LevelIntro.ReadyText")}});
}

Texts EpisodeNumbers(const Words& words)
{
    Texts numbers;
    for (const int episode : words.Episodes())
        numbers.push_back((Format(words.Text(L"EpisodeNumStr")) % episode).str());
    return numbers;
}

Texts EpisodeTitles(const Words& words)
{
    Texts titles;
    for (const int episode : words.Episodes())
        titles.push_back(words.Text(L"EpisodeTitle." + std::to_wstring(episode)));
    return titles;
}

// "<episode>-<challenge>" of the last episode's elimination: the widest the level screen shows.
Texts LevelNumbers(const Words& words)
{
    const std::vector<int> episodes = words.Episodes();
    return {std::to_wstring(episodes.empty() ? 0 : *std::max_element(episodes.begin(), episodes.end())) + L"-3"};
}

// The tip bubble is as tall as its text and its margins.
void FitTipBubble(SceneNode& text)
{
    if (SceneNode* bubble = text.GetParent())
        bubble->SetHeight(std::max(85.0f, text.GetHeight() + 46.0f));
}

// A step asking for two flavours shows both texts of its list row 8 units higher.
void RaiseStepTexts(SceneNode& text)
{
    if (SceneNode* row = text.GetParent())
        for (SceneNode* step : row->GetChildren())
            if (step->GetNodeName() == Label("StepText_1") || step->GetNodeName() == Label("StepText_2"))
                step->SetPosition(step->GetPosition().x, step->GetPosition().y - 8.0f);
}

// The ingredient popup's bubble is as wide as the name and its margins.
void FitNameBubble(SceneNode& text)
{
    if (SceneNode* bubble = text.GetParent())
        bubble->SetWidth(text.GetWidth() + 20.0f);
}

// What the game writes into a text node, found by its layout and its path of names from the
// layout's root; prepare, when given, sizes what the screen sizes to the text.
struct Writer
{
    const wchar_t* layout;
    const wchar_t* path;
    std::function<Texts(const Words&)> texts;
    std::function<void(SceneNode& text)> prepare;
};

const std::vector<Writer>& Writers()
{
    const auto text = [](const wchar_t* key) { return [key](const Words& words) { return Texts{words.Text(key)}; }; };
    const auto fixed = [](const wchar_t* shown) { return [shown](const Words&) { return Texts{shown}; }; };
    // Numbers as wide as the widest the screens show (every digit is as wide as an 8; thousands are
    // grouped): a level's score, its time bonus (a level's few minutes at a few points a second), one
    // popup's points.
    const auto score = fixed(L"8,888");
    const auto bonus = fixed(L"+8,888");
    const auto points = fixed(L"+888");
    const auto ingredients = [](const Words& words) { return words.Ingredients(); };
    const auto flavours = [](const Words& words) { return words.Flavours(); };
    const auto cutscene = [](const Words& words) { return words.Lines(L"CutsceneData", L"PromptList", L"textID"); };
    static const std::vector<Writer> writers = {
        {L"FinalDishDisplayLayout", L"FinalDishDisplay/textBG/dishName", DishNames,
         [](SceneNode& name) { CentreDishNameOnBand(name, *name.GetParent()); }},
        {L"JudgingModeLayout",
         L"JudgingMode/CommentDisplay/DishDisplay/DishName",
         [](const Words& words) {
             return Joined({DishNames(words), RecipeNames(words)});
         },
         {}},
        {L"JudgingModeLayout", L"JudgingMode/BG/VeylaText/FeedbackText", Remarks, {}},
        {L"JudgingModeLayout", L"JudgingMode/BG/OrvelText/FeedbackText", Remarks, {}},
        {L"JudgingModeLayout", L"JudgingMode/CommentDisplay/ScoreDisplay/scoreText", score, {}},
        {L"JudgingModeLayout", L"JudgingMode/ScoreDisplay/scoreText", score, {}},
        {L"JudgingModeLayout", L"JudgingMode/Judging_LevelLost/Bubble/playersScore", score, {}},
        {L"JudgingModeLayout", L"JudgingMode/Judging_LevelLost/Bubble/goal", score, {}},
        {L"MainMenuModeLayout", L"MainMenuMode/ProfileBubble/ProfileText", ProfileNames, {}},
        {L"ProfileModeLayout", L"ProfileMode/SelectProfileText", text(L"Profiles.SelectProfileInstructions"), {}},
        {L"NewProfileModeLayout",
         L"NewProfileMode/TextEnter",
         [](const Words& words) {
             return Texts{words.Text(L"Profiles.EnterNameInstructions"), words.Text(L"Profiles.CharMinimum"),
                          words.Text(L"Profiles.ProfileExists"), words.Text(L"Profiles.CreateFailed")};
         },
         {}},
        {L"DeleteProfileModeLayout",
         L"DeleteProfileMode/ConfirmText",
         [](const Words& words) { return Filled({words.Text(L"Profiles.DeleteConfirm")}, ProfileNames(words)); },
         {}},
        {L"CutsceneModeLayout", L"CutsceneMode/TextBubble_Left/bubbleText", cutscene, {}},
        {L"CutsceneModeLayout", L"CutsceneMode/TextBubble_Right/bubbleText", cutscene, {}},
        {L"IntroLayout",
         L"Intro/Veyla/Text",
         [](const Words& words) { return words.Lines(L"LevelIntroData", L"VeylaText", L"value"); },
         {}},
        {L"IntroLayout", L"Intro/Player/Text", PlayerLines, {}},
        {L"LevelOutroModeLayout", L"LevelOutro/bubbleBG/timeBonus", bonus, {}},
        {L"LevelOutroModeLayout", L"LevelOutro/bubbleBG/total_score", score, {}},
        {L"EpisodeFrameLayout", L"EpisodeFrame/locked/EpisodeNum", EpisodeNumbers, {}},
        {L"EpisodeFrameLayout", L"EpisodeFrame/unlocked/EpisodeNum", EpisodeNumbers, {}},
        {L"EpisodeFrameLayout", L"EpisodeFrame/unlocked/EpisodeTitle", EpisodeTitles, {}},
        {L"TutorialBubbleLayout", L"TutorialBubble/bubbleBG/TutorialText",
         [](const Words& words) { return words.Prefixed(L"Tutorial."); }, FitTipBubble},
        {L"GameScreenLayout", L"GameScreenRoot/UI_attach/LevelNumDisplay", LevelNumbers, {}},
        {L"GameScreenLayout", L"GameScreenRoot/UI_attach/dishDisplay/recipeName", RecipeNames, {}},
        {L"GameScreenLayout", L"GameScreenRoot/UI_attach/timer/Text_Min", fixed(L"8:"), {}},
        {L"GameScreenLayout", L"GameScreenRoot/UI_attach/timer/Text_Sec", fixed(L"88"), {}},
        {L"GameScreenLayout", L"GameScreenRoot/UI_attach/scoreDisplay", score, {}},
        {L"NextRecipePopupLayout", L"NextRecipePopup/TitleText", text(L"DishIntroBubble.DescText"), {}},
        {L"NextRecipePopupLayout", L"NextRecipePopup/DishNameText", RecipeNames, {}},
        {L"NextRecipePopupLayout", L"NextRecipePopup/ClickText", text(L"DishIntroBubble.ClickText"), {}},
        {L"IngredientDataPopupLayout", L"IngredientDataPopup/bubbleBG/IngredientName", ingredients, FitNameBubble},
        {L"IngredientBinLayout", L"IngredientBin/IngredText", ingredients, {}},
        {L"ListEntryLayout", L"ListEntry/StepText_1", flavours, {}},
        {L"ListEntryLayout", L"ListEntry/StepText_2", flavours, RaiseStepTexts},
        {L"ListEntry_HeaderLayout", L"ListEntry/ComponentText", Components, {}},
        {L"ListEntry_HeaderLayout", L"ListEntry/StepText_1", flavours, {}},
        {L"ListEntry_HeaderLayout", L"ListEntry/StepText_2", flavours, RaiseStepTexts},
        {L"CookingStation_StepLayout", L"StepDisplayRoot/StepDisplay/Attribute_1", flavours, {}},
        {L"CookingStation_StepLayout", L"StepDisplayRoot/StepDisplay/Attribute_2", flavours, {}},
        {L"RecipeListLayout", L"RecipeList/RemainingSteps", fixed(L"88"), {}},
        {L"ScorePopupItemLayout", L"ScorePopupItem/ScoreText", points, {}},
        {L"ChainBonusPopupLayout", L"ChainBonusPopup/ScoreText", points, {}},
        {L"ClassicComboPopupLayout", L"ClassicComboPopup/bg/ScoreText", points, {}},
    };
    return writers;
}

const Writer* WriterOf(const std::wstring& layout, const std::wstring& path)
{
    // Node names are labels: their letter case does not matter.
    for (const Writer& writer : Writers())
        if (layout == writer.layout && EqualsNoCase(path.c_str(), writer.path))
            return &writer;
    return nullptr;
}
} // namespace

std::optional<WrittenTexts> TextsWrittenInto(const Context& context, const std::wstring& layout,
                                             const std::wstring& path)
{
    const Writer* writer = WriterOf(layout, path);
    if (!writer)
        return std::nullopt;
    return WrittenTexts{writer->texts(Words(context)), writer->prepare};
}
} // namespace Corvane::DataCheck
