// The kitchen floor as a player meets it: the playfield's stations in their slots, the cook
// standing at slot 1, walking to a pressed station at his speed, idling, thinking while the
// next-recipe popup is up, and the speed-up sparkles; the power-up buttons, the bobbing prompts,
// the idle-kitchen tip and the background by the level's place in its episode; and the frames a
// player sees of all of it at work.
#include "KitchenTest.h"

#include "Framework/CommandLine.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Data/IngredientData.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/FennikPlayfield.h"
#include "Game/Kitchen/FindLive.h"
#include "Game/Kitchen/FlameMeter.h"
#include "Game/Kitchen/IngredientBin.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Kitchen/PowerUpManager.h"
#include "Game/Menus/TutorialManager.h"
#include "Graphics/IImage.h"
#include "Graphics/ImageList.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/AnimationController.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/ParticleSystemNode.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "Support/GoldenFrame.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

using namespace Corvane;
using namespace KitchenLevels;
using namespace KitchenPaths;

namespace
{
constexpr float kUpdate = 0.02f;

class KitchenFloorTest : public KitchenTest
{
protected:
    KitchenFloorTest() = default;
    explicit KitchenFloorTest(const Testing::KitchenRig::Options& options) : KitchenTest(options) {}

    void Start(int level)
    {
        game = rig.StartLevel(level);
        ASSERT_NE(game, nullptr);
        cook = dynamic_cast<PlayerAvatar*>(game->FindByName(PlayerAvatar::Name()));
        ASSERT_NE(cook, nullptr);
        for (ObjectID id : game->GetGroup(CookingStation::Group()))
            if (auto* station = dynamic_cast<CookingStation*>(game->Get(id)))
                stations[station->GetSlot()] = station;
    }
    ObjectID StationID(int slot) { return stations.at(slot)->GetID(); }
    float StationX(int slot) { return stations.at(slot)->GetNode()->GetWorldPosition().x; }
    float CookX() { return cook->GetNode()->GetWorldPosition().x; }
    AnimatedSpriteNode* Figure() const
    {
        return cook->GetNode()->FindByPathAs<AnimatedSpriteNode>(ObjectPaths::PlayerAvatar::kAnimation);
    }
    bool Plays(const char* animation) const { return Figure()->IsPlaying(Label(animation)); }
    static float Speed() { return static_cast<float>(ResourceManager::GetValue<int>(Label("AvatarMovementSpeed"), 0)); }

    // Steps until the cook stands at station (at most limit updates); the states he went through
    // on the way, each as (standing at, walking to), and the updates taken.
    struct Walk
    {
        std::vector<std::pair<ObjectID, ObjectID>> states;
        int updates = -1;
    };
    Walk StepUntilAt(ObjectID station, int limit = 400)
    {
        Walk walk;
        for (int i = 1; i <= limit; ++i)
        {
            rig.Step();
            const std::pair<ObjectID, ObjectID> state{cook->GetStation(), cook->GetWalkingTo()};
            if (walk.states.empty() || walk.states.back() != state)
                walk.states.push_back(state);
            if (cook->GetStation() == station)
            {
                walk.updates = i;
                break;
            }
        }
        return walk;
    }
    static int Updates(float seconds) { return static_cast<int>(std::lround(seconds / kUpdate)); }

    PlayerAvatar* cook = nullptr;
    std::map<int, CookingStation*> stations;
};

struct SlotCase
{
    const char* name;
    int level;
    std::vector<int> slots;
};

class StationSlots : public KitchenFloorTest, public testing::WithParamInterface<SlotCase>
{
};

TEST_P(StationSlots, TheStationsFillTheirSlotsAndTheCookStandsAtSlotOneWithoutWalking)
{
    Start(GetParam().level);
    std::vector<int> slots;
    for (const auto& [slot, station] : stations)
    {
        slots.push_back(slot);
        EXPECT_EQ(station->GetNode()->GetParent()->GetNodeName(),
                  Label::Format("CookingStation_%d", slot + 1))
            << "the station of slot " << slot << " hangs at its place";
        ASSERT_NE(station->GetFlameMeter(), nullptr);
        EXPECT_EQ(station->GetFlameMeter()->GetFlames(), 0);
    }
    EXPECT_EQ(slots, GetParam().slots);
    EXPECT_GT(Figure()->GetImageCount(), 0) << "the cook has pictures";
    const auto* playfield = dynamic_cast<FennikPlayfield*>(game->FindByName(FennikPlayfield::Name()));
    ASSERT_NE(playfield, nullptr);
    EXPECT_EQ(playfield->GetFirstStation(), StationID(1));
    EXPECT_EQ(cook->GetStation(), StationID(1));
    EXPECT_EQ(cook->GetWalkingTo(), kNoObject);
    EXPECT_EQ(CookX(), StationX(1));
    EXPECT_EQ(cook->GetNode()->GetPosition().y, 0.0f) << "he moves along x only";
}

INSTANTIATE_TEST_SUITE_P(KitchenFloor, StationSlots,
                         testing::Values(SlotCase{"One", kOneStation, {1}}, SlotCase{"Three", kThreeStations, {1, 2, 3}},
                                         SlotCase{"Four", kStations, {0, 1, 2, 3}}),
                         [](const testing::TestParamInfo<SlotCase>& info) { return info.param.name; });

TEST_F(KitchenFloorTest, APressOnAnotherStationWalksTheCookThereAtHisSpeedLeavingThenArrivingOnce)
{
    Start(kStations);
    ClosePopup();
    const float distance = StationX(3) - StationX(1);
    ASSERT_EQ(distance, 292.0f) << "the data's stations stand 146 apart";
    ASSERT_EQ(Speed(), 200.0f);
    // The step at the station he stands at is being worked: his leaving stops its work.
    const auto* recipe = dynamic_cast<Recipe*>(game->Get(FindRecipeList()->GetCurrentRecipe()));
    ASSERT_NE(recipe, nullptr);
    auto* step = dynamic_cast<RecipeStep*>(game->Get(recipe->GetSteps().front()));
    stations.at(1)->ReceiveStep(step->GetID());
    step->SetWorking(true);
    ASSERT_TRUE(step->IsWorking());
    rig.Press(StationArea(3));
    EXPECT_FALSE(step->IsWorking()) << "the station he left heard it";
    rig.Release(StationArea(3));
    EXPECT_TRUE(Plays("Walk"));
    const Walk walk = StepUntilAt(StationID(3));
    // 292 units at 200 a second: 1.46 s, arriving in the update after the move ends.
    EXPECT_GE(walk.updates, Updates(distance / Speed()) - 1);
    EXPECT_LE(walk.updates, Updates(distance / Speed()) + 1);
    const std::vector<std::pair<ObjectID, ObjectID>> expected{{kNoObject, StationID(3)}, {StationID(3), kNoObject}};
    EXPECT_EQ(walk.states, expected) << "left slot 1, walked, arrived once";
    EXPECT_EQ(CookX(), StationX(3));
    EXPECT_TRUE(Plays("Stand"));
    rig.Step(100);
    EXPECT_EQ(cook->GetStation(), StationID(3)) << "nothing more happens";
}

TEST_F(KitchenFloorTest, APressOnTheCooksOwnStationDoesNothing)
{
    Start(kStations);
    ClosePopup();
    rig.Press(StationArea(1));
    rig.Step(5);
    EXPECT_EQ(cook->GetStation(), StationID(1));
    EXPECT_EQ(cook->GetWalkingTo(), kNoObject);
    EXPECT_FALSE(Plays("Walk"));
    EXPECT_EQ(CookX(), StationX(1));
}

TEST_F(KitchenFloorTest, ANewStationMidWalkStopsTheWalkWhereItIsAndTheFirstNeverHearsArrive)
{
    Start(kStations);
    ClosePopup();
    rig.Press(StationArea(3));
    rig.Step(30);
    const float middle = CookX();
    EXPECT_GT(middle, StationX(1));
    EXPECT_LT(middle, StationX(3));
    rig.Press(StationArea(0));
    EXPECT_EQ(CookX(), middle) << "the walk stops where he is";
    const Walk walk = StepUntilAt(StationID(0));
    const int expected = Updates((middle - StationX(0)) / Speed());
    EXPECT_GE(walk.updates, expected - 1);
    EXPECT_LE(walk.updates, expected + 1);
    for (const auto& state : walk.states)
        EXPECT_NE(state.first, StationID(3)) << "he never stood at the first station";
    EXPECT_EQ(CookX(), StationX(0));
}

TEST_F(KitchenFloorTest, TheCookThinksWhileThePopupIsUpOnceHisWalkHasEndedAndStandsWhenItCloses)
{
    Start(kStations);
    // The first dish's popup is up: he thinks once his first (instant) walk has arrived.
    const int first = rig.StepUntil([&] { return Plays("Think"); }, 10);
    EXPECT_GE(first, 0);
    EXPECT_LE(first, 3);
    ClosePopup();
    EXPECT_TRUE(Plays("Stand"));

    rig.Press(StationArea(3));
    rig.Step(10);
    cook->SetThinking(true);
    rig.Step();
    EXPECT_TRUE(Plays("Walk")) << "he thinks once the walk is over";
    StepUntilAt(StationID(3));
    const int thinking = rig.StepUntil([&] { return Plays("Think"); }, 10);
    EXPECT_GE(thinking, 0);
    EXPECT_LE(thinking, 2) << "he thinks right after his arrival";
    rig.Step(600);
    EXPECT_TRUE(Plays("Think")) << "no idle animation while he thinks";
    cook->SetThinking(false);
    EXPECT_TRUE(Plays("Stand"));
}

TEST_F(KitchenFloorTest, ThePopupsTailFollowsTheCooksSide)
{
    Start(kStations);
    SceneNode* tail = rig.FindNode("GameScreenRoot/FX_Layer/NextRecipePopup/attachBubble");
    ASSERT_NE(tail, nullptr);
    EXPECT_TRUE(tail->GetDrawFlag4()) << "the cook stands left: the tail is mirrored towards him";
    for (int slot = 0; slot < 4; ++slot)
    {
        cook->WalkTo(StationID(slot), true);
        rig.Step();
        EXPECT_EQ(cook->IsOnRightSide(), StationX(slot) > 400.0f) << "slot " << slot;
    }
}

// The delay from the cook's arrival at a station to his idle animation, in a run of that seed.
float IdleDelay(unsigned seed)
{
    Testing::KitchenRig rig{{seed, CORVANE_TEST_DATA "/Kitchen"}};
    GameMode* game = rig.StartLevel(kStations);
    if (!game)
        return -1.0f;
    rig.Step(60);
    rig.Click(kPopupBG);
    auto* cook = dynamic_cast<PlayerAvatar*>(game->FindByName(PlayerAvatar::Name()));
    ObjectID target = kNoObject;
    for (ObjectID id : game->GetGroup(CookingStation::Group()))
        if (auto* station = dynamic_cast<CookingStation*>(game->Get(id)); station && station->GetSlot() == 2)
            target = id;
    rig.Press(StationArea(2));
    EXPECT_GE(rig.StepUntil([&] { return cook->GetStation() == target; }, 400), 0);
    auto* figure = cook->GetNode()->FindByPathAs<AnimatedSpriteNode>(ObjectPaths::PlayerAvatar::kAnimation);
    return static_cast<float>(rig.StepUntil([&] { return figure->IsPlaying(Label("Idle_A")); }, 1000)) * kUpdate;
}

TEST(KitchenFloor, TheCookIdlesAfterMinPlusADrawFromTheSeededStreamTimesRange)
{
    const float first = IdleDelay(1);
    EXPECT_EQ(IdleDelay(1), first) << "one seed, one delay";
    const float other = IdleDelay(29);
    EXPECT_NE(other, first) << "another seed draws another delay";
    // Read after the runs: the resources live as long as a running game.
    Testing::KitchenRig rig;
    const float min = ResourceManager::GetValue<float>(Label("PlayerAnim_IdleDelayTime_Min"), -1.0f);
    const float range = ResourceManager::GetValue<float>(Label("PlayerAnim_IdleDelayTime_Range"), -1.0f);
    ASSERT_GT(range, 0.0f);
    for (float delay : {first, other})
    {
        EXPECT_GE(delay, min);
        EXPECT_LE(delay, min + range + kUpdate);
    }
}

TEST_F(KitchenFloorTest, ABoostUsedAgainKeepsOneEmitterAndItsEndRemovesIt)
{
    Start(kStations);
    ClosePopup();
    SceneNode* base = cook->GetNode()->FindByPath(ObjectPaths::PlayerAvatar::kSparkleBase);
    SceneNode* halo = cook->GetNode()->FindByPath(ObjectPaths::PlayerAvatar::kSpeedHalo);
    ASSERT_NE(base, nullptr);
    ASSERT_NE(halo, nullptr);
    const auto emitters = [&] {
        return std::count_if(base->GetChildren().begin(), base->GetChildren().end(),
                             [](SceneNode* child) { return dynamic_cast<ParticleSystemNode*>(child) != nullptr; });
    };
    cook->SetSpeedUpEffect(true);
    const ObjectID first = cook->GetSparkles();
    ASSERT_NE(game->Get(first), nullptr);
    cook->SetSpeedUpEffect(true);
    rig.Step(10);
    EXPECT_EQ(cook->GetSparkles(), first);
    EXPECT_EQ(emitters(), 1);
    EXPECT_TRUE(halo->IsVisible());
    EXPECT_GT(dynamic_cast<ParticleSystemNode*>(game->Get(first))->GetCount(), 0) << "it sparkles";
    cook->SetSpeedUpEffect(false);
    rig.Step();
    EXPECT_EQ(cook->GetSparkles(), kNoObject);
    EXPECT_EQ(game->Get(first), nullptr);
    EXPECT_EQ(emitters(), 0);
    EXPECT_FALSE(halo->IsVisible());
}

TEST_F(KitchenFloorTest, PowerUpButtonsFollowTheirCounts)
{
    Start(kThreeStations);
    rig.Step();
    PowerUpManager* powerUps = dynamic_cast<PowerUpManager*>(game->FindByName(Label("POWERUP_MANAGER")));
    ASSERT_NE(powerUps, nullptr);
    SceneNode* buttons = rig.FindNode("GameScreenRoot/UI_attach/PowerUp_Attach/PowerUpButtons");
    ASSERT_NE(buttons, nullptr);
    // The level holds 3, 0, 1, 0, 2, 0.
    for (int kind = 0; kind < kPowerUpTypeCount; ++kind)
    {
        const int count = powerUps->GetCount(static_cast<PowerUpType>(kind));
        auto* button = buttons->FindByPathAs<ButtonNode>(ObjectPaths::Playfield::kPowerUpButtons[kind]);
        auto* counter = buttons->FindByPathAs<AnimatedSpriteNode>(ObjectPaths::Playfield::kPowerUpCounts[kind]);
        ASSERT_NE(button, nullptr);
        ASSERT_NE(counter, nullptr);
        EXPECT_EQ(button->IsEnabled(), count > 0) << "kind " << kind;
        EXPECT_EQ(counter->IsVisible(), count > 0) << "kind " << kind;
        if (count > 0)
        {
            ASSERT_NE(counter->GetController(), nullptr);
            EXPECT_EQ(counter->GetController()->GetImageIndex(), count - 1) << "kind " << kind;
        }
    }
    EXPECT_EQ(powerUps->GetCount(PowerUpType::Skills), 3);
    powerUps->AddCharge(PowerUpType::HilightAtt);
    rig.Step();
    EXPECT_TRUE(buttons->FindByPathAs<ButtonNode>(ObjectPaths::Playfield::kPowerUpButtons[1])->IsEnabled())
        << "the buttons follow a new count in the next update";
}

TEST_F(KitchenFloorTest, ThePromptsBobTenUnitsDownAndBackThenPauseASecond)
{
    Start(kStations);
    SceneNode* prompts = rig.FindNode(kPlayfield + "/AddIngredientPromptRoot");
    ASSERT_NE(prompts, nullptr);
    std::vector<float> ys;
    for (int i = 0; i < 210; ++i)
    {
        rig.Step();
        ys.push_back(prompts->GetPosition().y);
    }
    const auto [low, high] = std::minmax_element(ys.begin(), ys.end());
    EXPECT_FLOAT_EQ(*high - *low, 10.0f);
    const int period = Updates(0.2f + 0.2f + 1.0f);
    for (std::size_t i = 0; i + period < ys.size(); ++i)
        ASSERT_NEAR(ys[i + period], ys[i], 1e-3f) << "the cycle lasts 1.4 s, at update " << i;
    const auto resting = std::count(ys.begin(), ys.begin() + period, *low);
    EXPECT_GE(resting, Updates(1.0f)) << "a second's pause at rest in each cycle";
}

namespace
{
// The width and height of the largest picture of the image list.
Vector2<float> LargestImageOf(const Label& name)
{
    Vector2<float> largest{0.0f, 0.0f};
    if (auto list = ResourceManager::Get<ImageList>(name))
        for (int i = 0; i < list->GetCount(); ++i)
            largest = {std::max(largest.x, static_cast<float>(list->GetWidth(i))),
                       std::max(largest.y, static_cast<float>(list->GetHeight(i)))};
    return largest;
}
} // namespace

// The interface's panels and the cook stand clear of the play area: no part of any station (its
// stove, its flames, its requests' card, its prompt) lies under the dish card, the recipe list,
// the pantry, the power-ups or the cook walking along the stations, and the list's field holds its
// eight rows even when every one carries a header.
TEST_F(KitchenFloorTest, TheInterfacePanelsLeaveEveryStationItsRequestsAndItsPromptInView)
{
    Start(kStations);
    rig.Step();
    // A prompt's sprite has its picture only while it shows: it is measured by the largest one.
    const Vector2<float> prompt = LargestImageOf(Label("AddIngredientPopup"));
    const auto worldRect = [this, prompt](const std::string& path) {
        SceneNode* node = rig.FindNode(path);
        EXPECT_NE(node, nullptr) << path;
        if (!node)
            return RectF{};
        const Vector2<float> at = node->GetWorldPosition();
        const bool sized = node->GetWidth() > 0.0f;
        const RectF rect{at.x, at.y, sized ? node->GetWidth() : prompt.x, sized ? node->GetHeight() : prompt.y};
        EXPECT_FALSE(rect.IsEmpty()) << path;
        return rect;
    };
    const std::string list = "GameScreenRoot/UI_attach/List_Attach/RecipeList";
    std::map<std::string, RectF> panels = {{"dish card", worldRect("GameScreenRoot/UI_attach/dishDisplay")},
                                                 {"recipe list", worldRect(list)},
                                                 {"pantry", worldRect(kPlayfield + "/Pantry_Attach/PantryRoot")},
                                                 {"power-ups", worldRect("GameScreenRoot/UI_attach/PowerUp_Attach")}};
    // He walks the whole width at his figure's height.
    const RectF figure = worldRect(kPlayfield + "/PlayerAttach/PlayerAvatar/animationNode");
    panels.emplace("cook", RectF{0.0f, figure.y, 800.0f, figure.height});
    const RectF screen{0, 0, 800, 600};
    for (int slot = 0; slot < 4; ++slot)
    {
        const std::string station = kPlayfield + "/CookingStation_" + std::to_string(slot + 1);
        const std::map<std::string, RectF> parts = {
            {"stove", worldRect(station + "/CookingStation")},
            {"flames", worldRect(station + "/CookingStation/flameAttach")},
            {"requests", worldRect(station + "/CookingStation/ActionStep_Attach")},
            {"prompt", worldRect(kPlayfield + "/AddIngredientPromptRoot/Station_" + std::to_string(slot + 1))}};
        for (const auto& [part, rect] : parts)
        {
            EXPECT_TRUE(screen.ContainsRect(rect)) << "slot " << slot << ": " << part << " off the screen";
            for (const auto& [panel, over] : panels)
                EXPECT_TRUE(RectF::Intersect(rect, over).IsEmpty()) << "slot " << slot << ": the " << panel << " covers the " << part;
        }
    }
    const RectF field = worldRect(list + "/ListField");
    EXPECT_TRUE(panels.at("recipe list").ContainsRect(field));
    const auto header = static_cast<float>(ResourceManager::GetValue<int>(Label("RecipeListVSpacing_Header"), 0));
    EXPECT_GE(field.height, RecipeList::kMaxEntries * header + (RecipeList::kMaxEntries - 1) * RecipeList::kHeaderGap)
        << "eight header rows overflow the list's field";
}

// A new player's profile, who is shown the tips; tip 8 (the last pantry tip) already read, after
// which the idle kitchen's tip applies.
class IdleTip : public KitchenFloorTest
{
protected:
    IdleTip() : KitchenFloorTest({1, CORVANE_TEST_DATA "/Kitchen", false}) {}
};

TEST_F(IdleTip, AnIdleKitchenAsksForTip14AfterSixSecondsAndABusyStationRestartsTheWait)
{
    Start(kStations);
    rig.Step(60);
    rig.Click(kPopupBG);
    // The first popup's tip waits until the click has rested a second.
    ReadBubbles(Updates(1.0f) + 3);
    TutorialManager* tips = TutorialManager::Instance();
    tips->ShowTip(8, {-1.0f, -1.0f});
    EXPECT_EQ(ReadBubbles(2), std::vector<int>{8});
    ASSERT_FALSE(tips->IsTipShown(14));
    // The finished step's own tips were read before.
    tips->ShowTip(kTipStepComplete, {-1.0f, -1.0f});
    tips->ShowTip(kTipChainingIntro, {-1.0f, -1.0f});
    tips->ShowTip(kTipChainingComplete, {-1.0f, -1.0f});
    EXPECT_EQ(ReadBubbles(2), (std::vector<int>{kTipChainingComplete, kTipChainingIntro, kTipStepComplete}))
        << "the later bubble on top";
    auto* playfield = dynamic_cast<FennikPlayfield*>(game->FindByName(FennikPlayfield::Name()));
    ASSERT_NE(playfield, nullptr);
    // The wait starts again from now.
    playfield->EndTasks(FennikPlayfield::IdleTipTaskName());
    rig.Step(200);
    const auto* recipe = dynamic_cast<Recipe*>(game->Get(FindRecipeList()->GetCurrentRecipe()));
    ASSERT_NE(recipe, nullptr);
    auto* step = dynamic_cast<RecipeStep*>(game->Get(recipe->GetSteps().front()));
    stations.at(0)->ReceiveStep(step->GetID());
    EXPECT_EQ(ReadBubbles(200), std::vector<int>{}) << "a station with a step cancels the request";
    step->StartFinishing();
    const int updates = rig.StepUntil([&] { return rig.TopAs<TutorialMode>() != nullptr; }, 400);
    // The station frees itself in the next update and the request starts at that update's end;
    // the tip queued 6 s later is shown in the next update, whose bubble comes up in the one after.
    EXPECT_GE(updates, Updates(6.0f));
    EXPECT_LE(updates, Updates(6.0f) + 5);
    EXPECT_EQ(ReadBubbles(1), std::vector<int>{14});
}

TEST_F(KitchenFloorTest, AClassicComboPopupShowsItsPointsAndReplacesTheOneShownThenDriftsFadesAndGoes)
{
    Start(kStations);
    ClosePopup();
    auto* playfield = dynamic_cast<FennikPlayfield*>(game->FindByName(FennikPlayfield::Name()));
    ASSERT_NE(playfield, nullptr);
    const int multiplier = ResourceManager::GetValue<int>(Label("FlavorComboMultiplier"), 0);
    ASSERT_GT(multiplier, 0);
    const std::string text = "GameScreenRoot/FX_Layer/ClassicComboPopup/bg/ScoreText";
    const auto points = [&](const char* combo) {
        const auto* data = ResourceManager::Get<IngredientComboData>(Label(combo)).Get();
        return data ? L"+" + std::to_wstring(static_cast<int>(data->ingredients.size()) * multiplier) : L"(none)";
    };

    playfield->ShowClassicComboPopup(Label("Combo_TomatoBasil"), 300.0f, 200.0f);
    const ObjectID first = playfield->GetClassicComboPopup();
    ASSERT_NE(game->Get(first), nullptr);
    EXPECT_EQ(Text(text), points("Combo_TomatoBasil"));
    rig.Step();
    EXPECT_EQ(CountSounds("start", "SFX_ClassicCombo"), 1);

    playfield->ShowClassicComboPopup(Label("Combo_LemonChicken"), 310.0f, 210.0f);
    auto* popup = dynamic_cast<SceneNode*>(game->Get(playfield->GetClassicComboPopup()));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(game->Get(first), nullptr) << "only one is shown";
    const auto* score = dynamic_cast<IText*>(popup->FindByPath(ObjectPaths::Playfield::kScoreText));
    ASSERT_NE(score, nullptr);
    EXPECT_EQ(score->GetText(), points("Combo_LemonChicken"));
    EXPECT_EQ(popup->GetPosition(), (Vector2<float>{310.0f, 210.0f}));

    const float fade = ResourceManager::GetValue<float>(Label("ClassicComboFadeTime"), 0.0f);
    const Vector2<float> offset = ResourceManager::GetValue<Vector2<float>>(Label("ClassicComboPopupFadeOffset"), {});
    rig.Step(Updates(2.0f) - 2);
    EXPECT_EQ(popup->GetPosition(), (Vector2<float>{310.0f, 210.0f})) << "it waits 2 s";
    rig.Step(Updates(fade / 2.0f) + 2);
    EXPECT_LT(popup->GetColor().alpha, 1.0f);
    EXPECT_GT(popup->GetColor().alpha, 0.3f);
    const ObjectID second = playfield->GetClassicComboPopup();
    const int gone = rig.StepUntil([&] { return game->Get(second) == nullptr; }, Updates(fade) + 10);
    EXPECT_GE(gone, 0) << "it removes itself after its fade to " << 310.0f + offset.x << ", " << 210.0f + offset.y;
}

// The program's software renderer for the rig's runs while it lives.
struct SoftwareRendering
{
    SoftwareRendering() : previous(GetCommandLine()) { SetCommandLine(previous + L" -software"); }
    ~SoftwareRendering() { SetCommandLine(previous); }
    std::wstring previous;
};

TEST(KitchenFloor, TheFloorWithFourStationsAndTheCookMatchesItsGoldenCapture)
{
    SoftwareRendering software;
    Testing::KitchenRig rig{{1, CORVANE_TEST_DATA "/Kitchen"}};
    ASSERT_NE(rig.StartLevel(kStations), nullptr);
    rig.Step(60);
    rig.Click(kPopupBG);
    // The cook standing at slot 1 before he idles, the prompts at rest.
    rig.Step(30);
    // The send button sways from the list's start, which the level's loading thread moves by an
    // update or two: it is held at its place in the layout for the capture.
    auto* list = dynamic_cast<RecipeList*>(rig.TopAs<GameMode>()->FindByName(RecipeList::Name()));
    ASSERT_NE(list, nullptr);
    SceneNode* button = list->GetNode()->FindByPath(NodePath{"NextStepButton"});
    ASSERT_NE(button, nullptr);
    button->GetTasks().EndAll();
    button->SetPosition({4.0f, 4.0f});
    // The clock is read off the level screen and the frame drawn at that moment: on a busy machine
    // the loop's last frame may predate its last update, and the capture showed 1:59 for 1:58.
    GameMode* game = rig.TopAs<GameMode>();
    ASSERT_NE(game, nullptr);
    ASSERT_GE(rig.StepUntil([game] { return game->GetTimeLeft() < 118.81f; }, 120), 0);
    Compat::ForgetPresentedFrames();
    rig.DrawNow();
    ASSERT_GT(Compat::CountPresentedFrames(), 0);
    Testing::CompareWithGolden(Compat::GetLastPresentedFrame(), CORVANE_TEST_DATA "/Kitchen/KitchenFloor.png");
}

// What a player sees of the kitchen at work, frame by frame through the software renderer: the
// cook standing, idling, walking and working each action, a station cooking on its own, a flame
// meter empty, at one flame and full, and the power-up bar without and with charges. Each frame is
// kept in the build's KitchenFrames folder for review; the test holds that the part of the screen
// that should change does.
class KitchenFrames : private SoftwareRendering, public KitchenFloorTest
{
protected:
    // The screen drawn now, kept as <name>.png.
    Compat::PresentedFrame Take(const std::string& name)
    {
        Compat::ForgetPresentedFrames();
        rig.DrawNow();
        EXPECT_GT(Compat::CountPresentedFrames(), 0) << name;
        Compat::PresentedFrame frame = Compat::GetLastPresentedFrame();
        std::filesystem::create_directories(KITCHEN_FRAMES_DIR);
        EXPECT_TRUE(Compat::SaveFrame(frame, (std::string(KITCHEN_FRAMES_DIR) + "/" + name + ".png").c_str())) << name;
        return frame;
    }
    static RectF WorldRect(SceneNode* node, float inset = 0.0f)
    {
        const Vector2<float> at = node->GetWorldPosition();
        return {at.x + inset, at.y + inset, node->GetWidth() - 2 * inset, node->GetHeight() - 2 * inset};
    }
    // The pixels of frame inside rect, row by row.
    static std::vector<std::uint32_t> Crop(const Compat::PresentedFrame& frame, const RectF& rect)
    {
        std::vector<std::uint32_t> pixels;
        for (int y = static_cast<int>(rect.y); y < static_cast<int>(rect.y + rect.height); ++y)
            for (int x = static_cast<int>(rect.x); x < static_cast<int>(rect.x + rect.width); ++x)
                if (x >= 0 && y >= 0 && x < frame.width && y < frame.height)
                    pixels.push_back(frame.pixels[static_cast<std::size_t>(y) * frame.width + x] | 0xFF000000u);
        return pixels;
    }
    // How many pixels of rect differ between the two frames (or crops).
    static int Differing(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b)
    {
        EXPECT_EQ(a.size(), b.size());
        int count = 0;
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
            count += a[i] != b[i];
        return count;
    }
    static int Differing(const Compat::PresentedFrame& a, const Compat::PresentedFrame& b, const RectF& rect)
    {
        return Differing(Crop(a, rect), Crop(b, rect));
    }
    // The picture an animated sprite shows now.
    static int Picture(AnimatedSpriteNode* sprite)
    {
        return sprite && sprite->GetController() ? sprite->GetController()->GetImageIndex() : -1;
    }
    // The cook's picture waving, at the end of his idle animation.
    static constexpr int kWave = 4;
    AnimatedSpriteNode* CookingFigure() const
    {
        return cook->GetNode()->FindByPathAs<AnimatedSpriteNode>(ObjectPaths::PlayerAvatar::kCookingAnim);
    }
    // The cook's place: the figure standing or at work.
    RectF CookRect() const { return WorldRect(Figure()); }
    SceneNode* StationChild(int slot, const char* name) const
    {
        return stations.at(slot)->GetNode()->FindByPath(NodePath{name});
    }
    // A press on the first bin of the category, then on the prompt of the station in slot.
    void ServeAtPrompt(int slot, Label category)
    {
        for (IngredientBin* bin : LiveMembers<IngredientBin>(IngredientBin::Group()))
            if (bin->GetCategoryLabel() == category && bin->GetNode())
            {
                const Vector2<float> at = bin->GetNode()->GetWorldCenter();
                rig.PressAt(static_cast<int>(at.x), static_cast<int>(at.y));
                rig.Step();
                rig.Press(kPlayfield + "/AddIngredientPromptRoot/Station_" + std::to_string(slot + 1));
                rig.Step();
                return;
            }
        ADD_FAILURE() << "no bin of " << category.c_str();
    }
};

TEST_F(KitchenFrames, TheCookStationsFlamesAndPowerUpsShowWhatHappens)
{
    ASSERT_NO_FATAL_FAILURE(SendFirstDishToStations(kStations, 4));
    cook = dynamic_cast<PlayerAvatar*>(game->FindByName(PlayerAvatar::Name()));
    ASSERT_NE(cook, nullptr);
    for (ObjectID id : game->GetGroup(CookingStation::Group()))
        if (auto* station = dynamic_cast<CookingStation*>(game->Get(id)))
            stations[station->GetSlot()] = station;
    ASSERT_EQ(stations.size(), 4u);
    auto* powerUps = dynamic_cast<PowerUpManager*>(game->FindByName(Label("POWERUP_MANAGER")));
    ASSERT_NE(powerUps, nullptr);

    // The power-up bar: the level gave no charges, every button is out of use; with charges each
    // button lights up with its own mark.
    SceneNode* buttons = rig.FindNode("GameScreenRoot/UI_attach/PowerUp_Attach/PowerUpButtons");
    ASSERT_NE(buttons, nullptr);
    const Compat::PresentedFrame noCharges = Take("powerups-none");
    for (int kind = 0; kind < kPowerUpTypeCount; ++kind)
        powerUps->AddCharge(static_cast<PowerUpType>(kind));
    rig.Step();
    const Compat::PresentedFrame charged = Take("powerups");
    std::vector<std::vector<std::uint32_t>> marks;
    for (int kind = 0; kind < kPowerUpTypeCount; ++kind)
    {
        SceneNode* button = buttons->FindByPath(ObjectPaths::Playfield::kPowerUpButtons[kind]);
        ASSERT_NE(button, nullptr);
        EXPECT_GT(Differing(noCharges, charged, WorldRect(button)), 200) << "kind " << kind << " lights up";
        marks.push_back(Crop(charged, WorldRect(button, 12.0f)));
        for (int other = 0; other < kind; ++other)
            EXPECT_GT(Differing(marks[other], marks[kind]), 40) << "kinds " << other << " and " << kind << " look alike";
    }

    // The flame meter of the station in slot 0, empty, at one flame and full: the flames fill the
    // stove's jets from the left.
    FlameMeter* meter = stations.at(0)->GetFlameMeter();
    ASSERT_NE(meter, nullptr);
    const RectF flames = WorldRect(StationChild(0, "flameAttach"));
    meter->Reset();
    rig.Step();
    const Compat::PresentedFrame empty = Take("flames-empty");
    meter->GainFlame();
    rig.Step(Updates(0.5f));
    const Compat::PresentedFrame one = Take("flames-one");
    for (int i = 0; i < FlameMeter::kMaxFlames; ++i)
        meter->GainFlame();
    rig.Step(Updates(0.5f));
    const Compat::PresentedFrame full = Take("flames-full");
    const int oneLit = Differing(empty, one, flames);
    const int allLit = Differing(empty, full, flames);
    EXPECT_GT(oneLit, 150) << "one flame shows";
    EXPECT_GT(allLit, 5 * oneLit) << "six flames show six times as much";
    meter->Reset();

    // The cook standing at each station, then his idle animation at the last.
    std::map<int, std::vector<std::uint32_t>> standing;
    for (int slot = 0; slot < 4; ++slot)
    {
        cook->WalkTo(StationID(slot), true);
        rig.Step(2);
        ASSERT_TRUE(Plays("Stand"));
        standing[slot] = Crop(Take("cook-standing-" + std::to_string(slot)), CookRect());
    }
    ASSERT_GE(rig.StepUntil([&] { return Plays("Idle_A"); }, Updates(10.0f)), 0);
    const Compat::PresentedFrame looking = Take("cook-idling");
    ASSERT_GE(rig.StepUntil([&] { return Picture(Figure()) == kWave; }, Updates(3.0f)), 0);
    rig.Step();
    const Compat::PresentedFrame waving = Take("cook-idling-waves");
    EXPECT_GT(Differing(standing[3], Crop(looking, CookRect())), 20) << "he looks about";
    EXPECT_GT(Differing(standing[3], Crop(waving, CookRect())), 300) << "he waves";

    // Walking to slot 0: the figure on its way differs from the figure standing at that place.
    rig.Press(StationArea(0));
    rig.Step(Updates(0.6f));
    ASSERT_TRUE(Plays("Walk"));
    const Compat::PresentedFrame walking = Take("cook-walking");
    rig.Step(Updates(0.125f));
    const Compat::PresentedFrame striding = Take("cook-walking-next-step");
    cook->GetNode()->GetTasks().EndAll();
    Figure()->PlayAnimation(Label("Stand"), true);
    rig.DrawNow();
    const Compat::PresentedFrame halted = Take("cook-halted");
    EXPECT_GT(Differing(walking, halted, CookRect()) + Differing(striding, halted, CookRect()), 300)
        << "his steps show";
    cook->WalkTo(StationID(0), true);
    rig.Step(2);

    // Each step served through its station's prompt, which lies on the step's card: the stations
    // then cook on their own, their burners showing the action.
    const auto burner = [&](int slot) {
        const RectF stove = WorldRect(stations.at(slot)->GetNode());
        return RectF{stove.x, stove.y, stove.width, 56.0f};
    };
    const Compat::PresentedFrame waiting = Take("stations-waiting");
    for (int slot = 0; slot < 4; ++slot)
    {
        ASSERT_NO_FATAL_FAILURE(ServeAtPrompt(slot, IngredientBin::CategoryLabel(0)));
        EXPECT_TRUE(stations.at(slot)->GetStepIngredient()) << "the press on the prompt of slot " << slot
                                                            << " served its step";
    }
    cook->WalkTo(StationID(1), true);
    rig.Step(Updates(0.3f));
    const Compat::PresentedFrame cooking = Take("stations-cooking");
    for (int slot : {0, 2, 3})
    {
        EXPECT_GT(Differing(waiting, cooking, burner(slot)), 300) << "slot " << slot << " shows its step cooking";
        auto* figure = stations.at(slot)->GetNode()->FindByPathAs<AnimatedSpriteNode>(
            NodePath{"ActionStep_Attach", "StepDisplayRoot", "ActionIndicator"});
        ASSERT_NE(figure, nullptr);
        const int shown = Picture(figure);
        const Compat::PresentedFrame before = Take("stations-cooking-" + std::to_string(slot));
        EXPECT_GE(rig.StepUntil([&] { return Picture(figure) != shown; }, Updates(1.0f)), 0);
        // The sprite takes its new picture in the update after its animation moved on.
        rig.Step();
        EXPECT_GT(Differing(before, Take("stations-cooking-" + std::to_string(slot) + "-next"), burner(slot)), 30)
            << "slot " << slot << "'s figure moves";
    }

    // The cook at work at each station: his figure with the tool of its action, moving.
    for (int slot = 0; slot < 4; ++slot)
    {
        const std::string action = stations.at(slot)->GetStepActionName().c_str();
        cook->WalkTo(StationID(slot), true);
        rig.Step(2);
        ASSERT_TRUE(CookingFigure()->IsVisible()) << "he works at slot " << slot;
        EXPECT_TRUE(CookingFigure()->IsPlaying(Label(action.c_str())));
        const RectF place = WorldRect(CookingFigure());
        const Compat::PresentedFrame work = Take("cook-working-" + action);
        const int shown = Picture(CookingFigure());
        EXPECT_GE(rig.StepUntil([&] { return Picture(CookingFigure()) != shown; }, Updates(1.0f)), 0);
        rig.Step();
        const Compat::PresentedFrame moved = Take("cook-working-" + action + "-next");
        EXPECT_GT(Differing(standing[slot], Crop(work, place)), 300) << action << ": he holds his tool";
        EXPECT_GT(Differing(work, moved, place), 30) << action << ": he moves while he works";
    }
}

struct BackgroundCase
{
    const char* name;
    int level;
    const char* image;
};

class Background : public KitchenFloorTest, public testing::WithParamInterface<BackgroundCase>
{
};

TEST_P(Background, TheLevelsPlaceInItsEpisodeChoosesTheBackground)
{
    Start(GetParam().level);
    EXPECT_EQ(FennikPlayfield::ChooseBackground(), Label(GetParam().image));
    auto* background = dynamic_cast<StaticSpriteNode*>(rig.FindNode(kPlayfield + "/CookingScreenBG"));
    ASSERT_NE(background, nullptr);
    IImage* expected = ResourceManager::Get<IImage>(Label(GetParam().image)).Get();
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(background->GetImage(), expected);
    EXPECT_EQ(background->GetWidth(), static_cast<float>(expected->GetWidth()));
}

INSTANTIATE_TEST_SUITE_P(
    KitchenFloor, Background,
    testing::Values(BackgroundCase{"FirstDashCourse", kClock90, "GamePlayfield_Dashcourse_1_BG"},
                    BackgroundCase{"SecondDashCourse", kClock45, "GamePlayfield_Dashcourse_2_BG"},
                    BackgroundCase{"Elimination", kClock61, "GamePlayfield_EliminationBG"},
                    BackgroundCase{"NoEpisode", kNoEpisode, "GamePlayfield_EliminationBG"}),
    [](const testing::TestParamInfo<BackgroundCase>& info) { return info.param.name; });
} // namespace
