// A whole level played as a script plays it, on the real loop with a seeded random stream: the
// send button, an ingredient for each waiting step, the cook sent to work by presses on the
// cooking displays, the dishes' popups closed. Every dish finishes, the level ends early with a
// time bonus, and the score is the sum of every step's points.
#include "KitchenTest.h"

#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/IngredientData.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Kitchen/ActionStepDisplay.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Game/Menus/LevelOutroMode.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/SceneNode.h"

using namespace Corvane;
using namespace KitchenLevels;

namespace
{
// The first of the recipe's ingredients of the step's category.
const CookingIngredientData* IngredientFor(const Recipe& recipe, const RecipeStep& step)
{
    for (Label name : recipe.GetData().ingredients)
        if (const auto* data = ResourceManager::Get<CookingIngredientData>(name).Get())
            if (data->category == step.GetCategory())
                return data;
    return nullptr;
}

class CookingFlow : public KitchenTest
{
protected:
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
            auto* send = dynamic_cast<ButtonNode*>(rig.FindNode(button));
            EXPECT_NE(send, nullptr);
            if (send)
                send->Click();
            return send != nullptr;
        }
        for (RecipeStep* step : AllSteps())
            if (step->GetState() == RecipeStep::kAtStation)
            {
                const auto* recipe = dynamic_cast<Recipe*>(game->Get(step->GetRecipe()));
                const CookingIngredientData* data = recipe ? IngredientFor(*recipe, *step) : nullptr;
                EXPECT_NE(data, nullptr) << "no ingredient for a step";
                if (!data)
                    return false;
                step->AddIngredient(CookingIngredient(*data));
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
} // namespace
