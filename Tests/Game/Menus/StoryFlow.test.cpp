// The story and reference screens as a player meets them, on the built data with a fresh profile:
// the help and the credits from the main menu, and the first level's start, which plays the
// episode's intro cutscene line by line.
#include "Framework/ISoundChannel.h"
#include "Framework/ObjectMessage.h"
#include "Framework/ResourceManager.h"
#include "Game/Data/GameRecords.h"
#include "Game/Menus/CreditsMode.h"
#include "Game/Menus/CutsceneMode.h"
#include "Game/Menus/HelpMode.h"
#include "GameFlow.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/RadioButtonNode.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr int kLeftKey = 37;
const NodePath kCutsceneRoot = PathOf({"CutsceneMode"});

class StoryFlow : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!GameFlow::IsDataBuilt())
            GTEST_SKIP() << "the data folder is not built: " << GameFlow::DataFolder();
        ASSERT_TRUE(game.Start()) << "the title screen never came";
        ASSERT_TRUE(game.EnterMainMenu(L"Ann"));
    }

    bool Press(const char* name) { return game.ClickNode(game.Named(name)); }
    // The node names of the visible children of the node at path.
    std::vector<std::string> Shown(const NodePath& path) const
    {
        std::vector<std::string> names;
        if (const SceneNode* parent = game.Find(path))
            for (const SceneNode* child : parent->GetChildren())
                if (child->IsVisible())
                    names.push_back(child->GetNodeName().c_str());
        return names;
    }
    std::vector<std::string> CheckedTopics() const
    {
        std::vector<std::string> names;
        for (const char* tab : {"BasicsButton", "TipsButton", "PantryButton", "RecipesButton", "StationsButton",
                                "DishDisplayButton", "Scoring1Button", "Scoring2Button", "PowerUps"})
            if (const auto* button = game.Named<RadioButtonNode>(tab); button && button->IsChecked())
                names.push_back(tab);
        return names;
    }

    GameFlow game;
};

// What the level flow opens over a pause menu in the kitchen: a screen the help goes back to.
class PauseStandIn : public SceneApplicationMode
{
};
} // namespace

TEST_F(StoryFlow, TheHelpOpensOnTheBasicsShowsOneTopicPerTabAndGoesBackToWhicheverScreenOpenedIt)
{
    ASSERT_TRUE(Press("HelpButton"));
    game.Tick();
    ASSERT_NE(game.Top<HelpMode>(), nullptr);
    EXPECT_EQ(game.Stack(), (std::vector<std::string>{"MainMenuMode", "HelpMode"}));
    EXPECT_FALSE(game.Top<HelpMode>()->IsOpaque()) << "drawn over the screen that opened it";
    EXPECT_EQ(CheckedTopics(), std::vector<std::string>{"BasicsButton"});
    EXPECT_EQ(Shown(ScreenPaths::Help::kScreens), std::vector<std::string>{"Basics"})
        << "the topic shown first is the one checked";

    const struct
    {
        const char* control;
        const char* screen;
    } steps[] = {{"TipsButton", "Tips"},
                 {"PantryButton", "Pantry"},
                 {"RecipesButton", "Recipes"},
                 {"StationsButton", "Stations_1"},
                 {"nextPage", "Stations_2"},
                 {"previousPage", "Stations_1"},
                 {"DishDisplayButton", "DishDisplay"},
                 {"Scoring1Button", "Scoring1"},
                 {"Scoring2Button", "Scoring2"},
                 {"PowerUps", "PowerUps"},
                 {"BasicsButton", "Basics"}};
    for (const auto& step : steps)
    {
        ASSERT_TRUE(Press(step.control)) << step.control;
        EXPECT_EQ(Shown(ScreenPaths::Help::kScreens), std::vector<std::string>{step.screen}) << step.control;
    }
    EXPECT_EQ(CheckedTopics(), std::vector<std::string>{"BasicsButton"});

    // A message of the other kind from a known control, or an unknown one, changes nothing.
    HelpMode& help = *game.Top<HelpMode>();
    const struct
    {
        const char* message;
        const char* sender;
    } strays[] = {{"ButtonClick", "TipsButton"},
                  {"RadioButtonClick", "nextPage"},
                  {"RadioButtonClick", "BackButton"},
                  {"SliderChange", "StationsButton"}};
    for (const auto& stray : strays)
    {
        help.OnMessage(ObjectMessage(game.Named(stray.sender)->GetID(), Label(stray.message)));
        EXPECT_EQ(Shown(ScreenPaths::Help::kScreens), std::vector<std::string>{"Basics"}) << stray.sender;
        EXPECT_EQ(game.Top<HelpMode>(), &help) << stray.sender;
    }

    ASSERT_TRUE(Press("BackButton"));
    game.Tick();
    EXPECT_EQ(game.Stack(), std::vector<std::string>{"MainMenuMode"});
    EXPECT_EQ(game.Starts("MUSIC_MainMenu"), 1) << "the help keeps the menu music";

    // Over the kitchen's pause menu, Back returns there.
    Looper::GetInstance().QueueRequest(new PauseStandIn, kModePush);
    Looper::GetInstance().QueueRequest(new HelpMode, kModePush);
    game.Tick();
    ASSERT_NE(game.Top<HelpMode>(), nullptr);
    game.Key(27); // Back's hot key
    game.Tick();
    EXPECT_NE(game.Top<PauseStandIn>(), nullptr);
}

TEST_F(StoryFlow, TheCreditsStandAloneTurnSixPagesWithinTheirEndsAndGoBackToAMainMenuAlone)
{
    ASSERT_TRUE(Press("CreditsButton"));
    game.Tick();
    ASSERT_NE(game.Top<CreditsMode>(), nullptr);
    EXPECT_EQ(game.Stack(), std::vector<std::string>{"CreditsMode"});
    EXPECT_FALSE(game.Top<CreditsMode>()->IsOpaque());

    const std::vector<std::string> pages = {"TRVL_1", "TRVL_2", "Partner_1", "Partner_2", "Partner_3", "Partner_4"};
    // Right to the end and one more (the disabled arrow takes no click), then back to the start.
    std::vector<std::pair<const char*, int>> clicks;
    for (int page = 1; page <= 6; ++page)
        clicks.emplace_back("RightArrow", std::min(page, 5));
    for (int page = 4; page >= -1; --page)
        clicks.emplace_back("LeftArrow", std::max(page, 0));
    const auto expectPage = [&](int page, const std::string& after) {
        EXPECT_EQ(game.Top<CreditsMode>()->GetPage(), page) << after;
        EXPECT_EQ(Shown(ScreenPaths::Credits::kTextImages), std::vector<std::string>{pages[page]}) << after;
        EXPECT_EQ(game.Named<ButtonNode>("LeftArrow")->IsEnabled(), page > 0) << after;
        EXPECT_EQ(game.Named<ButtonNode>("RightArrow")->IsEnabled(), page < 5) << after;
    };
    expectPage(0, "entering");
    for (const auto& [arrow, page] : clicks)
    {
        ASSERT_TRUE(Press(arrow));
        expectPage(page, arrow);
    }
    // The left arrow's key still clicks it on page 0: the page stays.
    game.Key(kLeftKey);
    expectPage(0, "the left key on page 0");

    ASSERT_TRUE(Press("MainMenu"));
    game.Tick();
    EXPECT_EQ(game.Stack(), std::vector<std::string>{"MainMenuMode"});
    EXPECT_FALSE(game.Top<MainMenuMode>()->HasEntrance());
}

TEST_F(StoryFlow, StartingTheFirstLevelPlaysTheEpisodesIntroCutsceneLineByLineOverTheLevelStart)
{
    LevelProgressManager& progress = *LevelProgressManager::Instance();
    ASSERT_EQ(progress.GetCurrentLevelIndex(), 0) << "a fresh profile starts at the first level";
    progress.StartLevel();
    game.Tick();
    auto* cutscene = game.Top<CutsceneMode>();
    ASSERT_NE(cutscene, nullptr);
    // The level's screens (those the game has) below the cutscene.
    std::vector<std::string> below = game.Stack();
    below.pop_back();
    EXPECT_NE(below.front(), "MainMenuMode") << "the level start replaced the menus";
    const CutsceneData* record = ResourceManager::Get<CutsceneData>(cutscene->GetCutsceneName()).Get();
    ASSERT_NE(record, nullptr) << cutscene->GetCutsceneName().c_str();
    EXPECT_EQ(GameAudioManager::GetInstance()->GetMusicState(), 6);
    EXPECT_EQ(game.Starts("MUSIC_Cutscene_1") + game.Starts("MUSIC_Cutscene_2") + game.Starts("MUSIC_Cutscene_3"), 1);

    const ImageList* sides[] = {ResourceManager::Get<ImageList>("CutsceneCharState_Left").Get(),
                                ResourceManager::Get<ImageList>("CutsceneCharState").Get()};
    const auto pictureOf = [&sides](int side, CutsceneCharState state) {
        return state == kCharNone ? nullptr : sides[side]->GetImage(state);
    };
    for (std::size_t line = 0; line < record->prompts.size(); ++line)
    {
        const CutscenePrompt& prompt = record->prompts[line];
        if (line > 0)
        {
            ASSERT_TRUE(Press("NextButton"));
        }
        const bool right = prompt.speaker == kCutsceneRight;
        const NodePath& bubble = right ? ScreenPaths::Cutscene::kBubbleRight : ScreenPaths::Cutscene::kBubbleLeft;
        ASSERT_TRUE(game.TickUntil([&] { return game.Find(bubble)->IsVisible(); }, 100)) << "line " << line;
        EXPECT_EQ(Shown(kCutsceneRoot),
                  (std::vector<std::string>{"BG", "Character_Left", "Character_Right",
                                            right ? "TextBubble_Right" : "TextBubble_Left", "SkipButton",
                                            "Skip_RolloverAnim", "NextButton", "Next_RolloverAnim"}))
            << "one bubble, line " << line;
        const std::wstring text =
            game.Find<StyledTextSpriteNode>(right ? ScreenPaths::Cutscene::kBubbleTextRight
                                                  : ScreenPaths::Cutscene::kBubbleTextLeft)
                ->GetText();
        EXPECT_EQ(text, LocalizedText::GetCutsceneText(prompt.textID));
        EXPECT_EQ(text.find(L"Not Found"), std::wstring::npos) << "line " << line;
        game.Tick(30); // the walks have ended
        EXPECT_EQ(game.Find<StaticSpriteNode>(ScreenPaths::Cutscene::kCharacterLeft)->GetImage(),
                  pictureOf(0, prompt.leftChar))
            << "line " << line;
        EXPECT_EQ(game.Find<StaticSpriteNode>(ScreenPaths::Cutscene::kCharacterRight)->GetImage(),
                  pictureOf(1, prompt.rightChar))
            << "line " << line;
    }
    ASSERT_TRUE(Press("NextButton"));
    game.Tick();
    EXPECT_EQ(game.Top<CutsceneMode>(), nullptr) << "the click after the last line closes it";
    EXPECT_EQ(game.Stack(), below);
}
