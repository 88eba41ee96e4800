// The end of a level: the finished-dish popup and the next dish, the time bonus, the saved score
// against the level's win and expert scores, and one end when the last dish and the clock finish
// together.
#include "KitchenTest.h"

#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Game/Menus/LevelOutroMode.h"

using namespace Corvane::Testing;
using namespace KitchenLevels;
namespace Paths = KitchenPaths;

namespace
{
using Names = std::vector<std::string>;

int Multiplier()
{
    return Corvane::ResourceManager::GetValue<int>(Corvane::Label("TimeRemainingScoreMultiplier"), -1);
}

LevelRecord SavedRecord()
{
    LevelProgressManager* progress = LevelProgressManager::Instance();
    return progress->GetLevelRecord(progress->GetCurrentLevelID());
}

// The clock's updates still to run before it shows 0, as the level screen counts it down.
int UpdatesLeft(float timeLeft)
{
    int updates = 0;
    for (; timeLeft > 0.0f; ++updates)
        timeLeft -= 1.0f / 50.0f;
    return updates;
}

class LevelEnd : public KitchenTest
{
protected:
    // Finishes the current dish and closes the finished-dish popup; the level screen then waits
    // a second before its next popup or its end.
    // The updates the ingredients' flights took.
    int FinishDishAndCloseItsPopup()
    {
        const int flight = FinishCurrentDish();
        rig.Step(2);
        EXPECT_EQ(rig.Modes(), (Names{"GameMode", "FinishedDishMode"}));
        rig.PopTop();
        return flight;
    }
    int Score() const { return GetScoreManager()->GetScore(); }
    int Outros() const
    {
        int count = 0;
        for (const std::string& mode : rig.Modes())
            count += mode == "LevelOutroMode";
        return count;
    }
};

TEST_F(LevelEnd, AFinishedDishShowsItsPopupThenTheNextRecipeAndTheLastOneEndsTheLevelWithTheTimeBonus)
{
    game = rig.StartLevel(kTwoDishes);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(Text(Paths::kPopupDishName), L"Tomato Soup");
    ClosePopup();
    const int flight = FinishCurrentDish();
    rig.Step(2);
    const auto* finished = rig.TopAs<FinishedDishMode>();
    ASSERT_NE(finished, nullptr);
    EXPECT_EQ(finished->GetLevelScreen(), game);
    const auto* soup = Corvane::ResourceManager::Get<RecipeData>(Corvane::Label("Recipe_TomatoSoup")).Get();
    ASSERT_NE(soup, nullptr);
    EXPECT_EQ(finished->GetPlateType(), static_cast<int>(soup->plateType));
    EXPECT_EQ(GetScoreManager()->GetComboCount(), 0) << "a finished dish ends the chain";
    rig.PopTop();
    // The next recipe's popup a second after the finished dish closed.
    const int wait = rig.StepUntil([&] { return game->GetPopup() != Corvane::kNoObject; }, 200);
    EXPECT_GE(wait, 49);
    EXPECT_LE(wait, 51);
    EXPECT_EQ(Text(Paths::kPopupDishName), L"Garden Salad");
    ClosePopup();

    // The last ingredient lands with 38.62 s on the clock.
    rig.StepUntil([&] { return game->GetTimeLeft() <= 38.62f + static_cast<float>(flight) / 50.0f; });
    FinishDishAndCloseItsPopup();
    const int score = Score();
    ASSERT_GE(rig.StepUntil([&] { return rig.TopAs<LevelOutroMode>() != nullptr; }, 200), 0);
    EXPECT_NEAR(game->GetTimeLeft(), 37.6f, 0.05f) << "the clock ran on during the second after the popup";
    const auto* outro = rig.TopAs<LevelOutroMode>();
    EXPECT_EQ(outro->GetTimeLeft(), 37);
    EXPECT_EQ(outro->GetScore(), score) << "the outro adds the bonus itself";
    EXPECT_EQ(SavedRecord().bestScore, score + 37 * Multiplier());
    EXPECT_EQ(Outros(), 1);
}

struct SaveCase
{
    const char* name;
    int overWin;    // the total, relative to the level's WinScore
    bool expertRef; // relative to its ExpertScore instead
    int completed;
    int status;
};

class SavedScore : public LevelEnd, public testing::WithParamInterface<SaveCase>
{
};

TEST_P(SavedScore, TheSaveMarksALevelWonAtItsWinScoreAndWithHonoursAtItsExpertScore)
{
    game = rig.StartLevel(kOneDish);
    ASSERT_NE(game, nullptr);
    // Ended while the first popup shows: every second of the clock is left.
    const int bonus = game->GetLevelData()->time * Multiplier();
    const int total = (GetParam().expertRef ? game->GetLevelData()->expertScore : game->GetLevelData()->winScore) +
                      GetParam().overWin;
    GetScoreManager()->AddScore(total - bonus);
    game->EndLevel();
    rig.Step();
    EXPECT_EQ(rig.Modes(), (Names{"GameMode", "LevelOutroMode"}));
    EXPECT_EQ(SavedRecord().bestScore, total);
    EXPECT_EQ(SavedRecord().completed, GetParam().completed);
    LevelProgressManager* progress = LevelProgressManager::Instance();
    EXPECT_EQ(progress->GetLevelStatus(progress->GetCurrentLevelID()), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(LevelScreen, SavedScore,
                         testing::Values(SaveCase{"BelowWin", -1, false, 0, 0}, SaveCase{"AtWin", 0, false, 1, 1},
                                         SaveCase{"AboveWin", 1, false, 1, 1}, SaveCase{"BelowExpert", -1, true, 1, 1},
                                         SaveCase{"AtExpert", 0, true, 1, 2}),
                         [](const testing::TestParamInfo<SaveCase>& info) { return info.param.name; });

TEST_F(LevelEnd, TheClockRunningOutInTheLastDishsUpdateEndsTheLevelOnceWithoutBonus)
{
    game = rig.StartLevel(kTwoDishes);
    ASSERT_NE(game, nullptr);
    ClosePopup();
    // The first dish tells how long the ingredients take to reach the dish.
    const int flight = FinishCurrentDish();
    rig.Step(2);
    rig.PopTop();
    ASSERT_GE(rig.StepUntil([&] { return game->GetPopup() != Corvane::kNoObject; }, 200), 0);
    ClosePopup();
    // The last dish completes in the update in which the clock reaches 0.
    rig.StepUntil([&] { return UpdatesLeft(game->GetTimeLeft()) == 1 + flight; }, 5000);
    FinishCurrentDish();
    ASSERT_EQ(UpdatesLeft(game->GetTimeLeft()), 1);
    const int score = Score();
    rig.Step(2);
    EXPECT_EQ(rig.Modes(), (Names{"GameMode", "FinishedDishMode", "LevelOutroMode"}));
    const auto* outro = rig.TopAs<LevelOutroMode>();
    ASSERT_NE(outro, nullptr);
    EXPECT_EQ(outro->GetTimeLeft(), 0);
    EXPECT_EQ(SavedRecord().bestScore, score);
    // The second after the finished dish, which would end the level again, passes quietly.
    rig.PopTop();
    rig.PopTop();
    rig.Step(100);
    EXPECT_EQ(rig.Modes(), Names{"GameMode"});
    EXPECT_EQ(CountSounds("start", "SFX_OutOfTime"), 1);
}

TEST_F(LevelEnd, TheEndAfterTheLastDishAndTheClockRunningOutInOneUpdateEndTheLevelOnce)
{
    game = rig.StartLevel(kTwoDishes);
    ASSERT_NE(game, nullptr);
    ClosePopup();
    // The first dish tells how long its ingredients fly and how many updates the level screen
    // waits after a finished dish.
    const int flight = FinishDishAndCloseItsPopup();
    const int wait = 1 + rig.StepUntil([&] { return game->GetPopup() != Corvane::kNoObject; }, 200);
    ClosePopup();
    // The last dish is timed so that the wait after it ends in the update in which the clock
    // reaches 0 (one update more for the steps' completion).
    rig.StepUntil([&] { return UpdatesLeft(game->GetTimeLeft()) == wait + 1 + flight; }, 5000);
    FinishDishAndCloseItsPopup();
    const int score = Score();
    // Closing the popup ran the first update of the wait.
    rig.Step(wait - 2);
    EXPECT_FALSE(game->HasEnded());
    rig.Step();
    EXPECT_TRUE(game->HasEnded());
    EXPECT_EQ(UpdatesLeft(game->GetTimeLeft()), 1) << "the clock would have run out in the same update";
    rig.Step(100);
    EXPECT_EQ(rig.Modes(), (Names{"GameMode", "LevelOutroMode"})) << "one outro";
    EXPECT_EQ(rig.TopAs<LevelOutroMode>()->GetTimeLeft(), 0);
    EXPECT_EQ(SavedRecord().bestScore, score) << "no bonus";
    EXPECT_EQ(CountSounds("start", "SFX_OutOfTime"), 0) << "the last dish ended the level first";
}

TEST_F(LevelEnd, APopupWithoutANextRecipeNamesNoDish)
{
    game = rig.StartLevel(kOneDish);
    ASSERT_NE(game, nullptr);
    ClosePopup();
    FinishDishAndCloseItsPopup();
    ASSERT_EQ(FindRecipeList()->GetNextRecipe(), Corvane::kNoObject);
    game->ShowNextRecipePopup();
    EXPECT_EQ(Text(Paths::kPopupDishName), L"");
}
} // namespace
