// The power-ups on the kitchen test level Test_PowerUps (charges 2, 2, 2, 1, 1, 1; the pantry shows
// the first dish's ten ingredients at once): charges and buttons, the timed ones restarting, the
// cook's boost, the bin highlights asked for directly and by hovering the step displays, the
// shuffles, and a whole level played with all of them.
#include "KitchenTest.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/NodePathTable.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Kitchen/ActionStepDisplay.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/IngredientBin.h"
#include "Game/Kitchen/IngredientPantry.h"
#include "Game/Kitchen/IngredientStepDisplay.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Kitchen/PowerUpManager.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Game/Menus/LevelOutroMode.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/ParticleSystemNode.h"

#include <map>
#include <set>

using namespace Corvane;
using namespace KitchenLevels;

namespace
{
using Names = std::set<std::string>;

constexpr float kDt = 1.0f / 50.0f;
const std::string kButtons = "GameScreenRoot/UI_attach/PowerUp_Attach/PowerUpButtons/";
const char* const kButtonNames[] = {"PowerUp_Button_Skills",        "PowerUp_Button_Intuition",
                                    "PowerUp_Button_Experience",    "PowerUp_Button_ShuffleMeat",
                                    "PowerUp_Button_ShuffleFlavor", "PowerUp_Button_ShuffleVeg"};

std::string ButtonName(PowerUpType type)
{
    return kButtonNames[static_cast<int>(type)];
}

int Updates(const char* seconds)
{
    return static_cast<int>(ResourceManager::GetValue<float>(Label(seconds), -1.0f) * 50.0f);
}

bool Shown(SceneNode* base, const NodePath& path)
{
    const SceneNode* node = base ? base->FindByPath(path) : nullptr;
    return node && node->IsVisible();
}

// The size the sparks of the sparkle under path end at; -1 without one.
float SparkEndScale(SceneNode* base, const NodePath& path)
{
    const SceneNode* node = base ? base->FindByPath(path) : nullptr;
    if (!node)
        return -1.0f;
    for (SceneNode* child : node->GetChildren())
        if (const auto* sparkle = dynamic_cast<ConformingParticleSystemNode*>(child))
            return sparkle->mEndScale;
    return -1.0f;
}

class PowerUpTest : public KitchenTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SendFirstDishToStations(kPowerUps, 4));
        pantry = FindPantry();
        powerUps = GetPowerUpManager();
        ASSERT_NE(pantry, nullptr);
        ASSERT_NE(powerUps, nullptr);
        ASSERT_EQ(pantry->GetBins().size(), 10u) << "the whole dish on show";
    }
    // The ingredients whose bins show the attribute (or combo) highlight.
    Names Lit(bool attribute) const
    {
        Names lit;
        for (IngredientBin* bin : pantry->GetBins())
            if (Shown(bin->GetNode(), attribute ? ObjectPaths::IngredientBin::kHighlightAttribute
                                                : ObjectPaths::IngredientBin::kHighlightCombo))
                lit.insert(bin->GetIngredient()->GetIngredientName().c_str());
        return lit;
    }
    IngredientBin* BinOf(const char* ingredient) const
    {
        for (IngredientBin* bin : pantry->GetBins())
            if (bin->GetIngredient()->GetIngredientName() == Label(ingredient))
                return bin;
        ADD_FAILURE() << "no bin of " << ingredient;
        return nullptr;
    }
    template <typename T> T* DisplayOf(const RecipeStep& step) const
    {
        for (ObjectID id : game->GetGroup(T::Group()))
            if (auto* display = dynamic_cast<T*>(game->Get(id)); display && display->GetStep() == step.GetID())
                return display;
        return nullptr;
    }
    void Point(SceneNode* node)
    {
        ASSERT_NE(node, nullptr);
        const Vector2<float> centre = node->GetWorldCenter();
        rig.MoveTo(static_cast<int>(centre.x), static_cast<int>(centre.y));
    }
    void PressOn(SceneNode* node)
    {
        ASSERT_NO_FATAL_FAILURE(Point(node));
        const Vector2<float> centre = node->GetWorldCenter();
        rig.PressAt(static_cast<int>(centre.x), static_cast<int>(centre.y));
        rig.ReleaseAt(static_cast<int>(centre.x), static_cast<int>(centre.y));
    }
    // The player drags the ingredient's bin onto the step's request display.
    void Serve(RecipeStep& step, const char* ingredient)
    {
        IngredientBin* bin = BinOf(ingredient);
        ASSERT_NE(bin, nullptr);
        ASSERT_NO_FATAL_FAILURE(PressOn(bin->GetNode()));
        auto* display = DisplayOf<IngredientStepDisplay>(step);
        ASSERT_NE(display, nullptr);
        ASSERT_NO_FATAL_FAILURE(PressOn(display->GetNode()->FindByPath(PathOf({"clickRect"}))));
        ASSERT_EQ(step.GetIngredient(), Label(ingredient)) << "not served";
    }
    void Serve(std::size_t step, const char* ingredient) { Serve(*steps[step], ingredient); }
    // The cook works at the step's station.
    void WorkOn(RecipeStep& step)
    {
        step.OnStationClicked();
        for (int i = 0; i < 500 && !step.IsActivelyWorked(); ++i)
            ReadBubbles(1);
        ASSERT_TRUE(step.IsActivelyWorked()) << "the cook never got to work";
    }
    // The served steps still cooking finish at once; the dish's popup comes and is closed.
    void FinishServedDish()
    {
        for (RecipeStep* step : steps)
            if (step->GetState() == RecipeStep::kCooking)
                step->StartFinishing();
        ASSERT_GE(rig.StepUntil([&] { return rig.TopAs<FinishedDishMode>() != nullptr; }, 500), 0);
        rig.PopTop();
    }
    SceneNode* Halo() const { return FindPlayerAvatar()->GetNode()->FindByPath(PathOf({"SpeedHalo"})); }

    IngredientPantry* pantry = nullptr;
    PowerUpManager* powerUps = nullptr;
};

TEST_F(PowerUpTest, ChargesComeFromTheLevelAndAButtonSpendsOneAndFlashesButNeverPastTheLast)
{
    for (int kind = 0; kind < kPowerUpTypeCount; ++kind)
        EXPECT_EQ(powerUps->GetCount(static_cast<PowerUpType>(kind)), kind < 3 ? 2 : 1) << kind;
    rig.Click(kButtons + ButtonName(PowerUpType::Skills));
    EXPECT_EQ(powerUps->GetCount(PowerUpType::Skills), 1);
    EXPECT_TRUE(powerUps->IsBoostActive());
    EXPECT_NE(rig.FindNode(kButtons + "PowerUpFlash"), nullptr) << "the used button flashes";

    // Two clicks before the next update has disabled the button spend the last charge once.
    const std::string meat = kButtons + ButtonName(PowerUpType::Shuffle_M);
    rig.Click(meat);
    rig.Click(meat);
    EXPECT_EQ(powerUps->GetCount(PowerUpType::Shuffle_M), 0);
    powerUps->Use(PowerUpType::Shuffle_M);
    EXPECT_EQ(powerUps->GetCount(PowerUpType::Shuffle_M), 0) << "no charge, no use";
    powerUps->Use(PowerUpType::None);
    powerUps->Use(static_cast<PowerUpType>(-1));
    rig.Step();
    auto* button = dynamic_cast<ButtonNode*>(rig.FindNode(meat));
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->IsEnabled());
}

struct TimedCase
{
    const char* name;
    PowerUpType kind;
    const char* time;
    bool (PowerUpManager::*active)() const;
};

class TimedPowerUps : public PowerUpTest, public testing::WithParamInterface<TimedCase>
{
};

TEST_P(TimedPowerUps, UsedAgainWhileRunningItRestartsItsFullTimeAndEndsOnce)
{
    const TimedCase& c = GetParam();
    const int full = Updates(c.time);
    ASSERT_GT(full, 100);
    powerUps->Use(c.kind);
    EXPECT_TRUE((powerUps->*c.active)());
    GameUpdate(full / 2);
    powerUps->Use(c.kind);
    EXPECT_EQ(powerUps->GetCount(c.kind), 0);
    GameUpdate(full / 2 + 5);
    EXPECT_TRUE((powerUps->*c.active)()) << "the first run's end does not come";
    GameUpdate(full / 2 - 10);
    EXPECT_TRUE((powerUps->*c.active)());
    if (c.kind == PowerUpType::Skills)
    {
        EXPECT_TRUE(Halo()->IsVisible());
    }
    GameUpdate(10);
    EXPECT_FALSE((powerUps->*c.active)());
    if (c.kind == PowerUpType::Skills)
    {
        EXPECT_FALSE(Halo()->IsVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(
    PowerUps, TimedPowerUps,
    testing::Values(TimedCase{"Skills", PowerUpType::Skills, "PowerUpActiveTime_Progress",
                              &PowerUpManager::IsBoostActive},
                    TimedCase{"HilightAtt", PowerUpType::HilightAtt, "PowerUpActiveTime_HilightAtt",
                              &PowerUpManager::IsAttributeHighlightActive},
                    TimedCase{"HilightCombo", PowerUpType::HilightCombo, "PowerUpActiveTime_HilightCombo",
                              &PowerUpManager::IsComboHighlightActive}),
    [](const testing::TestParamInfo<TimedCase>& info) { return std::string(info.param.name); });

TEST_F(PowerUpTest, TheBoostMultipliesOnlyTheWorkedIncrementAfterItsClampAndShowsOneHalo)
{
    steps[0]->AddIngredient(CookingIngredient(*ResourceManager::Get<CookingIngredientData>(Label("Tomato"))));
    steps[1]->AddIngredient(CookingIngredient(*ResourceManager::Get<CookingIngredientData>(Label("Carrot"))));
    ASSERT_NO_FATAL_FAILURE(WorkOn(*steps[0]));
    const KitchenLevelData* level = game->GetLevelData();
    const float hi = level->V_ActiveRateMax * kDt;
    const float passive = level->V_PassiveRate * kDt;
    GameUpdate(40);
    float worked = steps[0]->GetProgress();
    float idle = steps[1]->GetProgress();
    GameUpdate();
    ASSERT_NEAR(steps[0]->GetProgress() - worked, hi, 1e-4) << "at the top rate";

    powerUps->Use(PowerUpType::Skills);
    powerUps->Use(PowerUpType::Skills);
    worked = steps[0]->GetProgress();
    idle = steps[1]->GetProgress();
    GameUpdate();
    const float multiplier = ResourceManager::GetValue<float>(Label("PowerUp_ProgressMultiplier"), 1.0f);
    ASSERT_GT(multiplier, 1.0f);
    EXPECT_NEAR(steps[0]->GetProgress() - worked, hi * multiplier, 1e-4);
    EXPECT_NEAR(steps[1]->GetProgress() - idle, passive, 1e-4) << "a step left alone is not boosted";
    EXPECT_TRUE(Halo()->IsVisible());
    SceneNode* sparkles = FindPlayerAvatar()->GetNode()->FindByPath(PathOf({"SparkleBase"}));
    ASSERT_NE(sparkles, nullptr);
    EXPECT_EQ(sparkles->GetChildren().size(), 1u) << "one halo however often it is used";
}

struct RequestCase
{
    const char* name;
    const char* request1;
    const char* request2;
    int category;
    Names lit;
};

class RequestHighlights : public PowerUpTest, public testing::WithParamInterface<RequestCase>
{
};

TEST_P(RequestHighlights, WhileActiveTheBinsOfTheCategoryMeetingBothRequestsLightUp)
{
    const RequestCase& c = GetParam();
    const Label first(c.request1 ? c.request1 : "");
    const Label second(c.request2 ? c.request2 : "");
    const Label none;
    powerUps->HighlightBinsForRequests(true, c.request1 ? first : none, c.request2 ? second : none, c.category);
    EXPECT_EQ(Lit(true), Names{}) << "nothing while the power-up does not run";
    powerUps->Use(PowerUpType::HilightAtt);
    powerUps->HighlightBinsForRequests(true, c.request1 ? first : none, c.request2 ? second : none, c.category);
    EXPECT_EQ(Lit(true), c.lit);
    EXPECT_EQ(Lit(false), Names{});
    powerUps->HighlightBinsForRequests(false, none, none, 0);
    EXPECT_EQ(Lit(true), Names{});
}

INSTANTIATE_TEST_SUITE_P(PowerUps, RequestHighlights,
                         testing::Values(RequestCase{"OneRequest", "Fresh", nullptr, 0, {"Tomato", "Carrot", "Pepper"}},
                                         RequestCase{"BothRequests", "Sweet", "Fresh", 2, {"Basil"}},
                                         RequestCase{"OnlyTheCategory", "Rich", nullptr, 0, {"Potato"}},
                                         RequestCase{"NoRequestsMeetAll", nullptr, nullptr, 1, {"Chicken", "Sausage"}}),
                         [](const testing::TestParamInfo<RequestCase>& info) { return std::string(info.param.name); });

TEST_F(PowerUpTest, WhileActiveTheBinsCompletingAComboWithTheIngredientLightUpAndOffAlwaysWorks)
{
    powerUps->HighlightBinsForCombos(true, Label("Chicken"));
    EXPECT_EQ(Lit(false), Names{}) << "nothing while the power-up does not run";
    powerUps->Use(PowerUpType::HilightCombo);
    powerUps->HighlightBinsForCombos(true, Label("Chicken"));
    EXPECT_EQ(Lit(false), (Names{"Lemon", "Garlic"}));
    powerUps->HighlightBinsForCombos(false, Label());
    powerUps->HighlightBinsForCombos(true, Label("Tomato"));
    EXPECT_EQ(Lit(false), Names{"Basil"});
    EXPECT_EQ(Lit(true), Names{});
    GameUpdate(Updates("PowerUpActiveTime_HilightCombo") + 2);
    EXPECT_EQ(Lit(false), Names{}) << "the end takes the highlights";
    BinOf("Basil")->SetComboHighlight(true);
    BinOf("Basil")->SetAttributeHighlight(true);
    powerUps->HighlightBinsForCombos(false, Label());
    powerUps->HighlightBinsForRequests(false, Label(), Label(), 0);
    EXPECT_EQ(Lit(false), Names{});
    EXPECT_EQ(Lit(true), Names{}) << "off works with the power-ups ended";
}

TEST_F(PowerUpTest, HoveringTheStepDisplaysLightsTheBinsUntilThePointerOrTheHoveredDisplayGoes)
{
    powerUps->Use(PowerUpType::HilightAtt);
    powerUps->Use(PowerUpType::HilightCombo);
    rig.Step();
    // The waiting flavouring step asks for Fresh.
    auto* waiting = DisplayOf<IngredientStepDisplay>(*steps[2]);
    ASSERT_NE(waiting, nullptr);
    EXPECT_TRUE(Shown(waiting->GetNode(), PathOf({"StepDisplay", "Att1_Sparkle"}))) << "the requests sparkle";
    EXPECT_FLOAT_EQ(SparkEndScale(waiting->GetNode(), PathOf({"StepDisplay", "Att1_Sparkle"})), 0.2f)
        << "a waiting step's request sparks shrink";
    ASSERT_NO_FATAL_FAILURE(Point(waiting->GetNode()->FindByPath(PathOf({"StepDisplay", "Attribute_1"}))));
    EXPECT_EQ(Lit(true), (Names{"Basil", "Lemon"}));
    rig.MoveTo(300, 150);
    EXPECT_EQ(Lit(true), Names{});

    // The cooking steps' ingredients light their combos' bins.
    ASSERT_NO_FATAL_FAILURE(Serve(0, "Tomato"));
    ASSERT_NO_FATAL_FAILURE(Serve(3, "Sausage"));
    rig.Step();
    auto* cooking = DisplayOf<ActionStepDisplay>(*steps[0]);
    ASSERT_NE(cooking, nullptr);
    // A display made while the highlights run sparkles at once: the met request, the ingredient.
    EXPECT_TRUE(Shown(cooking->GetNode(), PathOf({"StepDisplay", "Att1_Sparkle"})));
    EXPECT_TRUE(Shown(cooking->GetNode(), PathOf({"StepDisplay", "IngredientImg_SparkleNode"})));
    EXPECT_FLOAT_EQ(SparkEndScale(cooking->GetNode(), PathOf({"StepDisplay", "Att1_Sparkle"})), 0.5f)
        << "a cooking step's keep their size";
    ASSERT_NO_FATAL_FAILURE(Point(cooking->GetNode()->FindByPath(PathOf({"StepDisplay", "IngredientImg_BG"}))));
    EXPECT_EQ(Lit(false), Names{"Basil"});
    EXPECT_EQ(powerUps->GetHoveredDisplay(), steps[0]->GetID());
    // Another display going keeps them; the hovered one going takes them.
    steps[3]->StartFinishing();
    GameUpdate(2);
    ASSERT_EQ(DisplayOf<ActionStepDisplay>(*steps[3]), nullptr);
    EXPECT_EQ(Lit(false), Names{"Basil"});
    steps[0]->StartFinishing();
    GameUpdate(2);
    EXPECT_EQ(Lit(false), Names{});
    EXPECT_EQ(powerUps->GetHoveredDisplay(), kNoObject);
}

struct ShuffleCase
{
    const char* name;
    PowerUpType kind;
    int category;
};

class Shuffles : public PowerUpTest, public testing::WithParamInterface<ShuffleCase>
{
};

TEST_P(Shuffles, AShuffleReplacesEveryBinOfItsCategoryAndNoOther)
{
    const ShuffleCase& c = GetParam();
    std::map<int, std::set<ObjectID>> before;
    for (int category = 0; category < 3; ++category)
        for (IngredientBin* bin : pantry->GetBins(category))
            before[category].insert(bin->GetID());
    powerUps->Use(c.kind);
    EXPECT_EQ(powerUps->GetCount(c.kind), 0);
    const auto replaced = [&] {
        const std::vector<IngredientBin*> bins = pantry->GetBins(c.category);
        return bins.size() == before[c.category].size() &&
               std::none_of(bins.begin(), bins.end(),
                            [&](IngredientBin* bin) { return before[c.category].contains(bin->GetID()); });
    };
    int updates = 0;
    for (; !replaced() && updates < 300; ++updates)
        GameUpdate();
    EXPECT_LT(updates, 300) << "the category's bins were not all replaced";
    for (int category = 0; category < 3; ++category)
        if (category != c.category)
            for (IngredientBin* bin : pantry->GetBins(category))
            {
                EXPECT_TRUE(before[category].contains(bin->GetID())) << "category " << category;
            }
}

INSTANTIATE_TEST_SUITE_P(PowerUps, Shuffles,
                         testing::Values(ShuffleCase{"Meat", PowerUpType::Shuffle_M, 1},
                                         ShuffleCase{"Flavoring", PowerUpType::Shuffle_F, 2},
                                         ShuffleCase{"Vegetable", PowerUpType::Shuffle_V, 0}),
                         [](const testing::TestParamInfo<ShuffleCase>& info) { return std::string(info.param.name); });

// The whole level as a player plays it: every power-up from its button, each step served from the
// pantry by the mouse (a flavour set of three and the tomato and basil combo in the first dish, a
// set of two in the second), the cook working, both dishes finished. The score before the time
// bonus is what the steps earned, and the combo is recorded under its recipe for the judges.
TEST_F(PowerUpTest, AWholeLevelWithEveryPowerUpKeepsTheScoreEqualToTheStepsPointsAndRecordsTheCombo)
{
    for (int kind = 0; kind < kPowerUpTypeCount; ++kind)
    {
        rig.Click(kButtons + kButtonNames[kind]);
        GameUpdate(5);
    }
    for (int kind = 0; kind < kPowerUpTypeCount; ++kind)
        EXPECT_EQ(powerUps->GetCount(static_cast<PowerUpType>(kind)), kind < 3 ? 1 : 0);
    GameUpdate(100);
    ASSERT_EQ(pantry->GetBins().size(), 10u) << "the shuffled bins are back";

    const char* const firstDish[] = {"Tomato", "Carrot", "Basil", "Chicken"};
    for (std::size_t i = 0; i < 4; ++i)
        ASSERT_NO_FATAL_FAILURE(Serve(i, firstDish[i]));
    EXPECT_EQ(CountSounds("start", "VO_Orvel_Set"), 1) << "three stations met Fresh";
    ASSERT_NO_FATAL_FAILURE(WorkOn(*steps[0]));
    rig.Click(kButtons + ButtonName(PowerUpType::Skills));
    for (int i = 0; i < 3000 && steps[0]->GetState() == RecipeStep::kCooking; ++i)
        GameUpdate();
    ASSERT_GT(steps[0]->GetState(), RecipeStep::kCooking);
    ASSERT_NO_FATAL_FAILURE(FinishServedDish());
    ASSERT_GE(rig.StepUntil([&] { return game->GetPopup() != kNoObject; }, 200), 0);
    ClosePopup();

    steps.clear();
    FindRecipeList()->SendSteps();
    const auto* recipe = dynamic_cast<Recipe*>(game->Get(FindRecipeList()->GetCurrentRecipe()));
    ASSERT_NE(recipe, nullptr);
    for (ObjectID id : recipe->GetSteps())
        steps.push_back(Step(id));
    ASSERT_EQ(steps.size(), 2u);
    for (int i = 0; i < 300 && !(steps[0]->GetState() == RecipeStep::kAtStation &&
                                 steps[1]->GetState() == RecipeStep::kAtStation &&
                                 DisplayOf<IngredientStepDisplay>(*steps[1]) && pantry->GetBins().size() == 3);
         ++i)
        ReadBubbles(1);
    rig.Click(kButtons + ButtonName(PowerUpType::HilightAtt));
    ASSERT_NO_FATAL_FAILURE(Serve(0, "Carrot"));
    ASSERT_NO_FATAL_FAILURE(Serve(1, "Honey"));
    ASSERT_NO_FATAL_FAILURE(FinishServedDish());
    ASSERT_GE(rig.StepUntil([&] { return rig.TopAs<LevelOutroMode>() != nullptr; }, 300), 0);

    LevelProgressManager* results = LevelProgressManager::Instance();
    int points = 0;
    for (const char* dish : {"Recipe_TestPowerUpsA", "Recipe_TestPowerUpsB"})
    {
        std::vector<StepResult> stepResults;
        results->ForEachStepResult(Label(dish), stepResults);
        EXPECT_EQ(stepResults.size(), std::string(dish).back() == 'A' ? 4u : 2u);
        for (const StepResult& result : stepResults)
            points += result.points;
    }
    // The outro gets the score before the time bonus.
    EXPECT_EQ(rig.TopAs<LevelOutroMode>()->GetScore(), points);
    EXPECT_GT(points, 0);
    std::vector<Label> combos;
    results->ForEachCombo(Label("Recipe_TestPowerUpsA"), combos);
    EXPECT_EQ(combos, std::vector<Label>{Label("Combo_TomatoBasil")});
    combos.clear();
    results->ForEachCombo(Label("Recipe_TestPowerUpsB"), combos);
    EXPECT_TRUE(combos.empty());
}
} // namespace
