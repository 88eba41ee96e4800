// Whole levels played as a player plays them, by mouse on the real loop with a seeded random
// stream: the dishes' popups closed, the send button pressed, each waiting step served from a
// pantry bin of its category (press on the bin, move, press on the step's request display), the
// cook sent to work by presses on the cooking displays. Every dish finishes, the level ends early
// with a time bonus, and the score is the sum of every step's points; one seed plays one game.
#include "KitchenTest.h"

#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Kitchen/ActionStepDisplay.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/IngredientBin.h"
#include "Game/Kitchen/IngredientPantry.h"
#include "Game/Kitchen/IngredientStepDisplay.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Game/Menus/LevelOutroMode.h"
#include "SceneGraph/SceneNode.h"

#include <algorithm>
#include <filesystem>

using namespace Corvane;
using namespace KitchenLevels;

namespace
{
std::pair<int, int> Centre(SceneNode* node)
{
    const Vector2<float> at = node->GetWorldCenter();
    return {static_cast<int>(at.x), static_cast<int>(at.y)};
}

class CookingFlow : public KitchenTest
{
protected:
    CookingFlow() = default;
    explicit CookingFlow(const Testing::KitchenRig::Options& options) : KitchenTest(options) {}

    // Plays until the outro comes (or limit updates); serve false only closes the popups.
    const LevelOutroMode* PlayToTheOutro(bool serve, int limit)
    {
        for (int updates = 0; !rig.TopAs<LevelOutroMode>() && updates < limit; ++updates)
        {
            if (serve)
                Play();
            else if (game->GetPopup() != kNoObject)
                ClosePopup();
            rig.Step();
        }
        return rig.TopAs<LevelOutroMode>();
    }
    std::vector<RecipeStep*> AllSteps() const
    {
        std::vector<RecipeStep*> steps;
        for (ObjectID id : game->GetGroup(RecipeStep::Group()))
            steps.push_back(Step(id));
        return steps;
    }
    // One move of the player, if one is due; false when there was nothing to do.
    bool Play()
    {
        if (rig.TopAs<TutorialMode>() || rig.TopAs<FinishedDishMode>())
        {
            rig.PopTop();
            return true;
        }
        if (game->GetPopup() != kNoObject)
        {
            ClosePopup();
            return true;
        }
        const std::string button = "GameScreenRoot/UI_attach/List_Attach/RecipeList/NextStepButton";
        if (FindRecipeList()->CanSendFirstEntry())
        {
            rig.Click(button);
            return true;
        }
        for (ObjectID id : game->GetGroup(IngredientStepDisplay::Group()))
        {
            auto* display = dynamic_cast<IngredientStepDisplay*>(game->Get(id));
            const RecipeStep* step = display ? Step(display->GetStep()) : nullptr;
            SceneNode* area = display ? display->GetNode()->FindByPath({"clickRect"}) : nullptr;
            if (!step || step->GetState() != RecipeStep::kAtStation || !area || !area->IsWorldVisible())
                continue;
            const std::vector<IngredientBin*> bins = FindPantry()->GetBins(step->GetCategory());
            EXPECT_FALSE(bins.empty()) << "no bin for a step";
            if (bins.empty())
                return false;
            // The pantry holds the ingredients of the dish being cooked.
            const auto* recipe = dynamic_cast<Recipe*>(game->Get(step->GetRecipe()));
            const std::vector<Label>& ingredients = recipe->GetData().ingredients;
            EXPECT_NE(std::find(ingredients.begin(), ingredients.end(), bins.front()->GetIngredient()->GetIngredientName()),
                      ingredients.end());
            const auto [binX, binY] = Centre(bins.front()->GetNode());
            const auto [x, y] = Centre(area);
            rig.MoveTo(binX, binY);
            rig.PressAt(binX, binY);
            rig.MoveTo(x, y);
            rig.PressAt(x, y);
            EXPECT_EQ(step->GetState(), RecipeStep::kCooking) << "a served step cooks";
            return true;
        }
        PlayerAvatar* cook = FindPlayerAvatar();
        for (RecipeStep* step : AllSteps())
            if (step->GetState() == RecipeStep::kCooking && !step->IsActivelyWorked() && cook &&
                cook->GetWalkingTo() == kNoObject && !IsCookBusy())
            {
                const auto* station = dynamic_cast<CookingStation*>(game->Get(step->GetStation()));
                const auto* display = station ? dynamic_cast<ActionStepDisplay*>(station->GetStepDisplay()) : nullptr;
                SceneNode* area = display ? display->GetNode()->FindByPath({"clickRect"}) : nullptr;
                if (!area)
                    continue;
                const Vector2<float> at = area->GetWorldCenter();
                rig.MoveTo(static_cast<int>(at.x), static_cast<int>(at.y));
                rig.PressAt(static_cast<int>(at.x), static_cast<int>(at.y));
                rig.ReleaseAt(static_cast<int>(at.x), static_cast<int>(at.y));
                return true;
            }
        return false;
    }
    bool IsCookBusy() const
    {
        for (RecipeStep* step : AllSteps())
            if (step->GetState() == RecipeStep::kCooking && step->IsActivelyWorked())
                return true;
        return false;
    }
};

TEST_F(CookingFlow, ATwoDishLevelPlayedThroughEndsEarlyWithItsBonusAndScoresEveryStepsPoints)
{
    game = rig.StartLevel(kTwoDishes);
    ASSERT_NE(game, nullptr);
    int updates = 0;
    for (; !rig.TopAs<LevelOutroMode>() && updates < 6000; ++updates)
    {
        Play();
        rig.Step();
    }
    const auto* outro = rig.TopAs<LevelOutroMode>();
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
        const LevelOutroMode* outro = PlayToTheOutro(serve, 9000);
        EXPECT_NE(outro, nullptr) << "the level never ended";
        if (!outro)
            return {};
        Outcome outcome{outro->GetScore(), outro->GetTimeLeft(), {}};
        const std::vector<Testing::SoundEvent>& events = rig.Audio().GetEvents();
        for (std::size_t i = before; i < events.size(); ++i)
            outcome.sounds.push_back(events[i].ToString());
        return outcome;
    }
    using CookingFlow::Play;
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
