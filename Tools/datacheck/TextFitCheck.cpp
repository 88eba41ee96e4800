// Every text a screen can show fits the box it is drawn in, with the longest text it can hold. Each
// layout is built as a screen builds it; each text node is given every text it can show (its own,
// or what the game writes into it: dish names for every way of serving a recipe, the judges'
// remarks, host and cutscene lines, tips, a profile name as long as its field takes, scores...) and
// its laid-out rectangle is compared with its box: the nearest node above it that has a size and
// holds the point the layout places the text at (the 800 by 600 screen when none does); the text
// must not cover the pictures, meters and texts beside it either. When the box is a picture, or
// holds a picture under the text (a bubble, a ribbon), the text must also lie on that picture's
// solid part, not on its see-through margins. A button's text must fit the button. A text node the
// game writes into that the check knows no texts for is reported too, so that a new one cannot slip
// by unmeasured.
#include "Check.h"

#include "Format.h"
#include "Game/Data/GameEnumerations.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Graphics/Font.h"
#include "Graphics/IImage.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"
#include "SceneGraph/TextEditNode.h"
#include "SceneGraph/TextSpriteNode.h"
#include "Widgets/IText.h"

#include <algorithm>
#include <cwctype>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <typeinfo>

namespace Corvane::DataCheck
{
namespace
{
using Texts = std::vector<std::wstring>;

constexpr Rect<float> kScreen{0.0f, 0.0f, 800.0f, 600.0f};
// Less than this is rounding, not overflow.
constexpr float kTolerance = 0.5f;
// How far in from its edges a text's rectangle must lie on solid picture (a line's rectangle is a
// little larger than its letters), and the alpha from which a pixel counts as solid.
constexpr int kPictureInset = 2;
constexpr unsigned kSolidAlpha = 128;
// A button's text keeps this much clear of each side of the button.
constexpr float kButtonMargin = 6.0f;

// A layout's tree, built off any screen; deleted whole.
class BuiltLayout
{
public:
    explicit BuiltLayout(const SceneLayout& layout) : mRoot(layout.Instantiate(nullptr, nullptr)) {}
    ~BuiltLayout() { Delete(mRoot); }
    BuiltLayout(const BuiltLayout&) = delete;
    BuiltLayout& operator=(const BuiltLayout&) = delete;

    SceneNode* Root() const { return mRoot; }

private:
    static void Delete(SceneNode* node)
    {
        if (!node)
            return;
        for (SceneNode* child : node->GetChildren())
            Delete(child);
        delete node;
    }

    SceneNode* mRoot;
};

// Every node at or below node, parents first.
void Walk(SceneNode& node, const std::function<void(SceneNode&)>& visit)
{
    visit(node);
    for (SceneNode* child : node.GetChildren())
        Walk(*child, visit);
}

// The name the screens find the node by ("nodeName" in the layout, else "name"); empty for none.
std::wstring NameOf(const SceneNode& node)
{
    const char* name = node.GetNodeName() ? node.GetNodeName().c_str() : node.GetName().c_str();
    return name ? Wide(name) : std::wstring();
}

// The node's names from the layout's root down, "Root/Panel/Text".
std::wstring PathOf(const SceneNode& node)
{
    return node.GetParent() ? PathOf(*node.GetParent()) + L"/" + NameOf(node) : NameOf(node);
}

// The texts of the data, as the game looks them up.
class Words
{
public:
    explicit Words(const Context& context) : mContext(context) {}

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

// Numbers as wide as the widest the screens show (every digit is as wide as an 8; thousands are
// grouped): a level's score, its time bonus (a level's few minutes at a few points a second), one
// popup's points.
Texts Score(const Words&)
{
    return {L"8,888"};
}

Texts Bonus(const Words&)
{
    return {L"+8,888"};
}

Texts Points(const Words&)
{
    return {L"+888"};
}

// The name of every dish as the finished dish and the judges compose it: each recipe's template
// filled for every way of serving it, one ingredient of the step's kind from its pantry per step.
Texts DishNames(const Words& words)
{
    std::map<std::wstring, std::wstring> categories;
    for (const Declaration* ingredient : words.Records(L"CookingIngredient"))
        categories[Wide(ingredient->name.c_str())] = ingredient->element->Text(L"category");
    const Texts templates = words.List(L"DishDisplayReplacementStrings");
    Texts names;
    for (const Declaration* recipe : words.Records(L"RecipeData"))
    {
        const std::wstring plateName = recipe->element->Text(L"plateType");
        const auto plate = std::find_if(std::begin(kPlatingTypeNames), std::end(kPlatingTypeNames),
                                        [&](const wchar_t* name) { return plateName == name; });
        const auto plateType = static_cast<int>(plate - std::begin(kPlatingTypeNames));
        if (plate == std::end(kPlatingTypeNames) || plateType >= static_cast<int>(templates.size()))
            continue; // the dish check reports it
        Texts pantry;
        std::vector<std::pair<int, std::wstring>> steps; // dish slot, category
        for (const DataElement& member : recipe->element->children)
            for (const DataElement& item : member.children)
            {
                if (member.Text(L"name") == L"IngredientList")
                    pantry.push_back(item.Text(L"value"));
                else if (member.Text(L"name") == L"StepDataList")
                    steps.emplace_back(std::wcstol(item.Text(L"DisplayIndex").c_str(), nullptr, 10),
                                       item.Text(L"Category"));
            }
        std::vector<std::vector<DishIngredient>> servings{{}};
        for (const auto& [slot, category] : steps)
        {
            std::vector<std::vector<DishIngredient>> longer;
            for (const std::vector<DishIngredient>& serving : servings)
                for (const std::wstring& ingredient : pantry)
                    if (categories[ingredient] == category)
                    {
                        longer.push_back(serving);
                        longer.back().push_back({Label(ingredient), slot});
                    }
            servings = std::move(longer);
        }
        for (const std::vector<DishIngredient>& serving : servings)
        {
            Format name(templates[static_cast<std::size_t>(plateType)]);
            for (int placeholder = 1; placeholder <= 5; ++placeholder)
            {
                std::wstring filler = L"Ing_" + std::to_wstring(placeholder);
                for (const DishIngredient& entry : serving)
                    if (DishNamePlaceholder(plateType, entry.slot) == placeholder)
                        filler = words.Ingredient(Wide(entry.ingredient.c_str()));
                name % filler;
            }
            names.push_back(name.str());
        }
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
    const auto ingredients = [](const Words& words) { return words.Ingredients(); };
    const auto flavours = [](const Words& words) { return words.Flavours(); };
    const auto cutscene = [](const Words& words) { return words.Lines(L"CutsceneData", L"PromptList", L"textID"); };
    static const std::vector<Writer> writers = {
        {L"FinalDishDisplayLayout", L"FinalDishDisplay/textBG/dishName", DishNames, {}},
        {L"JudgingModeLayout",
         L"JudgingMode/CommentDisplay/DishDisplay/DishName",
         [](const Words& words) {
             return Joined({DishNames(words), RecipeNames(words)});
         },
         {}},
        {L"JudgingModeLayout", L"JudgingMode/BG/VeylaText/FeedbackText", Remarks, {}},
        {L"JudgingModeLayout", L"JudgingMode/BG/OrvelText/FeedbackText", Remarks, {}},
        {L"JudgingModeLayout", L"JudgingMode/CommentDisplay/ScoreDisplay/scoreText", Score, {}},
        {L"JudgingModeLayout", L"JudgingMode/ScoreDisplay/scoreText", Score, {}},
        {L"JudgingModeLayout", L"JudgingMode/Judging_LevelLost/Bubble/playersScore", Score, {}},
        {L"JudgingModeLayout", L"JudgingMode/Judging_LevelLost/Bubble/goal", Score, {}},
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
        {L"LevelOutroModeLayout", L"LevelOutro/bubbleBG/timeBonus", Bonus, {}},
        {L"LevelOutroModeLayout", L"LevelOutro/bubbleBG/total_score", Score, {}},
        {L"EpisodeFrameLayout", L"EpisodeFrame/locked/EpisodeNum", EpisodeNumbers, {}},
        {L"EpisodeFrameLayout", L"EpisodeFrame/unlocked/EpisodeNum", EpisodeNumbers, {}},
        {L"EpisodeFrameLayout", L"EpisodeFrame/unlocked/EpisodeTitle", EpisodeTitles, {}},
        {L"TutorialBubbleLayout", L"TutorialBubble/bubbleBG/TutorialText",
         [](const Words& words) { return words.Prefixed(L"Tutorial."); }, FitTipBubble},
        {L"GameScreenLayout", L"GameScreenRoot/UI_attach/LevelNumDisplay", LevelNumbers, {}},
        {L"GameScreenLayout", L"GameScreenRoot/UI_attach/dishDisplay/recipeName", RecipeNames, {}},
        {L"GameScreenLayout", L"GameScreenRoot/UI_attach/timer/Text_Min", fixed(L"8:"), {}},
        {L"GameScreenLayout", L"GameScreenRoot/UI_attach/timer/Text_Sec", fixed(L"88"), {}},
        {L"GameScreenLayout", L"GameScreenRoot/UI_attach/scoreDisplay", Score, {}},
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
        {L"ScorePopupItemLayout", L"ScorePopupItem/ScoreText", Points, {}},
        {L"ChainBonusPopupLayout", L"ChainBonusPopup/ScoreText", Points, {}},
        {L"ClassicComboPopupLayout", L"ClassicComboPopup/bg/ScoreText", Points, {}},
    };
    return writers;
}

// Node names are labels: their letter case does not matter.
std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))); });
    return text;
}

const Writer* WriterOf(const std::wstring& layout, const std::wstring& path)
{
    for (const Writer& writer : Writers())
        if (layout == writer.layout && Lower(path) == Lower(writer.path))
            return &writer;
    return nullptr;
}

Rect<float> WorldRect(SceneNode& node)
{
    const Vector2<float> at = node.GetWorldPosition();
    const Vector2<float> scale = node.GetWorldScale();
    return {at.x, at.y, node.GetWidth() * scale.x, node.GetHeight() * scale.y};
}

// How far rect reaches out of box (0 or less: it fits).
float Overflow(const Rect<float>& rect, const Rect<float>& box)
{
    return std::max({box.x - rect.x, rect.x + rect.width - (box.x + box.width), box.y - rect.y,
                     rect.y + rect.height - (box.y + box.height)});
}

std::string Describe(const Rect<float>& rect)
{
    std::ostringstream text;
    text << rect.width << "x" << rect.height << " at " << rect.x << "," << rect.y;
    return text.str();
}

class TextFitCheck final : public Check
{
public:
    std::string Name() const override { return "texts in their boxes"; }
    std::vector<std::wstring> Needs() const override { return {L"scenelayout", L"font"}; }

    void Run(Context& context) override
    {
        const Words words(context);
        for (const Declaration* declaration : context.Index().OfKind(L"scenelayout"))
        {
            const SceneLayout* layout = SceneLayout::Find(declaration->name);
            if (!layout || !layout->GetRoot())
                continue; // the loaded check reports a layout that did not load
            const BuiltLayout built(*layout);
            if (!built.Root())
                continue;
            const std::wstring name = Wide(declaration->name.c_str());
            std::vector<SceneNode*> nodes;
            Walk(*built.Root(), [&](SceneNode& node) { nodes.push_back(&node); });
            for (SceneNode* node : nodes)
            {
                if (auto* button = dynamic_cast<ButtonNode*>(node))
                    CheckButton(context, *declaration, *button);
                else if (dynamic_cast<StyledTextSpriteNode*>(node) || dynamic_cast<TextSpriteNode*>(node))
                    CheckText(context, words, *declaration, name, *node);
            }
        }
    }

private:
    // The text node's layout element, found by its names (null when it comes from another layout).
    static const DataElement* ElementOf(const Declaration& layout, const SceneNode& node)
    {
        std::vector<std::wstring> names;
        for (const SceneNode* at = &node; at; at = at->GetParent())
            names.insert(names.begin(), NameOf(*at));
        const DataElement* element = layout.element;
        for (const std::wstring& name : names)
        {
            const auto child =
                std::find_if(element->children.begin(), element->children.end(), [&](const DataElement& candidate) {
                    return Label(candidate.Has(L"nodeName") ? candidate.Text(L"nodeName") : candidate.Text(L"name")) ==
                           Label(name);
                });
            if (child == element->children.end())
                return nullptr;
            element = &*child;
        }
        return element;
    }

    static void Report(Context& context, const Declaration& layout, const SceneNode& node, const std::string& message)
    {
        if (const DataElement* element = ElementOf(layout, node))
            context.Problem(*layout.manifest, *element, message);
        else
            context.Problem(layout, message);
    }

    static bool Holds(const Rect<float>& box, const Vector2<float>& point)
    {
        return point.x >= box.x && point.x <= box.x + box.width && point.y >= box.y && point.y <= box.y + box.height;
    }

    // The node's box: the nearest node above it with a size that holds the point; null for the
    // screen.
    static SceneNode* BoxOf(SceneNode& node, const Vector2<float>& point)
    {
        for (SceneNode* above = node.GetParent(); above; above = above->GetParent())
        {
            const Rect<float> box = WorldRect(*above);
            if (box.width > 0.0f && box.height > 0.0f && Holds(box, point))
                return above;
        }
        return nullptr;
    }

    // The picture the text is drawn on: the box itself, or the last picture among the box's
    // children that holds the point.
    static StaticSpriteNode* PictureOf(SceneNode* box, const Vector2<float>& point)
    {
        if (!box)
            return nullptr;
        if (auto* picture = dynamic_cast<StaticSpriteNode*>(box); picture && picture->GetImage())
            return picture;
        StaticSpriteNode* found = nullptr;
        for (SceneNode* child : box->GetChildren())
            if (auto* picture = dynamic_cast<StaticSpriteNode*>(child);
                picture && picture->GetImage() && Holds(WorldRect(*picture), point))
                found = picture;
        return found;
    }

    // A node that draws something of its own (a picture, a meter, a button, a text), which a text
    // must not cover: the nodes beside the text and beside each node above it up to its box, but
    // the picture the text is drawn on.
    static SceneNode* CoveredBy(SceneNode& text, SceneNode* box, const StaticSpriteNode* picture,
                                const Rect<float>& rect)
    {
        for (SceneNode* above = text.GetParent(); above; above = above->GetParent())
        {
            for (SceneNode* beside : above->GetChildren())
            {
                // Two nodes the layout hides are shown one at a time, as the level intro's markers;
                // a node that holds the whole text is a background.
                const Rect<float> other = WorldRect(*beside);
                if (beside == picture || typeid(*beside) == typeid(SceneNode) || IsAbove(*beside, text) ||
                    (!beside->IsVisible() && !text.IsVisible()) || Overflow(rect, other) <= 0.0f)
                    continue;
                if (other.width > 0.0f && other.height > 0.0f && Overlap(rect, other) > kPictureInset)
                    return beside;
            }
            if (above == box)
                break;
        }
        return nullptr;
    }

    // Whether node is text or above it.
    static bool IsAbove(const SceneNode& node, const SceneNode& text)
    {
        for (const SceneNode* at = &text; at; at = at->GetParent())
            if (at == &node)
                return true;
        return false;
    }

    // How deep two rectangles overlap: the smaller of the overlap's width and height.
    static float Overlap(const Rect<float>& a, const Rect<float>& b)
    {
        const float width = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
        const float height = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
        return std::min(width, height);
    }

    // Whether the rectangle's edges, kPictureInset in, lie on solid pixels of the picture.
    static bool OnSolidPart(StaticSpriteNode& picture, const Rect<float>& rect)
    {
        const IImage& image = *picture.GetImage();
        const Vector2<float> at = picture.GetWorldPosition();
        const auto solid = [&](float x, float y) {
            const int px = static_cast<int>(x - at.x);
            const int py = static_cast<int>(y - at.y);
            return px >= 0 && py >= 0 && px < image.GetWidth() && py < image.GetHeight() &&
                   (image.GetPixel(px, py) >> 24) >= kSolidAlpha;
        };
        const float left = rect.x + kPictureInset;
        const float right = rect.x + rect.width - kPictureInset - 1.0f;
        const float top = rect.y + kPictureInset;
        const float bottom = rect.y + rect.height - kPictureInset - 1.0f;
        for (float x = left; x <= right; x += 1.0f)
            if (!solid(x, top) || !solid(x, bottom))
                return false;
        for (float y = top; y <= bottom; y += 1.0f)
            if (!solid(left, y) || !solid(right, y))
                return false;
        return true;
    }

    // Where the layout places the node: its corner, or the middle or far side it is aligned by.
    static Vector2<float> AnchorOf(SceneNode& node)
    {
        const Rect<float> rect = WorldRect(node);
        const auto shift = [](int align, float size) { return align == 1 ? size / 2.0f : align == 2 ? size : 0.0f; };
        return {rect.x + shift(node.GetAlignment()[2], rect.width),
                rect.y + shift(node.GetAlignment()[3], rect.height)};
    }

    static void CheckText(Context& context, const Words& words, const Declaration& layout, const std::wstring& name,
                          SceneNode& node)
    {
        // What a writer's preparation moves or sizes is put back before the next text.
        std::vector<std::pair<SceneNode*, NodeState>> kept;
        if (SceneNode* parent = node.GetParent())
        {
            kept.emplace_back(parent, parent->GetLocalState());
            for (SceneNode* sibling : parent->GetChildren())
                kept.emplace_back(sibling, sibling->GetLocalState());
        }
        auto* text = dynamic_cast<Corvane::IText*>(&node);
        if (!text)
            return;
        const std::wstring path = PathOf(node);
        const Writer* writer = WriterOf(name, path);
        const Texts texts = writer ? writer->texts(words) : Texts{text->GetText()};
        const std::string where = "layout '" + Narrow(name) + "': the text '" + Narrow(path) + "'";
        if (!writer && text->GetText().empty())
        {
            Report(context, layout, node,
                   where + " has no text of its own and the check knows none the game writes into it: add it to "
                           "the check's writers");
            return;
        }
        float worst = kTolerance;
        std::string problem;
        for (const std::wstring& shown : texts)
        {
            for (const auto& [keptNode, state] : kept)
                keptNode->SetLocalState(state);
            text->SetText(shown);
            if (writer && writer->prepare)
                writer->prepare(node);
            const Rect<float> rect = WorldRect(node);
            if (rect.width <= 0.0f || rect.height <= 0.0f)
                continue;
            const Vector2<float> centre{rect.x + rect.width / 2.0f, rect.y + rect.height / 2.0f};
            SceneNode* box = BoxOf(node, AnchorOf(node));
            const Rect<float> boxRect = box ? WorldRect(*box) : kScreen;
            const std::string boxName = box ? "'" + Narrow(PathOf(*box)) + "'" : std::string("the screen");
            const float overflow = Overflow(rect, boxRect);
            const std::string with = ", with \"" + Narrow(shown) + "\" (" + Describe(rect) + ")";
            if (overflow > worst)
            {
                worst = overflow;
                problem = where + " runs " + std::to_string(static_cast<int>(overflow + 0.5f)) + " px out of its box " +
                          boxName + " (" + Describe(boxRect) + ")" + with;
            }
            StaticSpriteNode* picture = PictureOf(box, centre);
            if (problem.empty() && picture && !OnSolidPart(*picture, rect))
                problem = where + " runs off the solid part of its picture '" + Narrow(PathOf(*picture)) + "'" + with;
            if (SceneNode* covered = problem.empty() ? CoveredBy(node, box, picture, rect) : nullptr)
                problem =
                    where + " covers '" + Narrow(PathOf(*covered)) + "' (" + Describe(WorldRect(*covered)) + ")" + with;
        }
        if (!problem.empty())
            Report(context, layout, node, problem);
    }

    static void CheckButton(Context& context, const Declaration& layout, ButtonNode& button)
    {
        if (button.GetText().empty() || !button.GetFont())
            return;
        const float width = static_cast<float>(Font::MeasureString(*button.GetFont(), button.GetText().c_str()));
        const float room = button.GetWidth() - 2.0f * kButtonMargin;
        if (width > room + kTolerance)
            Report(context, layout, button,
                   "layout '" + std::string(layout.name.c_str()) + "': the button '" + Narrow(PathOf(button)) +
                       "' is " + std::to_string(static_cast<int>(button.GetWidth())) + " px wide; its text \"" +
                       Narrow(button.GetText()) + "\" needs " + std::to_string(static_cast<int>(width)) +
                       " px and its margins " + std::to_string(static_cast<int>(2.0f * kButtonMargin)));
    }
};
} // namespace

std::unique_ptr<Check> MakeTextFitCheck()
{
    return std::make_unique<TextFitCheck>();
}
} // namespace Corvane::DataCheck
