// Whole levels played by the play bot (Support/PlayBot.h) as a player plays them, by mouse on the
// real loop with a seeded random stream. Every dish finishes, the level ends early
// with a time bonus, and the score is the sum of every step's points; one seed plays one game.
#include "KitchenTest.h"

#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Game/Menus/LevelOutroMode.h"
#include "Support/PlayBot.h"

#include <filesystem>

using namespace Corvane;
using namespace KitchenLevels;

namespace
{
class CookingFlow : public KitchenTest
{
protected:
    CookingFlow() = default;
    explicit CookingFlow(const Testing::KitchenRig::Options& options) : KitchenTest(options) {}

    std::vector<RecipeStep*> AllSteps() const { return bot.AllSteps(); }

    Testing::PlayBot bot{rig};
};

TEST_F(CookingFlow, ATwoDishLevelPlayedThroughEndsEarlyWithItsBonusAndScoresEveryStepsPoints)
{
    game = rig.StartLevel(kTwoDishes);
    ASSERT_NE(game, nullptr);
    bot.SetGame(game);
    const LevelOutroMode* outro = bot.PlayToTheOutro(true, 6000);
    ASSERT_NE(outro, nullptr) << "the level never ended";
    // The outro is the current screen now: the kitchen's objects are read from its database.
    for (const RecipeStep* step : AllSteps())
        EXPECT_EQ(step->GetState(), RecipeStep::kDone);
    EXPECT_GT(outro->GetTimeLeft(), 0) << "the last dish ended the level, not the clock";

    int points = 0;
    for (const RecipeStep* step : AllSteps())
        points += step->GetPoints();
    const auto* score = dynamic_cast<ScoreManager*>(game->FindByName(Label("SCORE_MANAGER")));
    ASSERT_NE(score, nullptr);
    EXPECT_EQ(score->GetScore(), points);
    EXPECT_EQ(outro->GetScore(), points);
    LevelProgressManager* progress = LevelProgressManager::Instance();
    const int bonus = outro->GetTimeLeft() * ResourceManager::GetValue<int>(Label("TimeRemainingScoreMultiplier"), 0);
    EXPECT_EQ(progress->GetLevelRecord(progress->GetCurrentLevelID()).bestScore, points + bonus);

    for (const char* dish : {"Recipe_TomatoSoup", "Recipe_GardenSalad"})
    {
        EXPECT_TRUE(progress->IsDishCompleted(Label(dish))) << dish;
        std::vector<StepResult> steps;
        progress->ForEachStepResult(Label(dish), steps);
        EXPECT_EQ(steps.size(), 2u) << dish;
    }
    EXPECT_EQ(game->GetDishIngredients().size(), 2u) << "the last dish got both its ingredients";
}

// The game's own first level, on the game's own data.
class FirstLevel : public CookingFlow
{
protected:
    FirstLevel() : CookingFlow(Testing::KitchenRig::Options{7, ""}) {}

    struct Outcome
    {
        int score = 0;
        int timeLeft = 0;
        std::vector<std::string> sounds;
    };
    Outcome Play(bool serve)
    {
        // What came before the title depends on the loading's real time.
        const std::size_t before = rig.Audio().GetEvents().size();
        game = rig.StartLevel(0);
        EXPECT_NE(game, nullptr);
        if (!game)
            return {};
        bot.SetGame(game);
        const LevelOutroMode* outro = bot.PlayToTheOutro(serve, 9000);
        EXPECT_NE(outro, nullptr) << "the level never ended";
        if (!outro)
            return {};
        Outcome outcome{outro->GetScore(), outro->GetTimeLeft(), {}};
        const std::vector<Testing::SoundEvent>& events = rig.Audio().GetEvents();
        for (std::size_t i = before; i < events.size(); ++i)
            outcome.sounds.push_back(events[i].ToString());
        return outcome;
    }
    static int Multiplier() { return ResourceManager::GetValue<int>(Label("TimeRemainingScoreMultiplier"), 0); }
};

TEST_F(FirstLevel, PlayedByMouseEveryDishIsDoneTheScoreIsTheStepsPointsAndOneSeedPlaysOneGame)
{
    const Outcome first = Play(true);
    ASSERT_FALSE(HasFailure());
    LevelProgressManager* progress = LevelProgressManager::Instance();
    int points = 0;
    for (const RecipeStep* step : AllSteps())
        EXPECT_EQ(step->GetState(), RecipeStep::kDone);
    for (ObjectID id : game->GetGroup(Recipe::Group()))
    {
        const auto* recipe = dynamic_cast<Recipe*>(game->Get(id));
        ASSERT_NE(recipe, nullptr);
        EXPECT_TRUE(progress->IsDishCompleted(recipe->GetData().name)) << recipe->GetData().name.c_str();
        std::vector<StepResult> results;
        progress->ForEachStepResult(recipe->GetData().name, results);
        EXPECT_EQ(results.size(), recipe->GetSteps().size());
        for (const StepResult& result : results)
            points += result.points;
    }
    EXPECT_GT(first.score, 0);
    EXPECT_GT(first.timeLeft, 0) << "the last dish ended the level";
    EXPECT_EQ(first.score, points);
    EXPECT_EQ(progress->GetLevelRecord(progress->GetCurrentLevelID()).bestScore,
              first.score + first.timeLeft * Multiplier());

    // The same seed, the same game, for a new player again.
    rig.Stop();
    for (const auto& entry : std::filesystem::directory_iterator(rig.UserData().Path()))
        std::filesystem::remove_all(entry.path());
    rig.Restart();
    const Outcome second = Play(true);
    EXPECT_EQ(second.score, first.score);
    EXPECT_EQ(second.timeLeft, first.timeLeft);
    EXPECT_EQ(second.sounds, first.sounds);
}

TEST_F(FirstLevel, LeftAloneAfterTheFirstPopupItEndsByTheClockWithoutBonus)
{
    const Outcome outcome = Play(false);
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(outcome.timeLeft, 0);
    EXPECT_EQ(outcome.score, 0);
    LevelProgressManager* progress = LevelProgressManager::Instance();
    EXPECT_EQ(progress->GetLevelRecord(progress->GetCurrentLevelID()).bestScore, 0);
}
} // namespace
