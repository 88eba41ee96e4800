// Cooking a recipe step: the progress on its own and while the cook works (from the minimum to the
// maximum rate, the speed effect at the top, reset by walking away), an ingredient's points and
// the tips it raises, the finish with its flight into the dish, flame and chain points, and the
// results the judges get.
#include "KitchenTest.h"

#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/IngredientData.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Kitchen/ActionStepDisplay.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/FlameMeter.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Kitchen/RecipeListEntry.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Game/Menus/TutorialManager.h"
#include "SceneGraph/AnimatedSpriteNode.h"

#include <algorithm>

using namespace Corvane;
using namespace KitchenLevels;

namespace
{
constexpr float kDt = 1.0f / 50.0f;

int IntResource(const char* name)
{
    return ResourceManager::GetValue<int>(Label(name), -1000);
}

CookingIngredient Ingredient(const char* name)
{
    const CookingIngredientData* data = ResourceManager::Get<CookingIngredientData>(Label(name)).Get();
    EXPECT_NE(data, nullptr) << name;
    return CookingIngredient(data ? *data : CookingIngredientData{});
}

// Entries of the tip waiting to be shown.
int Pending(int tip)
{
    const auto& pending = TutorialManager::Instance()->GetPendingTips();
    return static_cast<int>(std::count_if(pending.begin(), pending.end(), [tip](const TutorialTip& t) { return t.tip == tip; }));
}

bool TipQueued(int tip)
{
    return Pending(tip) > 0 || TutorialManager::Instance()->IsTipShown(tip);
}

// Test_Cooking's steps, in order: 0 vegetable (Fresh, Sweet), 1 meat (Rich), 2 flavouring
// (Bitter, no known flavour), 3 flavouring (Sour) filling no place on the plate.
class CookingTest : public KitchenTest
{
protected:
    CookingTest() = default;
    explicit CookingTest(const Corvane::Testing::KitchenRig::Options& options) : KitchenTest(options) {}

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SendFirstDishToStations(kCooking, 4));
        for (RecipeStep* step : steps)
            ASSERT_EQ(step->GetState(), RecipeStep::kAtStation);
    }
    CookingStation* StationOf(const RecipeStep* step) const
    {
        return dynamic_cast<CookingStation*>(game->Get(step->GetStation()));
    }
    // Sends the cook to the step's station and steps until he works there.
    void WorkOn(RecipeStep* step)
    {
        step->OnStationClicked();
        for (int i = 0; i < 500 && !step->IsActivelyWorked(); ++i)
            ReadBubbles(1);
        ASSERT_TRUE(step->IsActivelyWorked()) << "the cook never got to work";
    }

};

TEST_F(CookingTest, OnItsOwnAStepCooksAtItsCategorysPassiveRateOnlyOnceItHasItsIngredient)
{
    GameUpdate(10);
    EXPECT_EQ(steps[0]->GetProgress(), 0.0f) << "waiting for its ingredient";
    steps[0]->AddIngredient(Ingredient("Tomato"));
    steps[1]->AddIngredient(Ingredient("Chicken"));
    steps[2]->AddIngredient(Ingredient("Basil"));
    EXPECT_EQ(steps[0]->GetState(), RecipeStep::kCooking);
    GameUpdate(10);
    const KitchenLevelData* level = game->GetLevelData();
    EXPECT_NEAR(steps[0]->GetProgress(), 10 * level->V_PassiveRate * kDt, 1e-4);
    EXPECT_NEAR(steps[1]->GetProgress(), 10 * level->M_PassiveRate * kDt, 1e-4);
    EXPECT_EQ(steps[2]->GetProgress(), 0.0f) << "a passive rate of 0 waits for the cook";
    EXPECT_EQ(steps[0]->GetActiveTime(), 0.0f);
}

TEST_F(CookingTest, WorkRaisesTheRateFromTheMinimumToTheMaximumWhereTheSpeedEffectShows)
{
    RecipeStep* step = steps[0];
    step->AddIngredient(Ingredient("Tomato"));
    WorkOn(step);
    const KitchenLevelData* level = game->GetLevelData();
    const float accel = ResourceManager::GetValue<float>(Label("ActiveProgressAccel_V"), 0.0f);
    ASSERT_GT(accel, 0.0f);
    const float lo = level->V_ActiveRateMin * kDt;
    const float hi = level->V_ActiveRateMax * kDt;
    const auto* display = dynamic_cast<ActionStepDisplay*>(StationOf(step)->GetStepDisplay());
    ASSERT_NE(display, nullptr);
    const auto* speed = dynamic_cast<AnimatedSpriteNode*>(display->GetNode()->FindByPath({"ProgMeter", "SpeedUpAnim"}));
    ASSERT_NE(speed, nullptr);
    ASSERT_NE(speed->GetSpriteType(), nullptr);
    bool sawMinimum = false, sawBetween = false, sawMaximum = false;
    for (int guard = 0; step->GetState() == RecipeStep::kCooking && guard < 2000; ++guard)
    {
        const float before = step->GetProgress();
        const float worked = step->GetActiveTime();
        GameUpdate();
        if (step->GetState() != RecipeStep::kCooking)
            break;
        const float expected = std::min(hi, std::max(accel * (worked + kDt) * kDt, lo));
        ASSERT_NEAR(step->GetProgress() - before, expected, 1e-4) << "after " << worked << " s of work";
        sawMinimum = sawMinimum || expected == lo;
        sawBetween = sawBetween || (expected > lo && expected < hi);
        sawMaximum = sawMaximum || expected == hi;
        EXPECT_EQ(speed->IsPlaying(Label("Max")), expected == hi) << "the speed effect shows at the top rate only";
    }
    EXPECT_TRUE(sawMinimum && sawBetween && sawMaximum);
    EXPECT_GE(step->GetProgress(), RecipeStep::kCompleteProgress);
}

TEST_F(CookingTest, WalkingAwayEndsTheWorkAndComingBackStartsAgainFromTheMinimum)
{
    steps[0]->AddIngredient(Ingredient("Tomato"));
    steps[1]->AddIngredient(Ingredient("Chicken"));
    WorkOn(steps[0]);
    GameUpdate(30);
    ASSERT_GT(steps[0]->GetActiveTime(), 0.5f);
    WorkOn(steps[1]);
    EXPECT_FALSE(steps[0]->IsWorking());
    const float before = steps[0]->GetProgress();
    GameUpdate();
    EXPECT_EQ(steps[0]->GetActiveTime(), 0.0f);
    EXPECT_NEAR(steps[0]->GetProgress() - before, game->GetLevelData()->V_PassiveRate * kDt, 1e-4);
    WorkOn(steps[0]);
    const float again = steps[0]->GetProgress();
    GameUpdate();
    EXPECT_NEAR(steps[0]->GetProgress() - again, game->GetLevelData()->V_ActiveRateMin * kDt, 1e-4);
}

struct PointsCase
{
    const char* name;
    int step;
    const char* ingredient;
    // The ingredient's value for each request (-1 for an unknown flavour).
    std::vector<int> values;
    bool allMet;
    bool meatTip;
};

// A new player's kitchen: the tips are raised.
class NewPlayerCooking : public CookingTest
{
protected:
    NewPlayerCooking() : CookingTest(NewPlayer()) {}
};

class IngredientPoints : public NewPlayerCooking, public testing::WithParamInterface<PointsCase>
{
};

TEST_P(IngredientPoints, AStepScoresBasePlusFactorTimesEachRequestsValue)
{
    const PointsCase& c = GetParam();
    RecipeStep* step = steps[static_cast<std::size_t>(c.step)];
    const int score = GetScoreManager()->GetScore();
    const int wrongAttribute = Pending(kTipWrongAttribute);
    const int meat = Pending(kTipMeatStep);
    step->AddIngredient(Ingredient(c.ingredient));
    int expected = IntResource("BaseIngredientAddScore");
    for (int value : c.values)
        expected += IntResource("RequestAttScaleFactor") * value;
    EXPECT_EQ(step->GetPoints(), expected);
    EXPECT_EQ(GetScoreManager()->GetScore() - score, expected);
    EXPECT_EQ(game->GetDishScore(), expected);
    EXPECT_EQ(step->IsRequestMatched(0), c.values[0] > 0);
    EXPECT_EQ(step->IsAttributeMatched(step->GetRequest1()), c.values[0] > 0);
    EXPECT_EQ(StationOf(step)->GetFlameMeter()->GetFlames(), c.allMet ? 1 : 0);
    EXPECT_EQ(Pending(kTipWrongAttribute) - wrongAttribute, c.allMet ? 0 : 1);
    EXPECT_EQ(Pending(kTipMeatStep) - meat, c.meatTip ? 1 : 0);
    EXPECT_EQ(step->GetIngredient(), Label(c.ingredient));
    EXPECT_EQ(step->GetState(), RecipeStep::kCooking);
}

INSTANTIATE_TEST_SUITE_P(
    Cooking, IngredientPoints,
    testing::Values(PointsCase{"BothRequestsMet", 0, "Tomato", {2, 1}, true, false},
                    PointsCase{"OneMetOneSpoilt", 0, "TestSourCream", {3, -2}, false, false},
                    PointsCase{"NeitherCarried", 0, "Chicken", {0, 0}, false, false},
                    PointsCase{"MeatStepRaisesItsTip", 1, "Sausage", {2}, true, true},
                    PointsCase{"UnknownFlavourCountsMinusOne", 2, "Basil", {-1}, false, false}),
    [](const testing::TestParamInfo<PointsCase>& info) { return info.param.name; });

TEST_F(CookingTest, AStepWithoutADishPlaceCompletesInTheNextUpdateAndIsNeverPerfect)
{
    RecipeStep* step = steps[3];
    step->AddIngredient(Ingredient("Lemon"));
    ASSERT_TRUE(step->IsAttributeMatched(Label("Sour")));
    step->StartFinishing();
    EXPECT_EQ(step->GetState(), RecipeStep::kFinishing);
    GameUpdate();
    EXPECT_EQ(step->GetState(), RecipeStep::kDone);
    EXPECT_FALSE(step->IsPerfect());
    EXPECT_TRUE(game->GetDishIngredients().empty()) << "nothing flies into the dish";
    std::vector<StepResult> results;
    LevelProgressManager::Instance()->ForEachStepResult(Label("Recipe_Cooking"), results);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_FALSE(results[0].perfect);
    EXPECT_EQ(results[0].ingredient, Label("Lemon"));
    EXPECT_EQ(results[0].slot, -1);
    EXPECT_EQ(results[0].points, step->GetPoints());
}

TEST_F(NewPlayerCooking, TheIngredientReachesTheDishBeforeTheStepCompletesWithItsFlameAndChainPoints)
{
    RecipeStep* step = steps[0];
    step->AddIngredient(Ingredient("Tomato"));
    const int flames = StationOf(step)->GetFlameMeter()->GetFlames();
    ASSERT_EQ(flames, 1);
    const int added = step->GetPoints();
    const int score = GetScoreManager()->GetScore();
    step->StartFinishing();
    const int flamePoints = flames * IntResource("FlameMeter_PerFlameScore");
    const int chainPoints = GetScoreManager()->GetComboPoints();
    EXPECT_EQ(GetScoreManager()->GetComboCount(), 1);
    EXPECT_EQ(step->GetPoints(), added + flamePoints + chainPoints);
    EXPECT_EQ(GetScoreManager()->GetScore() - score, flamePoints + chainPoints);
    EXPECT_EQ(step->GetState(), RecipeStep::kFinishing);
    const std::string flight = "GameScreenRoot/FX_Layer/ParticleFeedbackNode";
    ASSERT_NE(rig.FindNode(flight), nullptr) << "the ingredient flies";

    for (int i = 0; i < 500 && game->GetDishIngredients().empty(); ++i)
        GameUpdate();
    ASSERT_FALSE(game->GetDishIngredients().empty());
    EXPECT_EQ(game->GetDishIngredients().front().ingredient, Label("Tomato"));
    EXPECT_EQ(step->GetState(), RecipeStep::kFinishing) << "the dish has it before the step completes";
    for (int i = 0; i < 5 && step->GetState() != RecipeStep::kDone; ++i)
        GameUpdate();
    ASSERT_EQ(step->GetState(), RecipeStep::kDone);
    EXPECT_TRUE(step->IsPerfect());
    GameUpdate(2);
    EXPECT_EQ(rig.FindNode(flight), nullptr) << "the flight removed itself";
    EXPECT_EQ(CountSounds("start", "SFX_StepComplete"), 1);
    EXPECT_TRUE(TipQueued(kTipStepComplete));
    EXPECT_TRUE(TipQueued(kTipChainingIntro));
}

TEST_F(CookingTest, TheLastStepFinishesTheDishOnceAndEveryStepLeavesItsResult)
{
    const std::vector<const char*> ingredients{"Tomato", "Chicken", "Basil", "Lemon"};
    for (std::size_t i = 0; i < steps.size(); ++i)
        steps[i]->AddIngredient(Ingredient(ingredients[i]));
    for (RecipeStep* step : steps)
        step->StartFinishing();
    LevelProgressManager* results = LevelProgressManager::Instance();
    for (int i = 0; i < 500 && !results->IsDishCompleted(Label("Recipe_Cooking")); ++i)
        ReadBubbles(1);
    ASSERT_TRUE(results->IsDishCompleted(Label("Recipe_Cooking")));
    rig.Step();
    EXPECT_EQ(rig.Modes().back(), "FinishedDishMode");
    std::vector<StepResult> recorded;
    results->ForEachStepResult(Label("Recipe_Cooking"), recorded);
    ASSERT_EQ(recorded.size(), 4u);
    int total = 0;
    for (const StepResult& result : recorded)
        total += result.points;
    int stepTotal = 0;
    for (const RecipeStep* step : steps)
        stepTotal += step->GetPoints();
    EXPECT_EQ(total, stepTotal);
    EXPECT_EQ(recorded.front().ingredient, Label("Lemon")) << "the step without a flight completed first";
    std::vector<Label> dishes;
    results->CollectDishKeys(dishes);
    EXPECT_EQ(dishes, std::vector<Label>{Label("Recipe_Cooking")});
}
} // namespace
