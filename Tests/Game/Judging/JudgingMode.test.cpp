// The judges' table on the game's data through the real loop, seeded, with the sounds recorded:
// the verdicts at the level's WinScore and ExpertScore, the dish by dish comments, the overview,
// the ways out, and a level played by script up to the next level.
#include "Game/Judging/JudgingMode.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Judging/JudgingDish.h"
#include "Game/Kitchen/KitchenTest.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Game/Menus/LevelOutroMode.h"
#include "Game/Menus/LevelSelectMode.h"
#include "SceneGraph/MaskedSpriteNode.h"

#include <algorithm>

using namespace Corvane;

namespace
{
// Levels of Tests/Data/Judging: episode 1 (two dishes, a soup twice, six dishes), episode 2 (two
// dishes with an unreachable WinScore, an unknown recipe and a salad, one salad). WinScore 500,
// ExpertScore 800 unless said.
constexpr int kTwoDishes = 0;
constexpr int kSoupTwice = 1;
constexpr int kSix = 2;
constexpr int kRoad = 3;
constexpr int kUnknown = 4;
constexpr int kWin = 500;
constexpr int kExpert = 800;

const std::string kRoot = "JudgingMode";
const std::string kNext = kRoot + "/CommentDisplay/NextDishButton";
const std::string kSkip = kRoot + "/CommentDisplay/SkipAllDishesButton";
const std::string kOk = kRoot + "/ScoreDisplay/Judging_OkButton";
const std::string kRetryWon = kRoot + "/ScoreDisplay/TryAgainButton";
const std::string kRetryLost = kRoot + "/Judging_LevelLost/TryAgainButton";
const std::string kChallengesLost = kRoot + "/Judging_LevelLost/ChallengeSelectButton";
const std::string kVeylaSays = kRoot + "/BG/VeylaText/FeedbackText";
const std::string kOrvelSays = kRoot + "/BG/OrvelText/FeedbackText";

const Label kSoup("Recipe_TomatoSoup");
const Label kSalad("Recipe_GardenSalad");

using Names = std::vector<std::string>;

class Judging : public KitchenTest
{
protected:
    Judging() : KitchenTest(Testing::KitchenRig::Options{7, CORVANE_TEST_DATA "/Judging"}) {}

    LevelProgressManager& Progress() { return *LevelProgressManager::Instance(); }

    // The soup cooked: three perfect steps worth points in all, completed.
    void CookSoup(int points)
    {
        Progress().RecordStepResult(kSoup, {true, Label("Tomato"), 4, points - 20});
        Progress().RecordStepResult(kSoup, {true, Label("Basil"), 1, 10});
        Progress().RecordStepResult(kSoup, {true, Label("Onion"), 4, 10});
        Progress().RecordCompletedDish(kSoup);
    }

    // Starts the level and puts the judges over it with the level score.
    JudgingMode* Judge(int level, int score, const std::function<void()>& results = {})
    {
        game = rig.StartLevel(level);
        if (!game)
            return nullptr;
        if (results)
            results();
        JudgingMode::ShowAfterLevel(score);
        rig.Step();
        EXPECT_EQ(rig.Modes(), Names{"JudgingMode"});
        return rig.TopAs<JudgingMode>();
    }

    bool Shown(const std::string& path) const
    {
        const SceneNode* node = rig.FindNode(path);
        return node && node->IsVisible();
    }

    // Clicks Next whenever a dish waits for it, until the overall verdict; the dishes judged.
    std::vector<Label> JudgeEveryDish(JudgingMode& judge)
    {
        std::vector<Label> judged;
        while (judge.GetVerdict() < 0)
        {
            if (rig.StepUntil([&] { return judge.IsWaitingForNext() || judge.GetVerdict() >= 0; }, 500) < 0)
            {
                ADD_FAILURE() << "the judging stands still";
                break;
            }
            if (judge.GetVerdict() >= 0)
                break;
            if (judged.empty() || judged.back() != judge.GetCurrentDish())
                judged.push_back(judge.GetCurrentDish());
            rig.Click(kNext);
        }
        return judged;
    }
};
} // namespace

TEST_F(Judging, OneBelowTheWinScoreSkipsTheDishesAndShowsTheLostCardAfterFiveSeconds)
{
    JudgingMode* judge = Judge(kTwoDishes, kWin - 1, [&] { CookSoup(300); });
    ASSERT_NE(judge, nullptr);
    EXPECT_EQ(judge->GetVerdict(), 0);
    EXPECT_EQ(judge->GetCurrentDish(), Label()) << "no dish was judged";
    EXPECT_FALSE(Shown(kRoot + "/CommentDisplay"));
    EXPECT_TRUE(Shown(kRoot + "/AllDishDisplay"));
    EXPECT_TRUE(Shown(kRoot + "/BG/OrvelText"));
    rig.Step(249);
    EXPECT_FALSE(Shown(kRoot + "/Judging_LevelLost"));
    rig.Step();
    EXPECT_TRUE(Shown(kRoot + "/Judging_LevelLost"));
    EXPECT_FALSE(Shown(kRoot + "/ScoreDisplay"));
    EXPECT_EQ(Text(kRoot + "/Judging_LevelLost/Bubble/playersScore"), L"499");
    EXPECT_EQ(Text(kRoot + "/Judging_LevelLost/Bubble/goal"), L"500");
    EXPECT_EQ(Text(kVeylaSays), LocalizedText::GetText(Label("Judging.DashcourseLose")));
    EXPECT_EQ(CountSounds("start", "VO_Veyla_Lost"), 1);
    EXPECT_EQ(CountSounds("start", "VO_Veyla_Win"), 0);
    EXPECT_EQ(CountSounds("start", "MUSIC_JudgingMode"), 1);
    // Next and Skip no longer start anything: no second card, no won card over the lost one.
    rig.Click(kRetryLost);
    EXPECT_EQ(CountSounds("start", "SFX_Judging_Positive"), 0);
}

struct VerdictCase
{
    const char* name;
    int score;
    int verdict;
    const char* card; // the card shown
    const char* sound;
    int winVoices;
};

class Verdicts : public Judging, public testing::WithParamInterface<VerdictCase>
{
};

TEST_P(Verdicts, AScoreThatReachesTheWinScoreJudgesEveryDishAndEndsOnItsCard)
{
    const VerdictCase& c = GetParam();
    JudgingMode* judge = Judge(kTwoDishes, c.score, [&] { CookSoup(300); });
    ASSERT_NE(judge, nullptr);
    EXPECT_EQ(judge->GetVerdict(), -1);
    EXPECT_EQ(JudgeEveryDish(*judge), (std::vector<Label>{kSoup, kSalad})) << "results first, then the level's list";
    EXPECT_EQ(judge->GetVerdict(), c.verdict);
    EXPECT_EQ(judge->GetJudgedTotal(), 300) << "the never-started salad adds nothing";
    const int positives = CountSounds("start", "SFX_Judging_Positive");
    // Three seconds after the verdict (which came within the last dish's update, after the
    // screen's own tasks had run: its wait starts in the next one).
    rig.Step(149);
    EXPECT_FALSE(Shown(kRoot + "/ScoreDisplay"));
    rig.Step(2);
    EXPECT_TRUE(Shown(kRoot + "/ScoreDisplay"));
    EXPECT_TRUE(Shown(kRoot + "/ScoreDisplay/" + c.card));
    EXPECT_EQ(Shown(kRoot + "/ScoreDisplay/Regular"), std::string(c.card) == "Regular");
    EXPECT_FALSE(Shown(kRoot + "/AllDishDisplay"));
    EXPECT_EQ(Text(kRoot + "/ScoreDisplay/scoreText"), std::to_wstring(c.score))
        << "the level's score, not the judged total";
    EXPECT_EQ(CountSounds("start", c.sound) - (std::string(c.sound) == "SFX_Judging_Positive" ? positives : 0), 1);
    EXPECT_EQ(CountSounds("start", "VO_Veyla_Win"), c.winVoices);
    EXPECT_EQ(CountSounds("start", "VO_Veyla_Lost"), 0);
}

INSTANTIATE_TEST_SUITE_P(JudgingMode, Verdicts,
                         testing::Values(VerdictCase{"AtWin", kWin, 1, "Regular", "SFX_Judging_Positive", 0},
                                         VerdictCase{"BelowExpert", kExpert - 1, 1, "Regular", "SFX_Judging_Positive",
                                                     0},
                                         VerdictCase{"AtExpert", kExpert, 2, "Expert", "SFX_Judging_Expert", 1}),
                         [](const testing::TestParamInfo<VerdictCase>& info) { return info.param.name; });

TEST_F(Judging, TheStarsCountTheStarPointsReachedAndTheTotalCountsUp)
{
    // Tomato soup's StarPoints: 120, 240, 360, 480, 600.
    const struct
    {
        int points;
        int stars;
    } cases[] = {{119, 0}, {120, 1}, {360, 3}, {599, 4}, {600, 5}};
    for (const auto& c : cases)
    {
        rig.Restart();
        JudgingMode* judge = Judge(kTwoDishes, kWin, [&] { CookSoup(c.points); });
        ASSERT_NE(judge, nullptr);
        // The slide-in, then the ingredient comment by itself; the combo is skipped (none), the
        // verdict follows Next.
        ASSERT_GE(rig.StepUntil([&] { return judge->IsWaitingForNext(); }), 0);
        rig.Click(kNext);
        EXPECT_EQ(judge->GetLastStars(), c.stars) << c.points;
        for (int k = 1; k <= 5; ++k)
            EXPECT_EQ(Shown(kRoot + "/CommentDisplay/Stars/" + std::to_string(k)), k <= c.stars)
                << c.points << " " << k;
        EXPECT_EQ(judge->GetJudgedTotal(), c.points);
        rig.Step(26);
        EXPECT_EQ(Text(kRoot + "/CommentDisplay/ScoreDisplay/scoreText"), std::to_wstring(c.points));
    }
}

TEST_F(Judging, EachDishGetsOneIngredientCommentAndAnUnstartedRecipeIsIncomplete)
{
    JudgingMode* judge = Judge(kTwoDishes, kWin, [&] { CookSoup(300); });
    ASSERT_NE(judge, nullptr);
    EXPECT_EQ(judge->GetCurrentDish(), kSoup);
    // A finished dish is named after its ingredients, as the finished-dish popup names it.
    const std::vector<DishIngredient> soup{{Label("Tomato"), 4}, {Label("Basil"), 1}, {Label("Onion"), 4}};
    EXPECT_EQ(Text(kRoot + "/CommentDisplay/DishDisplay/DishName"), ComposeDishName(DishNameTemplate(26), 26, soup));
    EXPECT_NE(Text(kRoot + "/CommentDisplay/DishDisplay/DishName").find(L"Onion"), std::wstring::npos);
    ASSERT_GE(rig.StepUntil([&] { return judge->IsWaitingForNext(); }), 0);
    // The large dish is cut by the comment panel's window; the overview's are at half size.
    const auto* large = dynamic_cast<const JudgingDish*>(judge->Get(judge->GetCurrentDishDisplay()));
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->GetPicture()->GetClipRect(), (Rect<int>{193, 207, 416, 325}));
    EXPECT_TRUE(large->GetPicture()->IsClipRectUsed());
    EXPECT_EQ(large->GetPicture()->GetMaskScale(), (Vector2<float>{1.0f, 1.0f}));
    const SceneNode* place = rig.FindNode(kRoot + "/AllDishDisplay/AllDishLayout_2");
    ASSERT_NE(place, nullptr);
    const auto* small = dynamic_cast<const MaskedSpriteNode*>(place->GetChildren().front()->GetChildren().front());
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->GetMaskScale(), (Vector2<float>{0.5f, 0.5f}));
    EXPECT_FALSE(small->IsClipRectUsed());
    const std::wstring said = Text(judge->GetSpeaker() == JudgingMode::kVeyla ? kVeylaSays : kOrvelSays);
    EXPECT_TRUE(said.find(L"Tomato") != std::wstring::npos || said.find(L"Basil") != std::wstring::npos ||
                said.find(L"Onion") != std::wstring::npos)
        << "an ingredient praised by name";
    rig.Click(kNext);
    EXPECT_EQ(judge->GetSpeaker(), JudgingMode::kOrvel);
    EXPECT_EQ(Text(kOrvelSays).find(L"Onion"), std::wstring::npos) << "no second ingredient comment";
    EXPECT_EQ(judge->GetLastStars(), 2);

    // The dish is sent away; Next meanwhile is ignored, so the salad is not skipped.
    rig.Click(kNext);
    rig.Click(kNext);
    EXPECT_FALSE(judge->IsWaitingForNext());
    ASSERT_GE(rig.StepUntil([&] { return judge->IsWaitingForNext(); }), 0);
    EXPECT_EQ(judge->GetCurrentDish(), kSalad);
    EXPECT_EQ(judge->GetLastStars(), -1) << "never started: incomplete at once";
    EXPECT_EQ(Text(kOrvelSays), LocalizedText::GetText(Label("JudgingFeedbackStrings.DishIncompleteComment")));
    EXPECT_EQ(Text(kRoot + "/CommentDisplay/DishDisplay/DishName"), L"Garden Salad");
    EXPECT_EQ(CountSounds("start", "SFX_Judging_Negative"), 1);
    EXPECT_FALSE(Shown(kRoot + "/CommentDisplay/Stars"));
}

TEST_F(Judging, SkipEndsTheDishesOnceAndTheLastDishCountsOnce)
{
    JudgingMode* judge = Judge(kTwoDishes, kWin, [&] { CookSoup(300); });
    ASSERT_NE(judge, nullptr);
    ASSERT_GE(rig.StepUntil([&] { return judge->IsWaitingForNext(); }), 0);
    rig.Click(kNext);
    const int total = judge->GetJudgedTotal();
    rig.Click(kSkip);
    EXPECT_EQ(judge->GetVerdict(), 1);
    rig.Click(kSkip);
    rig.KeyCode(27);
    rig.Step(200);
    EXPECT_EQ(judge->GetJudgedTotal(), total);
    EXPECT_EQ(CountSounds("start", "VO_Veyla_Win") + CountSounds("start", "VO_Veyla_Lost"), 0);
    EXPECT_TRUE(Shown(kRoot + "/ScoreDisplay"));
    EXPECT_FALSE(Shown(kRoot + "/Judging_LevelLost"));
}

TEST_F(Judging, SkipWhileADishSlidesInLeavesTheVerdictAlone)
{
    JudgingMode* judge = Judge(kTwoDishes, kWin, [&] { CookSoup(300); });
    ASSERT_NE(judge, nullptr);
    rig.Step(10);
    rig.Click(kSkip);
    const std::wstring verdict = Text(kOrvelSays);
    rig.Step(100);
    EXPECT_EQ(Text(kOrvelSays), verdict) << "the slide's end commented nothing";
    EXPECT_FALSE(Shown(kRoot + "/BG/VeylaText"));
    EXPECT_EQ(judge->GetJudgedTotal(), 0);
    EXPECT_EQ(judge->GetDishesToJudge().size(), 1u) << "no further dish came";
}

TEST_F(Judging, TheOverviewHoldsEveryDishAndOnlyKnownRecipesAreJudgedOnce)
{
    const struct
    {
        int level;
        std::size_t dishes;
        int overview; // the AllDishLayout used; 0 none
    } cases[] = {{kTwoDishes, 2, 2}, {kSix, 6, 6}, {kSoupTwice, 1, 1}, {kUnknown, 1, 1}};
    for (const auto& c : cases)
    {
        rig.Restart();
        JudgingMode* judge = Judge(c.level, kWin - 1);
        ASSERT_NE(judge, nullptr);
        EXPECT_EQ(judge->GetDishesToJudge().size(), c.dishes) << c.level;
        for (int n = 1; n <= 6; ++n)
        {
            const SceneNode* places = rig.FindNode(kRoot + "/AllDishDisplay/AllDishLayout_" + std::to_string(n));
            ASSERT_NE(places, nullptr);
            int filled = 0;
            for (const SceneNode* place : places->GetChildren())
                filled += !place->GetChildren().empty();
            EXPECT_EQ(filled, n == c.overview ? n : 0) << c.level << " layout " << n;
        }
    }
}

struct WayOut
{
    const char* name;
    int score;
    std::string button;
    Names modes;
    int levelIndex;
    int key = 0; // pressed instead of clicking the button: only the card shown answers it
};

class WaysOut : public Judging, public testing::WithParamInterface<WayOut>
{
};

TEST_P(WaysOut, EveryWayOutClearsTheResultsAndQueuesItsScreens)
{
    const WayOut& c = GetParam();
    JudgingMode* judge = Judge(kTwoDishes, c.score, [&] { CookSoup(300); });
    ASSERT_NE(judge, nullptr);
    rig.Click(kSkip);
    rig.Step(260);
    if (c.key)
        rig.KeyCode(c.key);
    else
        rig.Click(c.button);
    EXPECT_TRUE(Progress().HasNoLevelResults());
    rig.Step(2);
    // A new level screen comes with its intro once the game has one.
    Names modes = c.modes;
    if (modes.front() == "GameMode" && GetLevelFlowHooks().makeLevelIntroMode)
        modes.push_back("LevelIntroMode");
    EXPECT_EQ(rig.Modes(), modes);
    EXPECT_EQ(Progress().GetCurrentLevelIndex(), c.levelIndex);
}

INSTANTIATE_TEST_SUITE_P(JudgingMode, WaysOut,
                         testing::Values(WayOut{"NextLevel", kWin, kOk, {"GameMode"}, 1},
                                         WayOut{"TryAgainWon", kWin, kRetryWon, {"GameMode"}, 0},
                                         WayOut{"TryAgainLost", kWin - 1, kRetryLost, {"GameMode"}, 0},
                                         WayOut{"ChallengeSelect", kWin - 1, kChallengesLost, {"LevelSelectMode"}, 0},
                                         WayOut{"EnterWhenWon", kWin, "", {"GameMode"}, 1, 13},
                                         WayOut{"EnterWhenLost", kWin - 1, "", {"GameMode"}, 0, 13}),
                         [](const testing::TestParamInfo<WayOut>& info) { return info.param.name; });

// Plays the road level by script (both dishes finished at once) up to the outro, whose button
// leads to the judges; the total handed on.
class MainRoad : public Judging
{
protected:
    int PlayToTheJudges(int winScore)
    {
        game = rig.StartLevel(kRoad);
        if (!game)
            return -1;
        if (winScore > 0)
            const_cast<KitchenLevelData*>(Progress().GetCurrentLevelData())->winScore = winScore;
        for (int dish = 0; dish < 2; ++dish)
        {
            if (dish > 0 && rig.StepUntil([&] { return game->GetPopup() != kNoObject; }, 200) < 0)
                return -1;
            ClosePopup();
            FinishCurrentDish();
            rig.Step(2);
            rig.PopTop(); // the finished dish
        }
        if (rig.StepUntil([&] { return rig.TopAs<LevelOutroMode>() != nullptr; }, 200) < 0)
            return -1;
        const LevelOutroMode* outro = rig.TopAs<LevelOutroMode>();
        const int total = outro->GetScore() + outro->GetTimeLeft() * ResourceManager::GetValue<int>(
                                                                         Label("TimeRemainingScoreMultiplier"), 0);
        rig.Step(); // the outro enters
        rig.Click("LevelOutro/JudgesTableButton");
        if (rig.StepUntil([&] { return rig.TopAs<JudgingMode>() != nullptr; }, 50) < 0)
            return -1;
        return total;
    }
};

TEST_F(MainRoad, ALevelPlayedThroughIsJudgedAtItsTotalDishByDishAndOkStartsTheNextLevel)
{
    // Its file's WinScore is out of reach: judged lost, saved not completed, its total learnt.
    const int total = PlayToTheJudges(0);
    ASSERT_GT(total, 0);
    EXPECT_EQ(rig.Modes(), Names{"JudgingMode"}) << "the judges are the only screen";
    EXPECT_EQ(rig.TopAs<JudgingMode>()->GetLevelScore(), total);
    EXPECT_EQ(rig.TopAs<JudgingMode>()->GetVerdict(), 0);
    EXPECT_EQ(Progress().GetLevelRecord(Label("Judge_Road")).bestScore, total);
    EXPECT_EQ(Progress().GetLevelRecord(Label("Judge_Road")).completed, 0);

    // The same play, seeded alike, with WinScore exactly at that total: won at the table and saved
    // completed.
    rig.Restart();
    ASSERT_EQ(PlayToTheJudges(total), total);
    JudgingMode* judge = rig.TopAs<JudgingMode>();
    EXPECT_EQ(Progress().GetLevelRecord(Label("Judge_Road")).completed, 1);
    EXPECT_EQ(JudgeEveryDish(*judge).size(), 2u) << "each dish judged by Next";
    EXPECT_GE(judge->GetVerdict(), 1);
    EXPECT_GT(judge->GetJudgedTotal(), 0);
    rig.Step(151);
    ASSERT_TRUE(Shown(kRoot + "/ScoreDisplay"));
    rig.Click(kOk);
    ASSERT_GE(rig.StepUntil([&] { return rig.Modes().front() == "GameMode"; }, 50), 0);
    EXPECT_EQ(Progress().GetCurrentLevelID(), Label("Judge_Unknown"));
    EXPECT_TRUE(Progress().HasNoLevelResults());
}
