// What the kitchen records of a level for the judges: results kept per dish in the order they came,
// dishes listed once each, a combo drawn from the current random stream, and all of it emptied at
// once.
#include "BoostRandomNumberStream.h"
#include "Game/Data/GameDataTest.h"

#include <set>
#include <vector>

using namespace Corvane;

namespace
{
using LevelResultsTest = GameDataTest;

std::vector<int> Points(const LevelProgressManager& manager, const char* recipe)
{
    std::vector<StepResult> results;
    manager.ForEachStepResult(Label(recipe), results);
    std::vector<int> points;
    for (const StepResult& result : results)
        points.push_back(result.points);
    return points;
}

TEST_F(LevelResultsTest, StepsAreKeptPerDishInOrderAndEachDishIsListedOnce)
{
    LevelProgressManager& manager = *LevelProgressManager::Instance();
    EXPECT_TRUE(manager.HasNoLevelResults()) << "a new service starts empty";
    for (const auto& [recipe, points] : {std::pair{"Soup", 30}, {"Salad", 5}, {"Soup", 10}, {"Soup", 20}})
        manager.RecordStepResult(Label(recipe), StepResult{true, Label("Tomato"), 0, points});
    manager.RecordCompletedDish(Label("Soup"));
    manager.RecordCombo(Label("Pizza"), Label("Caprese")); // a dish without steps is no dish key

    EXPECT_EQ(Points(manager, "Soup"), (std::vector<int>{30, 10, 20}));
    EXPECT_EQ(Points(manager, "Salad"), std::vector<int>{5});
    EXPECT_TRUE(Points(manager, "Pizza").empty());
    std::vector<Label> keys;
    manager.CollectDishKeys(keys);
    EXPECT_EQ(keys.size(), 2u);
    EXPECT_EQ((std::set<Label>(keys.begin(), keys.end())), (std::set<Label>{Label("Soup"), Label("Salad")}));
    EXPECT_TRUE(manager.IsDishCompleted(Label("Soup")));
    EXPECT_FALSE(manager.IsDishCompleted(Label("Salad")));

    manager.ClearLevelResults();
    EXPECT_TRUE(manager.HasNoLevelResults());
    keys.clear();
    manager.CollectDishKeys(keys);
    EXPECT_TRUE(keys.empty());
    EXPECT_FALSE(manager.IsDishCompleted(Label("Soup")));
    EXPECT_EQ(manager.PickRandomCombo(Label("Pizza")), Label());
}

TEST_F(LevelResultsTest, ARandomComboIsOneOfTheDishsOwnAndNullWhenItHasNone)
{
    BoostRandomNumberStream stream(7);
    PushRandomStream(&stream);
    LevelProgressManager& manager = *LevelProgressManager::Instance();
    manager.RecordCombo(Label("Soup"), Label("Hearty"));
    for (const char* combo : {"Caprese", "Classic", "Caprese"})
        manager.RecordCombo(Label("Pizza"), Label(combo));

    std::set<Label> drawn;
    for (int i = 0; i < 200; ++i)
    {
        EXPECT_EQ(manager.PickRandomCombo(Label("Soup")), Label("Hearty"));
        drawn.insert(manager.PickRandomCombo(Label("Pizza")));
    }
    EXPECT_EQ(drawn, (std::set<Label>{Label("Caprese"), Label("Classic")}));
    EXPECT_EQ(manager.PickRandomCombo(Label("Salad")), Label());
    PopRandomStream();
}
} // namespace
