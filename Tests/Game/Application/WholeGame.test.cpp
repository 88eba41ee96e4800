// The game played from its first start as far as its screens go, headless, on the game's own data:
// the real start-up and main loop (the kitchen rig), random stream 0, every press sent through the
// window at a node found by path, and the mode stack checked at each step.
#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/LevelRecord.h"
#include "Game/Kitchen/KitchenTest.h"
#include "Game/Menus/CutsceneMode.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Game/Menus/LevelOutroMode.h"
#include "Game/Menus/LevelSelectMode.h"
#include "Game/Menus/TutorialMode.h"
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
        rig.Step(2);
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

TEST_F(WholeGame, AFirstStartNamesTheCookPicksTheFirstChallengeCooksItAndMovesOnToTheNext)
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
    // Whatever the level start put between (the level intro, once it exists) is closed as its
    // own way out would.
    ASSERT_GE(rig.StepUntil(
                  [&] {
                      if (!rig.TopAs<GameMode>())
                          rig.PopTop();
                      return rig.TopAs<GameMode>() != nullptr;
                  },
                  10),
              0);
    EXPECT_EQ(rig.Modes(), Names{"GameMode"});
    game = rig.TopAs<GameMode>();

    // The first challenge: its first dish cooked to the end, then the rest until the outro, with
    // the tutorial's tips read as they come.
    EXPECT_EQ(Text(KitchenPaths::kPopupDishName), L"Tomato Soup");
    CloseRecipePopup();
    EXPECT_GT(mTipPages, 0) << "a first level opens with tips";
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
        EXPECT_EQ(rig.Modes().front(), "GameMode");
        if (rig.TopAs<FinishedDishMode>())
        {
            rig.PopTop();
            const auto next = [&] {
                ReadTips();
                return game->GetPopup() != kNoObject || rig.TopAs<LevelOutroMode>();
            };
            if (rig.StepUntil(next, 200) >= 0 && !rig.TopAs<LevelOutroMode>())
                CloseRecipePopup();
        }
    }
    ASSERT_NE(rig.TopAs<LevelOutroMode>(), nullptr) << "the level ended";
    EXPECT_EQ(rig.Modes(), (Names{"GameMode", "LevelOutroMode"}));
    const LevelRecord saved = LevelProgressManager::Instance()->GetLevelRecord(Label("Level_1_1"));
    EXPECT_GT(saved.bestScore, 0) << "the run was recorded";

    // What the judges do once they have spoken: the next challenge starts, without the intro.
    LevelProgressManager::Instance()->AdvanceAfterLevel();
    rig.Step(2);
    EXPECT_EQ(LevelProgressManager::Instance()->GetCurrentLevelID(), Label("Level_1_2"));
    EXPECT_EQ(rig.Modes().front(), "GameMode");
    EXPECT_EQ(rig.TopAs<CutsceneMode>(), nullptr);

    // The pause menu over the next challenge, and back.
    while (!rig.TopAs<GameMode>())
        rig.PopTop();
    rig.KeyCode(27);
    rig.Step();
    EXPECT_EQ(rig.Modes(), (Names{"GameMode", "InGameMenuMode"}));
    rig.PopTop();
    EXPECT_EQ(rig.Modes(), Names{"GameMode"});

    // The end of the program: the profile holds the first challenge's record and the tips seen.
    rig.Stop();
    const std::string profile = ProfileFile("Ann");
    ASSERT_FALSE(profile.empty()) << "the profile was saved";
    EXPECT_NE(profile.find("Level_1_1"), std::string::npos);
    EXPECT_NE(profile.find("TutorialData"), std::string::npos) << "the tips seen are remembered";
}
} // namespace
