// The cooking stations and their flame meters on the level screen: flames lost after two warnings
// while a station waits, gained up to six, the meter's place by its flames; the station as drag
// target under the pointer, presses that walk the cook, the prompt and key-step marker of a step
// that arrives, the release of a finished step, and the step questions of a free station.
#include "KitchenTest.h"

#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/DragAndDrop.h"
#include "Game/Kitchen/FennikPlayfield.h"
#include "Game/Kitchen/FlameMeter.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Menus/TutorialManager.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/StaticSpriteNode.h"

#include <algorithm>
#include <cmath>
#include <map>

using namespace Corvane;
using namespace KitchenLevels;
using namespace KitchenPaths;

namespace
{
constexpr float kUpdate = 0.02f;

int Updates(float seconds)
{
    return static_cast<int>(std::lround(seconds / kUpdate));
}

float Value(const char* name)
{
    return ResourceManager::GetValue<float>(Label(name), -1.0f);
}

Vector2<float> VectorValue(const char* name)
{
    return ResourceManager::GetValue<Vector2<float>>(Label(name), {-1.0f, -1.0f});
}

class StationTest : public KitchenTest
{
protected:
    StationTest() = default;
    // A new player's profile: the tips show.
    explicit StationTest(bool tipsSeen) : KitchenTest({1, CORVANE_TEST_DATA "/Kitchen", tipsSeen}) {}

    void SetUp() override
    {
        game = rig.StartLevel(kStations);
        ASSERT_NE(game, nullptr);
        rig.Step(60);
        rig.Click(kPopupBG);
        ASSERT_FALSE(game->IsPaused());
        // The first popup's tip waits until the click has rested a second.
        ReadBubbles(Updates(1.0f) + 3);
        for (ObjectID id : game->GetGroup(CookingStation::Group()))
            if (auto* station = dynamic_cast<CookingStation*>(game->Get(id)))
                stations[station->GetSlot()] = station;
        ASSERT_EQ(stations.size(), 4u);
        const auto* recipe = dynamic_cast<Recipe*>(game->Get(FindRecipeList()->GetCurrentRecipe()));
        ASSERT_NE(recipe, nullptr);
        for (ObjectID id : recipe->GetSteps())
            steps.push_back(dynamic_cast<RecipeStep*>(game->Get(id)));
        ASSERT_EQ(steps.size(), 4u) << "one step of each action";
        meter = stations[0]->GetFlameMeter();
        ASSERT_NE(meter, nullptr);
    }
    AnimatedSpriteNode* Flame(int k) const
    {
        return meter->GetNode()->FindByPathAs<AnimatedSpriteNode>(ObjectPaths::FlameMeter::kFlames[k - 1]);
    }
    Vector2<float> ExpectedRoot(int flames) const
    {
        const Vector2<float> base = VectorValue("FlameRootLocation_Base");
        const Vector2<float> offset = VectorValue("FlameRootLocation_Offset");
        return {base.x + static_cast<float>(flames - 1) * offset.x, base.y + static_cast<float>(flames - 1) * offset.y};
    }
    void ExpectFlamesShown(int flames) const
    {
        EXPECT_EQ(meter->GetFlames(), flames);
        for (int k = 1; k <= FlameMeter::kMaxFlames; ++k)
            EXPECT_EQ(Flame(k)->IsVisible(), k <= flames) << "flame " << k << " of " << flames;
        EXPECT_EQ(meter->GetNode()->GetPosition(), ExpectedRoot(flames));
    }
    SceneNode* StationChild(int slot, const NodePath& path) const { return stations.at(slot)->GetNode()->FindByPath(path); }
    DragTargetContainer* Targets() const { return dynamic_cast<DragTargetContainer*>(game->FindByName(DragTargetContainer::Name())); }

    std::map<int, CookingStation*> stations;
    FlameMeter* meter = nullptr;
};

struct WaitCase
{
    const char* name;
    bool forWork;
    const char* lossTime;
    int tip;
};

class FlameLoss : public StationTest, public testing::WithParamInterface<WaitCase>
{
protected:
    FlameLoss() : StationTest(false) {}
};

TEST_P(FlameLoss, AFlameGoesEveryWaitPlusTwoWarningsDownToNoneAndTheTimerThenCyclesWithoutEffect)
{
    const WaitCase& wait = GetParam();
    const float w = Value(wait.lossTime);
    const float slow = Value("FlameLossTime_SlowFlash");
    const float fast = Value("FlameLossTime_FastFlash");
    ASSERT_GT(w, 0.0f);
    if (wait.forWork)
        meter->StartInteractionWait();
    else
        meter->StartIngredientWait();
    EXPECT_EQ(meter->IsWaitingForWork(), wait.forWork);

    // The first warning finds no flame lit: no tip, no warning. Flames lit before the second get
    // it, with the tip at once (a tip is shown once).
    EXPECT_EQ(ReadBubbles(Updates(w) + 2), std::vector<int>{});
    for (int gains = 0; gains < 3; ++gains)
        meter->GainFlame();
    const int warnedAt = rig.StepUntil([&] { return Flame(3)->IsPlaying(Label("Alert_Fast")); }, 1000);
    EXPECT_NEAR(warnedAt, Updates(slow) - 2, 2);
    EXPECT_EQ(ReadBubbles(1), std::vector<int>{wait.tip});
    ASSERT_GE(rig.StepUntil([&] { return meter->GetFlames() < 3; }, 1000), 0);

    for (int flames = 2; flames > 0; --flames)
    {
        AnimatedSpriteNode* top = Flame(flames);
        const int slowAt = rig.StepUntil([&] { return top->IsPlaying(Label("Alert_Slow")); }, 1000);
        EXPECT_NEAR(slowAt, Updates(w), 2) << flames << " flames";
        EXPECT_EQ(ReadBubbles(1), std::vector<int>{});
        const int fastAt = rig.StepUntil([&] { return top->IsPlaying(Label("Alert_Fast")); }, 1000);
        EXPECT_NEAR(fastAt, Updates(slow), 2);
        const int lostAt = rig.StepUntil([&] { return meter->GetFlames() < flames; }, 1000);
        EXPECT_NEAR(lostAt, Updates(fast), 2);
        ExpectFlamesShown(flames - 1);
        EXPECT_TRUE(meter->IsTimerRunning()) << "the timer runs again under its name";
        EXPECT_EQ(meter->IsWaitingForWork(), wait.forWork) << "in the same wait";
    }
    // At 0 flames: whole cycles go by with neither loss nor warning.
    for (int i = 0; i < Updates(2.0f * (w + slow + fast)); ++i)
    {
        rig.Step();
        ASSERT_EQ(meter->GetFlames(), 0);
        for (int k = 1; k <= FlameMeter::kMaxFlames; ++k)
            ASSERT_FALSE(Flame(k)->IsVisible());
    }
    EXPECT_TRUE(meter->IsTimerRunning());
    meter->StopTimers();
    EXPECT_FALSE(meter->IsTimerRunning());
}

INSTANTIATE_TEST_SUITE_P(CookingStation, FlameLoss,
                         testing::Values(WaitCase{"WaitingForAnIngredient", false, "FlameLossTime_Ingredient", 19},
                                         WaitCase{"WaitingForTheCooksWork", true, "FlameLossTime_Interaction", 20}),
                         [](const testing::TestParamInfo<WaitCase>& info) { return info.param.name; });

TEST_F(StationTest, FlamesAreGainedUpToSixEachEnteringAndTheRootFollowsTheCount)
{
    ExpectFlamesShown(0);
    const Vector2<float> scale = VectorValue("FlameRootLocation_ScaleFactor");
    const float alpha = Value("FlameRootLocation_AlphaFactor");
    const int enter = Updates(Value("FlameRootLocation_EnterTime"));
    for (int gains = 1; gains <= FlameMeter::kMaxFlames + 1; ++gains)
    {
        meter->GainFlame();
        const int flames = std::min(gains, FlameMeter::kMaxFlames);
        ExpectFlamesShown(flames);
        AnimatedSpriteNode* top = Flame(flames);
        EXPECT_EQ(top->GetScale(), scale) << "gain " << gains << " enters from large";
        EXPECT_FLOAT_EQ(top->GetColor().alpha, alpha);
        rig.Step(enter + 1);
        EXPECT_EQ(top->GetScale(), (Vector2<float>{1.0f, 1.0f})) << "gain " << gains;
        EXPECT_FLOAT_EQ(top->GetColor().alpha, 1.0f);
        EXPECT_TRUE(top->IsPlaying(Label("Idle")));
    }
    EXPECT_FALSE(meter->IsTimerRunning()) << "a gain starts no timer";
    stations[0]->ResetFlames();
    ExpectFlamesShown(0);
}

TEST_F(StationTest, AFreeStationBecomesTheDragTargetOnEnterAndItsLeaveClearsOnlyItself)
{
    DragTargetContainer* targets = DragTargetContainer::Get();
    ASSERT_NE(targets, nullptr);
    rig.Move(StationArea(0));
    EXPECT_EQ(targets->GetCurrent(), stations[0]->GetID());
    rig.Move(StationArea(2));
    EXPECT_EQ(targets->GetCurrent(), stations[2]->GetID()) << "the leave of the first, then the enter of the next";
    rig.MoveTo(400, 150);
    EXPECT_EQ(targets->GetCurrent(), kNoObject);

    rig.Move(StationArea(0));
    targets->SetCurrent(stations[1]->GetID());
    rig.MoveTo(400, 150);
    EXPECT_EQ(targets->GetCurrent(), stations[1]->GetID()) << "a leave clears only its own station";

    targets->SetCurrent(kNoObject);
    stations[3]->ReceiveStep(steps[0]->GetID());
    rig.Move(StationArea(3));
    EXPECT_EQ(targets->GetCurrent(), kNoObject) << "a station with a step is no target";
}

TEST_F(StationTest, APressAlwaysWalksTheCookAndAReleaseDoesNothing)
{
    auto* cook = dynamic_cast<PlayerAvatar*>(game->FindByName(PlayerAvatar::Name()));
    ASSERT_NE(cook, nullptr);
    stations[3]->ReceiveStep(steps[0]->GetID());
    rig.Press(StationArea(3));
    EXPECT_EQ(cook->GetWalkingTo(), stations[3]->GetID()) << "with a step too";
    rig.Release(StationArea(0));
    rig.Step();
    EXPECT_EQ(cook->GetWalkingTo(), stations[3]->GetID());
    rig.Press(StationArea(2));
    EXPECT_EQ(cook->GetWalkingTo(), stations[2]->GetID()) << "a free station too";
}

class StationTips : public StationTest
{
protected:
    StationTips() : StationTest(false) {}
};

TEST_F(StationTips, AnArrivingStepShowsItsPromptAfterHalfASecondAndStartsTheIngredientWait)
{
    auto* playfield = dynamic_cast<FennikPlayfield*>(game->FindByName(FennikPlayfield::Name()));
    ASSERT_NE(playfield, nullptr);
    StaticSpriteNode* prompt = playfield->GetStationPrompt(1);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(playfield->GetStationPrompt(4), nullptr);
    EXPECT_FALSE(prompt->IsVisible());
    stations[1]->ReceiveStep(steps[0]->GetID());
    EXPECT_EQ(steps[0]->GetState(), RecipeStep::kAtStation);
    EXPECT_EQ(steps[0]->GetStation(), stations[1]->GetID());
    EXPECT_TRUE(meter->GetFlames() == 0 && !stations[1]->GetFlameMeter()->IsWaitingForWork());
    EXPECT_TRUE(stations[1]->GetFlameMeter()->IsTimerRunning());
    const auto* prompts = ResourceManager::Get<ImageList>(Label("AddIngredientPopup")).Get();
    ASSERT_NE(prompts, nullptr);
    EXPECT_EQ(prompt->GetImage(), prompts->GetImage(2)) << "a vegetable step points at the vegetables";
    const int shown = rig.StepUntil([&] { return prompt->IsVisible(); }, 100);
    EXPECT_NEAR(shown, Updates(0.5f), 1);

    // The area shows with the key-step marker and asks for the pantry's tips, not for tip 18.
    SceneNode* keyStep = StationChild(1, ObjectPaths::CookingStation::kKeyStepBG);
    SceneNode* area = StationChild(1, ObjectPaths::CookingStation::kActionStepAttach);
    stations[1]->ShowStepArea(false);
    EXPECT_FALSE(area->IsVisible());
    EXPECT_FALSE(keyStep->IsVisible());
    stations[1]->ShowStepArea(true);
    EXPECT_TRUE(area->IsVisible());
    EXPECT_TRUE(keyStep->IsVisible()) << "the step shows in the dish: a key step";
    EXPECT_EQ(ReadBubbles(Updates(0.5f) + 8), (std::vector<int>{5, 6, 7, 8})) << "one request: no tip 18";

    // Every request met: a flame, then the station's tips around its place (the one about the
    // step's meter only once the step cooks and its meter shows).
    stations[1]->OnAllRequestsMet();
    EXPECT_EQ(stations[1]->GetFlameMeter()->GetFlames(), 1);
    EXPECT_EQ(stations[1]->GetFlameScore(),
              ResourceManager::GetValue<int>(Label("FlameMeter_PerFlameScore"), 0));
    EXPECT_EQ(ReadBubbles(Updates(Value("FlameRootLocation_EnterTime")) + 6), (std::vector<int>{9, 11}));
}

TEST_F(StationTest, AFinishedStepIsLetGoInTheNextUpdateWithTheMarkerAndTimerOff)
{
    stations[2]->ReceiveStep(steps[1]->GetID());
    stations[2]->ShowStepArea(true);
    SceneNode* keyStep = StationChild(2, ObjectPaths::CookingStation::kKeyStepBG);
    ASSERT_TRUE(keyStep->IsVisible());
    steps[1]->StartFinishing();
    EXPECT_FALSE(stations[2]->IsFree());
    rig.Step();
    EXPECT_TRUE(stations[2]->IsFree());
    EXPECT_FALSE(keyStep->IsVisible());
    EXPECT_FALSE(stations[2]->GetFlameMeter()->IsTimerRunning());
}

TEST_F(StationTest, AFreeStationAnswersItsStepQuestionsWithNoneAndGetsNoLoop)
{
    CookingStation* station = stations[0];
    EXPECT_EQ(station->GetStepIngredient(), Label());
    EXPECT_EQ(station->GetStepActionName(), Label());
    EXPECT_EQ(station->GetStepActionType(), -1);
    EXPECT_EQ(station->GetStepCategory(), -1);
    EXPECT_FALSE(station->StepHasMatched(Label("Fresh")));
    // A display pressed in the update after its step left: the cook arrives at a free station.
    station->OnAvatarArrived();
    station->OnAvatarLeft();
    const std::size_t before = rig.Audio().GetEvents().size();
    GameAudioManager::GetInstance()->StartPassiveStationSound(station->GetID());
    GameAudioManager::GetInstance()->StartActiveStationSound(station->GetID());
    rig.Step(2);
    for (std::size_t i = before; i < rig.Audio().GetEvents().size(); ++i)
        EXPECT_EQ(rig.Audio().GetEvents()[i].sound.rfind("CookingStation_", 0), std::string::npos)
            << rig.Audio().GetEvents()[i].ToString();

    // With steps, the answers come from them: one step of each action, all vegetables.
    const char* const actions[] = {"Chop", "Saute", "Boil", "Mix"};
    for (int i = 0; i < 4; ++i)
    {
        stations[i]->ReceiveStep(steps[static_cast<std::size_t>(i)]->GetID());
        EXPECT_EQ(stations[i]->GetStepActionName(), Label(actions[i]));
        EXPECT_EQ(stations[i]->GetStepActionType(), i);
        EXPECT_EQ(stations[i]->GetStepCategory(), 0);
        EXPECT_EQ(stations[i]->GetStepIngredient(), Label()) << "no ingredient yet";
        EXPECT_FALSE(stations[i]->StepHasMatched(Label("Fresh"))) << "requested, not met";
    }
}
} // namespace
