// The game played from its first start to its end, headless, on the game's own data: the real
// start-up and main loop (the kitchen rig), random stream 0, every press sent through the window at
// a node found by path, and the mode stack checked at each step.
#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/LevelRecord.h"
#include "Game/Kitchen/KitchenTest.h"
#include "Framework/Looper.h"
#include "Game/Judging/JudgingMode.h"
#include "Game/Menus/CutsceneMode.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Game/Menus/LevelIntroMode.h"
#include "Game/Menus/LevelOutroMode.h"
#include "Game/Menus/LevelSelectMode.h"
#include "Game/Menus/TutorialMode.h"
#include "SceneGraph/CheckBoxNode.h"
#include "SceneGraph/RadioButtonNode.h"

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Names = std::vector<std::string>;

class WholeGame : public KitchenTest
{
protected:
    WholeGame() : KitchenTest({0, ""}) {}

    // Clicks the node and steps until the stack is modes; false when it never was.
    bool ClickTo(const std::string& path, const Names& modes, int limit = 200)
    {
        if (!rig.FindNode(path))
            return false;
        rig.Click(path);
        return rig.StepUntil([&] { return rig.Modes() == modes; }, limit) >= 0;
    }
    // Next through the cutscene on top until it closes; the lines it played.
    int PlayCutscene()
    {
        int lines = 0;
        for (; lines < 20 && rig.TopAs<CutsceneMode>(); ++lines)
        {
            rig.Step(40);
            rig.Click("CutsceneMode/NextButton");
            rig.Step();
        }
        return lines;
    }
    // Turns the pages of the tips on top until the level screen is back on top.
    void ReadTips()
    {
        for (int page = 0; page < 50 && rig.TopAs<TutorialMode>(); ++page)
        {
            rig.Step(5);
            rig.Click("TutorialBubble/bubbleBG/MoreButton");
            rig.Step();
            ++mTipPages;
        }
    }
    // The next recipe's popup closed by a click once its guard has passed, and the tips it brings
    // read.
    void CloseRecipePopup()
    {
        rig.Step(60);
        rig.Click(KitchenPaths::kPopupBG);
        // A tip waits until the click has rested a second.
        rig.Step(55);
        ReadTips();
        ASSERT_FALSE(game->IsPaused()) << "the popup did not close";
    }
    // The account file of the profile named name, as text.
    std::string ProfileFile(const std::string& name) const
    {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(rig.UserData().Path()))
            if (entry.path().extension() == ".act")
            {
                std::ifstream in(entry.path(), std::ios::binary);
                const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
                if (content.find(name) != std::string::npos)
                    return content;
            }
        return {};
    }

    int mTipPages = 0;
};

TEST_F(WholeGame, AFirstStartNamesTheCookWinsTheFirstChallengeStartsTheNextAndQuitsFromTheMainMenu)
{
    // The title, and the first start's name.
    ASSERT_EQ(rig.Modes(), Names{"TitleMode"});
    rig.Step(60);
    ASSERT_TRUE(ClickTo("TitleMode/StartButtonRoot/StartButton", {"TitleMode", "EditAccountMode"}));
    rig.Step(40);
    for (int i = 0; i < 20; ++i)
        rig.KeyCode(8); // Backspace
    rig.Type("Ann");
    ASSERT_TRUE(ClickTo("NewProfileMode/OkButton", {"MainMenuMode"}));
    rig.Step(60);

    // The main menu's help and back, then Play: the challenge select alone.
    ASSERT_TRUE(ClickTo("MainMenuMode/Buttons/HelpButton", {"MainMenuMode", "HelpMode"}));
    ASSERT_TRUE(ClickTo("HelpMode/BackButton", {"MainMenuMode"}));
    ASSERT_TRUE(ClickTo("MainMenuMode/Buttons/PlayButton", {"LevelSelectMode"}));
    const auto* first = dynamic_cast<RadioButtonNode*>(rig.FindNode(
        "LevelSelectMode/EpisodeAttach_1/EpisodeFrame/unlocked/ChallengeButtons/DZ_1/Level_1_1"));
    ASSERT_NE(first, nullptr) << "the first challenge has its button";
    EXPECT_TRUE(first->IsChecked());
    // Out to the main menu and back.
    ASSERT_TRUE(ClickTo("LevelSelectMode/MainMenuButton", {"MainMenuMode"}));
    ASSERT_TRUE(ClickTo("MainMenuMode/Buttons/PlayButton", {"LevelSelectMode"}));

    // Play: the level screen at the bottom, the episode's intro cutscene on top.
    rig.Click("LevelSelectMode/PlayButton");
    rig.Step(2);
    Names modes = rig.Modes();
    ASSERT_GE(modes.size(), 2u);
    EXPECT_EQ(modes.front(), "GameMode");
    ASSERT_NE(rig.TopAs<CutsceneMode>(), nullptr);
    EXPECT_EQ(rig.TopAs<CutsceneMode>()->GetCutsceneName(), Label("Episode1_Intro"));
    EXPECT_EQ(PlayCutscene(), 5) << "one Next per line";
    // The level intro's cards, one Next each, back to the level screen.
    ASSERT_NE(rig.TopAs<LevelIntroMode>(), nullptr) << "the intro follows the cutscene";
    EXPECT_EQ(rig.Modes(), (Names{"GameMode", "LevelIntroMode"}));
    for (int card = 0; card < 20 && rig.TopAs<LevelIntroMode>(); ++card)
    {
        rig.Step(40);
        rig.Click("Intro/NextButton");
        rig.Step();
    }
    EXPECT_EQ(rig.Modes(), Names{"GameMode"});
    game = rig.TopAs<GameMode>();
    ASSERT_NE(game, nullptr);

    // The first challenge: its first dish cooked to the end, then the rest until the outro, with
    // the tutorial's tips read as they come and each finished dish's popup leaving by its timer.
    EXPECT_EQ(Text(KitchenPaths::kPopupDishName), L"Tomato Soup");
    CloseRecipePopup();
    EXPECT_GT(mTipPages, 0) << "a first level opens with tips";
    int finishedPopups = 0;
    for (int dish = 0; dish < 5 && !rig.TopAs<LevelOutroMode>(); ++dish)
    {
        FinishCurrentDish();
        ASSERT_GE(rig.StepUntil(
                      [&] {
                          ReadTips();
                          return rig.TopAs<FinishedDishMode>() || rig.TopAs<LevelOutroMode>();
                      },
                      100),
                  0);
        if (!rig.TopAs<FinishedDishMode>())
            continue;
        ++finishedPopups;
        EXPECT_EQ(rig.Modes(), (Names{"GameMode", "FinishedDishMode"}));
        ASSERT_GE(rig.StepUntil([&] { return !rig.TopAs<FinishedDishMode>(); }, 1000), 0)
            << "the popup leaves by itself";
        const auto next = [&] {
            ReadTips();
            return game->GetPopup() != kNoObject || rig.TopAs<LevelOutroMode>();
        };
        if (rig.StepUntil(next, 400) >= 0 && !rig.TopAs<LevelOutroMode>())
            CloseRecipePopup();
    }
    EXPECT_GT(finishedPopups, 0) << "a finished dish is shown";
    ASSERT_NE(rig.TopAs<LevelOutroMode>(), nullptr) << "the level ended";
    EXPECT_EQ(rig.Modes(), (Names{"GameMode", "LevelOutroMode"}));
    const LevelRecord saved = LevelProgressManager::Instance()->GetLevelRecord(Label("Level_1_1"));
    EXPECT_GT(saved.bestScore, 0) << "the run was recorded";
    EXPECT_EQ(saved.completed, 1) << "the whole level played wins it";

    // The outro's button: the judges alone; every dish skipped, Ok starts the next challenge.
    rig.Step();
    ASSERT_TRUE(ClickTo("LevelOutro/JudgesTableButton", {"JudgingMode"}));
    EXPECT_EQ(rig.TopAs<JudgingMode>()->GetLevelScore(), saved.bestScore);
    rig.Click("JudgingMode/CommentDisplay/SkipAllDishesButton");
    rig.Step(260);
    ASSERT_NE(rig.FindNode("JudgingMode/ScoreDisplay/Judging_OkButton"), nullptr);
    rig.Click("JudgingMode/ScoreDisplay/Judging_OkButton");
    ASSERT_GE(rig.StepUntil([&] { return !rig.Modes().empty() && rig.Modes().front() == "GameMode"; }, 50), 0);
    EXPECT_EQ(LevelProgressManager::Instance()->GetCurrentLevelID(), Label("Level_1_2"));
    EXPECT_EQ(rig.TopAs<CutsceneMode>(), nullptr) << "no cutscene before a second challenge";
    for (int card = 0; card < 20 && rig.TopAs<LevelIntroMode>(); ++card)
    {
        rig.Step(40);
        rig.Click("Intro/NextButton");
        rig.Step();
    }
    ASSERT_GE(rig.StepUntil(
                  [&] {
                      ReadTips();
                      return rig.TopAs<GameMode>() != nullptr;
                  },
                  200),
              0);
    EXPECT_EQ(rig.Modes(), Names{"GameMode"});

    // The pause menu's way to the challenge select, out to the main menu, the options changed and
    // cancelled, the help, and the question before the end.
    rig.KeyCode(27);
    rig.Step();
    EXPECT_EQ(rig.Modes(), (Names{"GameMode", "InGameMenuMode"}));
    ASSERT_TRUE(ClickTo("PauseMode/ChallengeSelectButton", {"LevelSelectMode"}));
    ASSERT_TRUE(ClickTo("LevelSelectMode/MainMenuButton", {"MainMenuMode"}));
    rig.Step(60);
    const auto muteSound = [&] { return dynamic_cast<CheckBoxNode*>(rig.FindNode("OptionsMode/MuteSound")); };
    for (const bool change : {true, false})
    {
        ASSERT_TRUE(ClickTo("MainMenuMode/Buttons/OptionsButton", {"MainMenuMode", "MyOptionsMode"}));
        rig.Step(60);
        ASSERT_NE(muteSound(), nullptr);
        EXPECT_FALSE(muteSound()->IsChecked()) << "Cancel put the box back";
        if (change)
        {
            rig.Click("OptionsMode/MuteSound");
            EXPECT_TRUE(muteSound()->IsChecked());
        }
        ASSERT_TRUE(ClickTo("OptionsMode/CancelButton", {"MainMenuMode"}));
    }
    ASSERT_TRUE(ClickTo("MainMenuMode/Buttons/HelpButton", {"MainMenuMode", "HelpMode"}));
    ASSERT_TRUE(ClickTo("HelpMode/BackButton", {"MainMenuMode"}));
    ASSERT_TRUE(ClickTo("MainMenuMode/Buttons/QuitButton", {"MainMenuMode", "QuitConfirmMode"}));
    rig.Step(60);
    EXPECT_FALSE(Looper::GetInstance().IsQuitting());
    rig.Click("QuitConfirmMode/YesButton");
    EXPECT_TRUE(Looper::GetInstance().IsQuitting()) << "the main loop ends";

    // The end of the program: the profile holds the first challenge's record and the tips seen.
    rig.Stop();
    const std::string profile = ProfileFile("Ann");
    ASSERT_FALSE(profile.empty()) << "the profile was saved";
    EXPECT_NE(profile.find("Level_1_1"), std::string::npos);
    EXPECT_NE(profile.find("TutorialData"), std::string::npos) << "the tips seen are remembered";
}
} // namespace
