// The level's results for the judges: step results kept per dish in recording order, dishes
// completed once, dish names only for dishes with results, a random combo of a dish.
#include "Game/Data/LevelResults.h"

#include "BoostRandomNumberStream.h"
#include "RandomStream.h"

#include <gtest/gtest.h>

#include <set>

using Corvane::Label;

namespace
{
TEST(LevelResults, StepResultsStayUnderTheirDishInRecordingOrder)
{
    LevelResults results;
    const Label soup("Recipe_Soup"), salad("Recipe_Salad"), pie("Recipe_Pie");
    const StepResult first{true, Label("Tomato"), 0, 80};
    const StepResult second{false, Label("Basil"), -1, -15};
    results.RecordStepResult(soup, first);
    results.RecordStepResult(salad, {true, Label("Carrot"), 2, 40});
    results.RecordStepResult(soup, second);
    results.RecordCompletedDish(pie);

    std::vector<StepResult> soupResults;
    results.ForEachStepResult(soup, soupResults);
    EXPECT_EQ(soupResults, (std::vector<StepResult>{first, second}));
    std::vector<StepResult> none;
    results.ForEachStepResult(pie, none);
    EXPECT_TRUE(none.empty());

    std::vector<Label> keys{Label("Already")};
    results.CollectDishKeys(keys);
    ASSERT_EQ(keys.size(), 3u) << "appended, once each, only dishes with step results";
    EXPECT_EQ((std::set<Label>{keys[1], keys[2]}), (std::set<Label>{soup, salad}));
    EXPECT_TRUE(keys[1] < keys[2]) << "in key order";

    results.Clear();
    keys.clear();
    results.CollectDishKeys(keys);
    EXPECT_TRUE(keys.empty());
    EXPECT_FALSE(results.IsDishCompleted(pie));
}

TEST(LevelResults, ADishIsCompletedOnceHoweverOftenRecorded)
{
    LevelResults results;
    EXPECT_FALSE(results.IsDishCompleted(Label("Recipe_Soup")));
    results.RecordCompletedDish(Label("Recipe_Soup"));
    results.RecordCompletedDish(Label("Recipe_Soup"));
    EXPECT_TRUE(results.IsDishCompleted(Label("Recipe_Soup")));
    EXPECT_FALSE(results.IsDishCompleted(Label("Recipe_Salad")));
}

TEST(LevelResults, ARandomComboComesFromTheDishsOwnAndNoneWithout)
{
    BoostRandomNumberStream seeded(99);
    Corvane::PushRandomStream(&seeded);
    LevelResults results;
    const Label soup("Recipe_Soup");
    EXPECT_EQ(results.PickRandomCombo(soup), Label());
    results.RecordCombo(Label("Recipe_Salad"), Label("Combo_Other"));
    results.RecordCombo(soup, Label("Combo_Garden"));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(results.PickRandomCombo(soup), Label("Combo_Garden"));

    results.RecordCombo(soup, Label("Combo_Herbs"));
    results.RecordCombo(soup, Label("Combo_Garden"));
    std::multiset<Label> picks;
    for (int i = 0; i < 300; ++i)
        picks.insert(results.PickRandomCombo(soup));
    EXPECT_EQ(picks.count(Label("Combo_Other")), 0u);
    EXPECT_GT(picks.count(Label("Combo_Garden")), 150u) << "recorded twice, it is picked about two times in three";
    EXPECT_GT(picks.count(Label("Combo_Herbs")), 60u);
    Corvane::PopRandomStream();
}
} // namespace
