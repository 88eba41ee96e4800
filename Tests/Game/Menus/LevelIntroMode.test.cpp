// The level intro over a new level screen, on the intro test levels (Tests/Data/Intro) through the
// real start of a level: the title card, one host line per advance, the flavour and combo cards
// with their ingredient pictures and name popups, the ready card and the close, the title card's
// own advance, and levels whose intro record is missing or empty.
#include "Game/Kitchen/KitchenTest.h"

#include "Framework/CommandLine.h"
#include "Framework/Looper.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Menus/CutsceneMode.h"
#include "Game/Menus/LevelIntroMode.h"
#include "Graphics/IImage.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "Support/GoldenFrame.h"

#include <cmath>
#include <typeinfo>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// The intro test levels by index of their level order.
constexpr int kLines = 0;    // episode 1's first: three lines, a flavour, a long and a missing combo
constexpr int kNoFlavor = 1; // episode 1's second: one line, flavour "None"
constexpr int kEmpty = 2;    // episode 1's elimination: no lines, no flavour, a missing combo
constexpr int kNoRecord = 3; // no episode, no intro record

const std::string kNext = "Intro/NextButton";
const std::string kFlavor = "Intro/Player/Flavor";
const std::string kCombo = "Intro/Player/Combo";

int Updates(const char* seconds)
{
    return static_cast<int>(std::lround(ResourceManager::GetValue<float>(Label(seconds), -1.0f) * 50.0f));
}

IImage* Picture(const char* ingredient)
{
    return ResourceManager::Get<IImage>(Label::Format("%s_Image", ingredient)).Get();
}

class LevelIntro : public KitchenTest
{
protected:
    // The intro test levels, or the levels options name.
    explicit LevelIntro(const KitchenRig::Options& options = {1, CORVANE_TEST_DATA "/Intro"}) : KitchenTest(options) {}

    // Starts the level as the challenge select does and closes the episode's cutscene over the
    // intro; the intro, entered, or null.
    LevelIntroMode* Open(int index)
    {
        LevelProgressManager* progress = LevelProgressManager::Instance();
        progress->SetCurrentLevelIndex(index);
        progress->StartLevel();
        rig.Step();
        if (rig.TopAs<CutsceneMode>())
            rig.PopTop();
        return rig.TopAs<LevelIntroMode>();
    }
    bool Shown(const std::string& path) const
    {
        const SceneNode* node = rig.FindNode(path);
        return node && node->IsVisible();
    }
    // The cards shown, as the names of the visible groups.
    std::string Cards() const
    {
        std::string cards;
        for (const char* card : {"TitleCard", "Veyla", "Player"})
            if (Shown(std::string("Intro/") + card))
                cards += std::string(cards.empty() ? "" : " ") + card;
        if (Shown("Intro/Player"))
            cards += std::string(Shown(kFlavor) ? "+Flavor" : "") + (Shown(kCombo) ? "+Combo" : "");
        return cards;
    }
    std::wstring HostLine() const { return Text("Intro/Veyla/Text"); }
    std::wstring Thought() const { return Text("Intro/Player/Text"); }
    StaticSpriteNode* Sprite(const std::string& path) const
    {
        return dynamic_cast<StaticSpriteNode*>(rig.FindNode(path));
    }
    // The pictures of a combo row, by child index.
    std::vector<IImage*> Row(const std::string& row) const
    {
        std::vector<IImage*> images;
        for (SceneNode* child : rig.FindNode(kCombo + "/" + row)->GetChildren())
            images.push_back(dynamic_cast<StaticSpriteNode*>(child)->GetImage());
        return images;
    }
    SceneNode* Popup() const
    {
        const SceneNode* layer = rig.FindNode("Intro/PopupAttachLayer");
        return layer && !layer->GetChildren().empty() ? layer->GetChildren().front() : nullptr;
    }
    void Next(int times = 1)
    {
        for (int i = 0; i < times; ++i)
        {
            rig.Click(kNext);
            rig.Step();
        }
    }
};
} // namespace

TEST_F(LevelIntro, ThreeHostLinesTakeThreeAdvancesThenTheFlavourComboAndReadyCardsAndTheIntroCloses)
{
    const LevelIntroMode* intro = Open(kLines);
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(rig.Modes(), (std::vector<std::string>{"GameMode", "LevelIntroMode"}));
    auto* game = dynamic_cast<GameMode*>(Corvane::Looper::GetInstance().GetModeStack().front());
    ASSERT_NE(game, nullptr);
    std::wstring clock;
    for (const std::string& path : {KitchenPaths::kMinutes, KitchenPaths::kSeconds})
        if (const auto* text = dynamic_cast<Corvane::IText*>(rig.FindNode(path, game->GetRootNode())))
            clock += text->GetText();
    EXPECT_EQ(clock, L"0:40") << "the level's whole time shows under the intro";
    EXPECT_EQ(GameAudioManager::GetInstance()->GetMusicState(), 4);
    EXPECT_EQ(Cards(), "TitleCard");
    EXPECT_TRUE(Shown("Intro/TitleCard/DC"));
    EXPECT_TRUE(Shown("Intro/TitleCard/FIRST"));
    EXPECT_FALSE(Shown("Intro/TitleCard/SECOND"));
    EXPECT_FALSE(Shown("Intro/TitleCard/EC"));

    for (const wchar_t* line : {L"First line.", L"Second line.", L"Third line."})
    {
        Next();
        EXPECT_EQ(Cards(), "Veyla");
        EXPECT_EQ(HostLine(), line);
        rig.Step(Updates("IntroCardSkipTimer") + 10);
        EXPECT_EQ(HostLine(), line) << "only the title card goes on by itself";
    }

    for (const char* ingredient : {"IntroPea", "IntroBean", "IntroLeek"})
        ASSERT_NE(Picture(ingredient), nullptr) << "the level's picture of " << ingredient;
    Next();
    EXPECT_EQ(Cards(), "Player+Flavor");
    EXPECT_EQ(Thought(), LocalizedText::GetText(Label("LevelIntro.FlavorText"))
                             .replace(LocalizedText::GetText(Label("LevelIntro.FlavorText")).find(L"%1%"), 3,
                                      LocalizedText::GetAttributeLabelText("Fresh")));
    const struct
    {
        const char* node;
        const char* ingredient; // null: no picture, left as the layout has it
    } flavor[] = {{"Ing_1", "IntroPea"}, {"Ing_2", nullptr}, {"Ing_3", "IntroBean"}, {"Ing_4", "IntroLeek"}};
    for (const auto& slot : flavor)
    {
        StaticSpriteNode* sprite = Sprite(kFlavor + "/" + slot.node);
        ASSERT_NE(sprite, nullptr) << slot.node;
        EXPECT_EQ(sprite->GetImage(), slot.ingredient ? Picture(slot.ingredient) : nullptr) << slot.node;
        EXPECT_EQ(sprite->GetHitTest(), slot.ingredient != nullptr) << slot.node;
    }

    Next();
    EXPECT_EQ(Cards(), "Player+Combo");
    EXPECT_EQ(Thought(), LocalizedText::GetText(Label("LevelIntro.ComboText")));
    // Seven ingredients for five pictures; the second has no picture and leaves its place empty.
    EXPECT_EQ(Row("Combo_1"), (std::vector<IImage*>{Picture("IntroPea"), nullptr, Picture("IntroBean"),
                                                    Picture("IntroLeek"), Picture("IntroPea")}));
    EXPECT_EQ(Row("Combo_2"), std::vector<IImage*>(5, nullptr)) << "a combo without a record fills nothing";

    Next();
    EXPECT_EQ(Cards(), "Player");
    EXPECT_EQ(Thought(), LocalizedText::GetText(Label("LevelIntro.ReadyText")));
    Next();
    EXPECT_EQ(rig.Modes(), std::vector<std::string>{"GameMode"});
}

TEST_F(LevelIntro, OnlyTheTitleCardAdvancesByItselfAndAnEarlierAdvanceShowsTheFirstLineOnce)
{
    // By itself.
    LevelIntroMode* intro = Open(kLines);
    ASSERT_NE(intro, nullptr);
    const int skip = Updates("IntroCardSkipTimer");
    ASSERT_GT(skip, 2);
    rig.Step(skip - 2);
    EXPECT_EQ(Cards(), "TitleCard");
    rig.Step(4);
    EXPECT_EQ(Cards(), "Veyla");
    EXPECT_EQ(HostLine(), L"First line.");
    EXPECT_EQ(intro->GetPendingLineCount(), 2u);

    // Next before the timer, then the timer's time passes: still the first line.
    rig.PopTop();
    intro = Open(kLines);
    ASSERT_NE(intro, nullptr);
    Next();
    rig.Step(skip + 10);
    EXPECT_EQ(HostLine(), L"First line.");
    EXPECT_EQ(intro->GetPendingLineCount(), 2u);

    // A press on the title itself advances too.
    rig.PopTop();
    intro = Open(kLines);
    ASSERT_NE(intro, nullptr);
    rig.Click("Intro/TitleCard/DC");
    rig.Step();
    EXPECT_EQ(HostLine(), L"First line.");
    rig.Step(skip + 10);
    EXPECT_EQ(intro->GetPendingLineCount(), 2u);
}

TEST_F(LevelIntro, TheIngredientPopupShowsOnlyAfterItsDelayWhileThePointerStays)
{
    ASSERT_NE(Open(kLines), nullptr);
    Next(4);
    ASSERT_EQ(Cards(), "Player+Flavor");
    SceneNode* popup = Popup();
    ASSERT_NE(popup, nullptr);
    const int delay = Updates("PopupDelayTime");
    ASSERT_GT(delay, 2);

    // Left before the delay: never shown.
    rig.Move(kFlavor + "/Ing_1");
    rig.Step(delay - 2);
    EXPECT_FALSE(popup->IsVisible());
    rig.MoveTo(400, 590);
    rig.Step(delay * 3);
    EXPECT_FALSE(popup->IsVisible());

    // Stayed: shown after the delay, with the name, beside the picture.
    rig.Move(kFlavor + "/Ing_3");
    rig.Step(delay - 2);
    EXPECT_FALSE(popup->IsVisible());
    rig.Step(4);
    EXPECT_TRUE(popup->IsVisible());
    EXPECT_EQ(Text("Intro/PopupAttachLayer/IngredientDataPopup/bubbleBG/IngredientName"), L"Runner Bean");
    SceneNode* name = rig.FindNode("Intro/PopupAttachLayer/IngredientDataPopup/bubbleBG/IngredientName");
    ASSERT_NE(name, nullptr);
    EXPECT_FLOAT_EQ(rig.FindNode("Intro/PopupAttachLayer/IngredientDataPopup/bubbleBG")->GetWidth(),
                    name->GetWidth() + 20.0f);
    const auto offset = ResourceManager::GetValue<Vector2<float>>(Label("PantryItemPopupOffset"), {-1, -1});
    const Vector2<float> picture = rig.FindNode(kFlavor + "/Ing_3")->GetWorldPosition();
    EXPECT_EQ(popup->GetWorldPosition(), (Vector2<float>{picture.x + offset.x, picture.y + offset.y}));

    rig.MoveTo(400, 590);
    rig.Step();
    EXPECT_FALSE(popup->IsVisible()) << "leaving hides it at once";
}

namespace
{
// A node that draws something of its own (a picture, a text, a button) and is shown, with its
// world rectangle; group nodes draw nothing.
struct Drawn
{
    std::string name;
    Rect<float> rect;
};

void CollectDrawn(SceneNode& node, std::vector<Drawn>& drawn)
{
    if (!node.IsVisible())
        return;
    const Vector2<float> at = node.GetWorldPosition();
    const Vector2<float> scale = node.GetWorldScale();
    if (typeid(node) != typeid(SceneNode) && node.GetWidth() > 0.0f && node.GetHeight() > 0.0f)
        drawn.push_back({node.GetName().c_str(), {at.x, at.y, node.GetWidth() * scale.x, node.GetHeight() * scale.y}});
    for (SceneNode* child : node.GetChildren())
        CollectDrawn(*child, drawn);
}

const std::string kCook = "GameScreenRoot/Playfield_attach/FennikPlayfield/PlayerAttach/PlayerAvatar/animationNode";

// The campaign's own levels and intros.
class CampaignIntro : public LevelIntro
{
protected:
    CampaignIntro() : LevelIntro(KitchenRig::Options{1, ""}) {}
};
} // namespace

// The level screen names its first dish in the host's "Next up" bubble while its intro is shown
// over it: no card of any level's intro may hide any of it, and it hides none of the cook.
TEST_F(CampaignIntro, NoCardOfAnyLevelsIntroCoversTheNextDishBubbleBelowIt)
{
    const int levels = static_cast<int>(LevelProgressManager::Instance()->GetLevelOrder().size());
    ASSERT_GT(levels, 0);
    for (int level = 0; level < levels; ++level)
    {
        SCOPED_TRACE(LevelProgressManager::Instance()->GetLevelOrder()[level].c_str());
        ASSERT_NE(Open(level), nullptr);
        auto* game = dynamic_cast<GameMode*>(Looper::GetInstance().GetModeStack().front());
        ASSERT_NE(game, nullptr);
        SceneNode* popup = rig.FindNode("GameScreenRoot/FX_Layer/NextRecipePopup", game->GetRootNode());
        ASSERT_NE(popup, nullptr) << "the first dish is named under the intro";
        std::vector<Drawn> below;
        CollectDrawn(*popup, below);
        ASSERT_GE(below.size(), 4u) << "the bubble, its tail, the dish's name and the click line";
        // Only the bubble's tail reaches the cook it points at.
        const Rect<float> cook = rig.FindNode(kCook, game->GetRootNode())->GetBounds();
        for (const Drawn& shown : below)
            EXPECT_TRUE(shown.name == "attachBubble" || Rect<float>::Intersect(cook, shown.rect).IsEmpty())
                << "'" << shown.name << "' covers the cook";
        int cards = 0;
        for (; rig.TopAs<LevelIntroMode>() && cards < 12; ++cards)
        {
            std::vector<Drawn> above;
            CollectDrawn(*rig.FindNode("Intro"), above);
            for (const Drawn& card : above)
                for (const Drawn& shown : below)
                    EXPECT_TRUE(Rect<float>::Intersect(card.rect, shown.rect).IsEmpty())
                        << "card " << cards << ": '" << card.name << "' covers '" << shown.name << "'";
            Next();
        }
        EXPECT_EQ(rig.Modes(), std::vector<std::string>{"GameMode"}) << "the intro closed after " << cards << " cards";
    }
}

struct ShortIntroCase
{
    const char* name;
    int level;
    const char* title;       // the title shown
    const char* cardsAfter1; // the cards after the first advance
    int advancesToClose;
};

class ShortIntro : public LevelIntro, public testing::WithParamInterface<ShortIntroCase>
{
};

TEST_P(ShortIntro, MissingOrEmptyPartsAreSkippedAndTheIntroStillReachesTheReadyCardAndCloses)
{
    const ShortIntroCase& c = GetParam();
    ASSERT_NE(Open(c.level), nullptr);
    EXPECT_TRUE(Shown(std::string("Intro/TitleCard/") + c.title));
    EXPECT_FALSE(Shown(std::string("Intro/TitleCard/") + (std::string(c.title) == "EC" ? "DC" : "EC")));
    Next();
    EXPECT_EQ(Cards(), c.cardsAfter1);
    for (int i = 1; i < c.advancesToClose - 1; ++i)
        Next();
    EXPECT_EQ(Thought(), LocalizedText::GetText(Label("LevelIntro.ReadyText")));
    EXPECT_EQ(rig.Modes(), (std::vector<std::string>{"GameMode", "LevelIntroMode"}));
    Next();
    EXPECT_EQ(rig.Modes(), std::vector<std::string>{"GameMode"});
}

INSTANTIATE_TEST_SUITE_P(LevelIntro, ShortIntro,
                         testing::Values(
                             // One line, then "None" goes straight to the combo card.
                             ShortIntroCase{"NoFlavor", kNoFlavor, "SECOND", "Veyla", 4},
                             // No line: the host's card is passed over; no flavour; a combo without record.
                             ShortIntroCase{"EmptyRecord", kEmpty, "EC", "Player+Combo", 3},
                             // No record and no episode: an elimination's title.
                             ShortIntroCase{"NoRecord", kNoRecord, "EC", "Player+Combo", 3}),
                         [](const testing::TestParamInfo<ShortIntroCase>& info) { return info.param.name; });

namespace
{
// The rig's runs draw with the program's software renderer while the fixture lives.
class LevelIntroCapture : public LevelIntro
{
protected:
    LevelIntroCapture() : mPrevious(GetCommandLine()) {}
    ~LevelIntroCapture() override { SetCommandLine(mPrevious); }
    void SetUp() override
    {
        // The rig is already up: it is started again on the software renderer.
        SetCommandLine(mPrevious + L" -software");
        rig.Restart();
    }

private:
    std::wstring mPrevious;
};
} // namespace

TEST_F(LevelIntroCapture, TheFlavourCardWithAnIngredientsPopupMatchesItsGoldenCapture)
{
    ASSERT_NE(Open(kLines), nullptr);
    // The level screen below waits at its start: its send button is held at its place.
    auto* level = dynamic_cast<GameMode*>(Looper::GetInstance().GetModeStack().front());
    ASSERT_NE(level, nullptr);
    auto* list = dynamic_cast<RecipeList*>(level->FindByName(RecipeList::Name()));
    ASSERT_NE(list, nullptr);
    SceneNode* button = list->GetNode()->FindByPath(NodePath{"NextStepButton"});
    ASSERT_NE(button, nullptr);
    button->GetTasks().EndAll();
    button->SetPosition({4.0f, 4.0f});
    Next(4);
    ASSERT_EQ(Cards(), "Player+Flavor");
    rig.Move(kFlavor + "/Ing_3");
    rig.Step(Updates("PopupDelayTime") + 5);
    ASSERT_TRUE(Popup()->IsVisible());
    // The card stands still from here.
    rig.Step(20);
    Compat::ForgetPresentedFrames();
    rig.DrawNow();
    ASSERT_GT(Compat::CountPresentedFrames(), 0);
    CompareWithGolden(Compat::GetLastPresentedFrame(), CORVANE_TEST_DATA "/Intro/FlavorCard.png");
}
