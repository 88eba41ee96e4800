// The display of a cooking step at its station: it replaces the ingredient prompt, shows only the
// requests the ingredient met, its meter follows the progress until the step finishes (then it
// goes and the station is free), presses on it walk the cook there and then start and stop his
// work, which takes the place of the action's idle figure, and the station's cooking sounds
// follow, pausing with the level.
#include "KitchenTest.h"

#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/IngredientData.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Kitchen/ActionStepDisplay.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/FennikPlayfield.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Kitchen/RecipeListEntry.h"
#include "SceneGraph/MeterComponent.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/StaticSpriteNode.h"

#include <algorithm>

using namespace Corvane;
using namespace KitchenLevels;

namespace
{
using Names = std::vector<std::string>;

// Test_Cooking at four stations: step 0 asks Fresh and Sweet (vegetable), 1 Rich (meat, sauteed),
// 2 Bitter (mixed), 3 Sour.
class ActionDisplayTest : public KitchenTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SendFirstDishToStations(kCooking, 4));
    }
    void Add(RecipeStep* step, const char* ingredient)
    {
        const auto* data = ResourceManager::Get<CookingIngredientData>(Label(ingredient)).Get();
        ASSERT_NE(data, nullptr);
        step->AddIngredient(CookingIngredient(*data));
    }
    CookingStation* StationOf(const RecipeStep* step) const
    {
        return dynamic_cast<CookingStation*>(game->Get(step->GetStation()));
    }
    ActionStepDisplay* DisplayOf(const RecipeStep* step) const
    {
        const CookingStation* station = StationOf(step);
        return station ? dynamic_cast<ActionStepDisplay*>(station->GetStepDisplay()) : nullptr;
    }
    SceneNode* Child(const RecipeStep* step, const NodePath& path) const
    {
        ActionStepDisplay* display = DisplayOf(step);
        return display && display->GetNode() ? display->GetNode()->FindByPath(path) : nullptr;
    }
    // A press and release on the display's press area.
    void Press(const RecipeStep* step)
    {
        SceneNode* area = Child(step, {"clickRect"});
        ASSERT_NE(area, nullptr);
        const Vector2<float> at = area->GetWorldCenter();
        rig.MoveTo(static_cast<int>(at.x), static_cast<int>(at.y));
        rig.PressAt(static_cast<int>(at.x), static_cast<int>(at.y));
        rig.ReleaseAt(static_cast<int>(at.x), static_cast<int>(at.y));
    }
    Names EventsSince(std::size_t first) const
    {
        Names names;
        const auto& events = rig.Audio().GetEvents();
        for (std::size_t i = first; i < events.size(); ++i)
            if (events[i].sound.rfind("CookingStation_", 0) == 0)
                names.push_back(events[i].event + " " + events[i].sound);
        return names;
    }

};

struct ShownCase
{
    const char* name;
    const char* ingredient;
    bool first;
    bool second;
};

class RequestsShown : public ActionDisplayTest, public testing::WithParamInterface<ShownCase>
{
};

TEST_P(RequestsShown, OnlyTheRequestsTheIngredientMetShow)
{
    Add(steps[0], GetParam().ingredient);
    SceneNode* first = Child(steps[0], {"StepDisplay", "Attribute_1"});
    SceneNode* second = Child(steps[0], {"StepDisplay", "Attribute_2"});
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->IsVisible(), GetParam().first);
    EXPECT_EQ(second->IsVisible(), GetParam().second);
    EXPECT_EQ(dynamic_cast<IText*>(first)->GetText(), L"Fresh");
    EXPECT_EQ(dynamic_cast<IText*>(second)->GetText(), L"Sweet");
}

INSTANTIATE_TEST_SUITE_P(ActionStepDisplay, RequestsShown,
                         testing::Values(ShownCase{"Both", "Tomato", true, true},
                                         ShownCase{"FirstOnly", "TestSourCream", true, false},
                                         ShownCase{"Neither", "Chicken", false, false}),
                         [](const testing::TestParamInfo<ShownCase>& info) { return info.param.name; });

TEST_F(ActionDisplayTest, TheMeterFollowsTheProgressUntilTheStepFinishesThenTheDisplayGoes)
{
    Add(steps[0], "Tomato");
    ActionStepDisplay* display = DisplayOf(steps[0]);
    ASSERT_NE(display, nullptr);
    const ObjectID displayID = display->GetID();
    auto* meter = dynamic_cast<IMeter*>(Child(steps[0], {"ProgMeter", "meter"}));
    ASSERT_NE(meter, nullptr);
    for (int i = 0; i < 20; ++i)
    {
        GameUpdate();
        ASSERT_FLOAT_EQ(meter->GetValue(), steps[0]->GetProgress());
    }
    EXPECT_GT(meter->GetValue(), 0.0f);
    steps[0]->StartFinishing();
    GameUpdate(2);
    EXPECT_EQ(game->Get(displayID), nullptr) << "the display removed itself";
    EXPECT_TRUE(StationOf(steps[0])->IsFree());
}

// The cook's figure and the station's idle figure of the action take turns: one of them shows.
TEST_F(ActionDisplayTest, PressesWalkTheCookToTheStationAndThenStartAndStopHisWorkInPlaceOfTheIdleFigure)
{
    PlayerAvatar* cook = FindPlayerAvatar();
    ASSERT_NE(cook, nullptr);
    SceneNode* standing = cook->GetNode()->FindByPath(ObjectPaths::PlayerAvatar::kAnimation);
    SceneNode* working = cook->GetNode()->FindByPath(ObjectPaths::PlayerAvatar::kCookingAnim);
    ASSERT_TRUE(standing && working);
    RecipeStep* here = steps[0]->GetStation() == cook->GetStation() ? steps[0] : steps[1];
    ASSERT_EQ(here->GetStation(), cook->GetStation());
    here->SetWorking(true);
    EXPECT_TRUE(standing->IsVisible() && !working->IsVisible()) << "no ingredient yet: nothing to work on";

    RecipeStep* step = here == steps[0] ? steps[1] : steps[0];
    auto* playfield = dynamic_cast<FennikPlayfield*>(game->FindByName(FennikPlayfield::Name()));
    ASSERT_NE(playfield, nullptr);
    StaticSpriteNode* prompt = playfield->GetStationPrompt(StationOf(step)->GetSlot());
    ASSERT_NE(prompt, nullptr);
    ASSERT_GE(rig.StepUntil([&] { return prompt->IsVisible(); }, 100), 0);
    Add(step, "Sausage");
    EXPECT_FALSE(prompt->IsVisible()) << "the prompt for an ingredient goes when cooking starts";
    rig.Step(30);
    EXPECT_FALSE(prompt->IsVisible());
    SceneNode* idle = Child(step, {"ActionIndicator"});
    ASSERT_NE(idle, nullptr);
    EXPECT_TRUE(idle->IsVisible());
    Press(step);
    EXPECT_FALSE(step->IsWorking());
    EXPECT_EQ(cook->GetWalkingTo(), step->GetStation()) << "the first press sends the cook";
    for (int i = 0; i < 500 && cook->GetStation() != step->GetStation(); ++i)
        ReadBubbles(1);
    ASSERT_EQ(cook->GetStation(), step->GetStation());
    GameUpdate();
    const bool worked = step->IsActivelyWorked();
    for (bool expected : {!worked, worked})
    {
        Press(step);
        EXPECT_EQ(step->IsActivelyWorked(), expected) << "with the cook there a press toggles his work";
        EXPECT_EQ(working->IsVisible(), expected);
        EXPECT_EQ(standing->IsVisible(), !expected);
        EXPECT_EQ(idle->IsVisible(), !expected) << "the idle figure gives way to the working cook";
    }
}

TEST_F(ActionDisplayTest, MixingHasNoLoopOnItsOwnSauteingSizzlesUnderTheCookAndBothPauseWithTheLevel)
{
    std::size_t first = rig.Audio().GetEvents().size();
    Add(steps[2], "Basil");
    Add(steps[1], "Sausage");
    GameUpdate();
    EXPECT_EQ(EventsSince(first), Names{"start CookingStation_Passive_Saute"}) << "mixing is silent on its own";

    for (RecipeStep* step : {steps[2], steps[1]})
    {
        first = rig.Audio().GetEvents().size();
        step->OnStationClicked();
        for (int i = 0; i < 500 && !step->IsActivelyWorked(); ++i)
            ReadBubbles(1);
        GameUpdate();
    }
    // The last run: the cook left the mixing bowl for the pan, whose sizzle goes on under him.
    Names events = EventsSince(first);
    std::sort(events.begin(), events.end());
    EXPECT_EQ(events, (Names{"start CookingStation_Active_Saute", "stop CookingStation_Active_Mix"}));

    first = rig.Audio().GetEvents().size();
    rig.KeyCode(27);
    rig.Step();
    rig.PopTop();
    rig.Step();
    events = EventsSince(first);
    std::sort(events.begin(), events.end());
    EXPECT_EQ(events, (Names{"pause CookingStation_Active_Saute", "pause CookingStation_Passive_Saute",
                             "resume CookingStation_Active_Saute", "resume CookingStation_Passive_Saute"}));
}
} // namespace
