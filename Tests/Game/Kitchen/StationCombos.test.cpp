// The stations' bonuses and floating feedback on the kitchen test level Test_Combos: flavour sets
// across stations, classic combos (scored, recorded for the judges, the best one shown), the
// met-flavour, score and set popups with their motion, and the chain popup.
#include "KitchenTest.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/IngredientData.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/NodePathTable.h"
#include "Game/Kitchen/ActionStepDisplay.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/FennikPlayfield.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Graphics/IImage.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/StaticSpriteNode.h"

#include <cstring>
#include <set>
#include <utility>

using namespace Corvane;
using namespace KitchenLevels;

namespace
{
int IntResource(const char* name)
{
    return ResourceManager::GetValue<int>(Label(name), -1000);
}

float FloatResource(const char* name)
{
    return ResourceManager::GetValue<float>(Label(name), -1000.0f);
}

Vector2<float> VectorResource(const char* name)
{
    return ResourceManager::GetValue<Vector2<float>>(Label(name), {-1000.0f, -1000.0f});
}

IImage* Image(const char* name)
{
    return ResourceManager::Get<IImage>(Label(name)).Get();
}

IImage* ImageOf(SceneNode* base, const char* child)
{
    const auto* sprite = base ? base->FindByPathAs<StaticSpriteNode>(PathOf({child})) : nullptr;
    return sprite ? sprite->GetImage() : nullptr;
}

std::wstring TextOf(SceneNode* base, const char* child)
{
    const auto* text = base ? dynamic_cast<IText*>(base->FindByPath(PathOf({child}))) : nullptr;
    return text ? text->GetText() : L"(no text)";
}

std::wstring Wide(const char* text)
{
    return std::wstring(text, text + std::strlen(text));
}

bool Near(const Vector2<float>& a, const Vector2<float>& b)
{
    return std::abs(a.x - b.x) < 0.5f && std::abs(a.y - b.y) < 0.5f;
}

// The ingredient's points at step before any bonus.
int IngredientPoints(const RecipeStep& step, const CookingIngredient& ingredient)
{
    int points = IntResource("BaseIngredientAddScore");
    for (Label request : {step.GetRequest1(), step.GetRequest2()})
        if (request)
            points += IntResource("RequestAttScaleFactor") * ingredient.GetAttributeValue(request.c_str());
    return points;
}

class StationBonusTest : public KitchenTest
{
protected:
    StationBonusTest() = default;
    explicit StationBonusTest(const Testing::KitchenRig::Options& options) : KitchenTest(options) {}

    void SetUp() override { ASSERT_NO_FATAL_FAILURE(SendFirstDishToStations(kCombos, 4)); }

    CookingIngredient Ingredient(const char* name) const
    {
        const CookingIngredientData* data = ResourceManager::Get<CookingIngredientData>(Label(name)).Get();
        EXPECT_NE(data, nullptr) << name;
        return CookingIngredient(data ? *data : CookingIngredientData{});
    }
    CookingStation* StationOf(std::size_t step) const
    {
        return dynamic_cast<CookingStation*>(game->Get(steps[step]->GetStation()));
    }
    // The popups of that root node name now under the effects layer, oldest first.
    std::vector<SceneNode*> Popups(const char* name) const
    {
        std::vector<SceneNode*> found;
        if (SceneNode* fx = rig.FindNode("GameScreenRoot/FX_Layer"))
            for (SceneNode* child : fx->GetChildren())
                if (child->GetNodeName() == Label(name))
                    found.push_back(child);
        return found;
    }
    std::vector<SceneNode*> PopupsAddedSince(const char* name, const std::vector<SceneNode*>& before) const
    {
        std::vector<SceneNode*> added;
        for (SceneNode* popup : Popups(name))
            if (std::find(before.begin(), before.end(), popup) == before.end())
                added.push_back(popup);
        return added;
    }
    bool Alive(ObjectID id) const { return game->Get(id) != nullptr; }
    // The cooking displays whose request flash runs.
    int FlashingDisplays() const
    {
        int count = 0;
        for (ObjectID id : game->GetGroup(ActionStepDisplay::Group()))
            if (auto* display = dynamic_cast<ActionStepDisplay*>(game->Get(id)))
                count += std::any_of(std::begin(kFlashes), std::end(kFlashes), [display](const char* flash) {
                    SceneNode* node = display->GetNode()->FindByPath(PathOf({"StepDisplay", flash}));
                    return node && node->GetTasks().Count() > 0;
                });
        return count;
    }
    static constexpr const char* kFlashes[] = {"Att1_Flash", "Att2_Flash"};
    std::vector<Label> RecordedCombos() const
    {
        std::vector<Label> combos;
        LevelProgressManager::Instance()->ForEachCombo(Label("Recipe_TestCombos"), combos);
        return combos;
    }
    int ScoreNow() const { return GetScoreManager()->GetScore(); }
};

// ---- Flavour sets ----

struct SetCase
{
    const char* name;
    // (step, ingredient) added in order; the sets of the last one are checked.
    std::vector<std::pair<std::size_t, const char*>> adds;
    // The station counts of the sets the last one makes, in the order they show.
    std::vector<int> sets;
    bool voice;
};

class FlavourSets : public StationBonusTest, public testing::WithParamInterface<SetCase>
{
};

TEST_P(FlavourSets, StationsThatMetTheSameRequestedFlavourScoreASetShownASecondApart)
{
    const SetCase& c = GetParam();
    for (std::size_t i = 0; i + 1 < c.adds.size(); ++i)
        steps[c.adds[i].first]->AddIngredient(Ingredient(c.adds[i].second));
    const auto [last, name] = c.adds.back();
    const CookingIngredient ingredient = Ingredient(name);
    const std::vector<SceneNode*> before = Popups("ScorePopupItem");
    const int score = ScoreNow();
    const int voices = CountSounds("start", "VO_Orvel_Set");
    const int chimes = CountSounds("start", "SFX_FlavorSet");

    steps[last]->AddIngredient(ingredient);

    const int multiplier = IntResource("AttributeComboMultiplier");
    ASSERT_GT(multiplier, 0);
    int bonus = 0;
    for (int count : c.sets)
        bonus += count * multiplier;
    const int points = IngredientPoints(*steps[last], ingredient) + bonus;
    EXPECT_EQ(ScoreNow() - score, points) << "the sets are in the level's score";
    EXPECT_EQ(steps[last]->GetPoints(), points) << "and in the step's";
    rig.Step();
    // One chime still ringing is not started again.
    if (c.sets.empty())
        EXPECT_EQ(CountSounds("start", "SFX_FlavorSet"), chimes);
    else
        EXPECT_GT(CountSounds("start", "SFX_FlavorSet"), 0);
    EXPECT_EQ(CountSounds("start", "VO_Orvel_Set") - voices, c.voice ? 1 : 0);

    const std::vector<SceneNode*> popups = PopupsAddedSince("ScorePopupItem", before);
    ASSERT_EQ(popups.size(), c.sets.size());
    const ImageList* images = ResourceManager::Get<ImageList>(Label("AttributeSet_PopupImages")).Get();
    ASSERT_NE(images, nullptr);
    std::vector<ObjectID> ids;
    for (std::size_t i = 0; i < popups.size(); ++i)
    {
        EXPECT_EQ(ImageOf(popups[i], "ImageNode"), images->GetImage(c.sets[i] - 2));
        EXPECT_EQ(TextOf(popups[i], "ScoreText"), L"+" + std::to_wstring(c.sets[i] * multiplier));
        ids.push_back(popups[i]->GetID());
    }
    // The first shows after a second, a second one a second later.
    for (std::size_t i = 0; i < popups.size(); ++i)
    {
        GameUpdate(i == 0 ? 47 : 46);
        EXPECT_FALSE(popups[i]->IsVisible()) << "set " << i << " too early";
        GameUpdate(4);
        EXPECT_TRUE(popups[i]->IsVisible()) << "set " << i;
        EXPECT_EQ(FlashingDisplays(), c.sets[i]) << "the set's stations flash their flavour as it shows";
    }
    // Each goes once its motion has ended.
    GameUpdate(static_cast<int>(FloatResource("CookingStationScorePopupMoveTime") * 50.0f) + 4);
    for (ObjectID id : ids)
        EXPECT_FALSE(Alive(id));
}

INSTANTIATE_TEST_SUITE_P(
    Combos, FlavourSets,
    testing::Values(SetCase{"OneStationIsNoSet", {{0, "Tomato"}}, {}, false},
                    SetCase{"BothRequestsFormSets", {{0, "Tomato"}, {1, "Carrot"}}, {2, 2}, false},
                    SetCase{"OnlyTheSecondRequestFormsASet", {{0, "Honey"}, {1, "Pepper"}}, {2}, false},
                    SetCase{"AStationThatMissedDoesNotCount", {{0, "Tomato"}, {1, "Potato"}, {2, "Lemon"}}, {2}, false},
                    SetCase{"ThreeStationsCallTheVoice", {{0, "Tomato"}, {1, "Carrot"}, {2, "Lemon"}}, {3}, true},
                    SetCase{"AFlavourMetButNotRequestedIsNoSet",
                            {{0, "Tomato"}, {1, "Carrot"}, {2, "Lemon"}, {3, "Lemon"}},
                            {},
                            false}),
    [](const testing::TestParamInfo<SetCase>& info) { return std::string(info.param.name); });

// ---- Classic combos ----

struct ComboCase
{
    const char* name;
    // Added to steps 0, 1, 2, ... in order; the combos of the last one are checked.
    std::vector<const char*> ingredients;
    // The combos the last one records.
    std::vector<const char*> recorded;
    // The combo shown: its points and two of its ingredients' pictures; none when null.
    const char* shownPoints;
    std::set<const char*> shownImages;
};

class ClassicCombos : public StationBonusTest, public testing::WithParamInterface<ComboCase>
{
};

TEST_P(ClassicCombos, EveryCompleteComboOfTheNewIngredientScoresAndIsRecordedAndTheBestShows)
{
    const ComboCase& c = GetParam();
    const std::size_t last = c.ingredients.size() - 1;
    for (std::size_t i = 0; i < last; ++i)
        steps[i]->AddIngredient(Ingredient(c.ingredients[i]));
    std::vector<Label> expected = RecordedCombos();
    const ObjectID shownBefore = FindPlayfield()->GetClassicComboPopup();
    const int score = ScoreNow();

    steps[last]->AddIngredient(Ingredient(c.ingredients[last]));

    int total = 0;
    for (const char* combo : c.recorded)
    {
        expected.emplace_back(combo);
        total += static_cast<int>(ResourceManager::Get<IngredientComboData>(Label(combo))->ingredients.size()) *
                 IntResource("FlavorComboMultiplier");
    }
    EXPECT_EQ(ScoreNow() - score, IntResource("BaseIngredientAddScore") + total);
    EXPECT_EQ(RecordedCombos(), expected);
    if (!c.shownPoints)
    {
        EXPECT_EQ(FindPlayfield()->GetClassicComboPopup(), shownBefore);
        return;
    }
    auto* popup = dynamic_cast<SceneNode*>(game->Get(FindPlayfield()->GetClassicComboPopup()));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(TextOf(popup->FindByPath(PathOf({"bg"})), "ScoreText"), Wide(c.shownPoints));
    if (!c.shownImages.empty())
    {
        std::set<IImage*> want;
        for (const char* image : c.shownImages)
            want.insert(Image(image));
        SceneNode* bg = popup->FindByPath(PathOf({"bg"}));
        EXPECT_EQ((std::set<IImage*>{ImageOf(bg, "ingredient_1"), ImageOf(bg, "ingredient_2")}), want);
    }
    // It stands above the station.
    const Vector2<float> at = StationOf(last)->GetNode()->GetWorldPosition();
    const Vector2<float> offset = VectorResource("ClassicComboPopupOffset");
    EXPECT_TRUE(Near(popup->GetWorldPosition(), {at.x + offset.x, at.y + offset.y}));
}

INSTANTIATE_TEST_SUITE_P(
    Combos, ClassicCombos,
    testing::Values(ComboCase{"APair", {"TestB", "TestA"}, {"TestCombo_AB"}, "+50", {"TestA_Image", "TestB_Image"}},
                    ComboCase{"TwoEqualCombosShowTheFirst",
                              {"TestC", "TestB", "TestA"},
                              {"TestCombo_AB", "TestCombo_AC"},
                              "+50",
                              {"TestA_Image", "TestB_Image"}},
                    ComboCase{"TheMostValuableShows",
                              {"TestB", "TestC", "TestD", "TestA"},
                              {"TestCombo_AB", "TestCombo_AC", "TestCombo_ABCD"},
                              "+100",
                              {}},
                    ComboCase{"AnIncompleteComboIsNothing", {"TestC", "TestD", "TestB"}, {}, nullptr, {}},
                    ComboCase{"OnlyTheNewIngredientsCombosAreLookedAt", {"TestA", "TestB", "TestE"}, {}, nullptr, {}}),
    [](const testing::TestParamInfo<ComboCase>& info) { return std::string(info.param.name); });

// ---- Popups ----

struct MatchCase
{
    const char* name;
    const char* ingredient;
    const char* first;
    const char* second;
};

class MatchPopups : public StationBonusTest, public testing::WithParamInterface<MatchCase>
{
};

TEST_P(MatchPopups, TheMetRequestsFloatUpFromTheStationAtOnceAndGo)
{
    const MatchCase& c = GetParam();
    steps[0]->AddIngredient(Ingredient(c.ingredient));
    const std::vector<SceneNode*> popups = Popups("AttributeMatchPopup");
    ASSERT_EQ(popups.size(), 1u);
    SceneNode* popup = popups[0];
    EXPECT_EQ(ImageOf(popup, "Att1_Text"), c.first ? Image(c.first) : nullptr);
    EXPECT_EQ(ImageOf(popup, "Att2_Text"), c.second ? Image(c.second) : nullptr);
    const Vector2<float> at = StationOf(0)->GetNode()->GetWorldPosition();
    const Vector2<float> offset = VectorResource("CookingStationScorePopupOffset");
    EXPECT_TRUE(Near(popup->GetWorldPosition(), {at.x + offset.x, at.y + offset.y}));
    GameUpdate();
    EXPECT_TRUE(popup->IsVisible());
    const ObjectID id = popup->GetID();
    GameUpdate(static_cast<int>(FloatResource("CookingStationScorePopupMoveTime") * 50.0f) + 3);
    EXPECT_FALSE(Alive(id));
}

INSTANTIATE_TEST_SUITE_P(Combos, MatchPopups,
                         testing::Values(MatchCase{"Both", "Tomato", "AttributeMatchPopup_Fresh",
                                                   "AttributeMatchPopup_Sweet"},
                                         MatchCase{"SecondOnly", "Honey", nullptr, "AttributeMatchPopup_Sweet"},
                                         MatchCase{"Neither", "Potato", nullptr, nullptr}),
                         [](const testing::TestParamInfo<MatchCase>& info) { return std::string(info.param.name); });

TEST_F(StationBonusTest, AScorePopupWaitsThenDriftsAndFadesAfterItsFirstSecondThenGoes)
{
    CookingStation* station = StationOf(1);
    station->ShowScorePopup(40, 0.5f);
    const std::vector<SceneNode*> popups = Popups("ScorePopupItem");
    ASSERT_EQ(popups.size(), 1u);
    SceneNode* popup = popups[0];
    const ObjectID id = popup->GetID();
    EXPECT_EQ(TextOf(popup, "ScoreText"), L"+40");
    const Vector2<float> at = station->GetNode()->GetWorldPosition();
    const Vector2<float> offset = VectorResource("CookingStationScorePopupOffset");
    const Vector2<float> start{at.x + offset.x, at.y + offset.y};
    const Vector2<float> travel = VectorResource("CookingStationScorePopupFinalPos");
    const float moveTime = FloatResource("CookingStationScorePopupMoveTime");
    ASSERT_GT(moveTime, 1.0f);

    GameUpdate(23);
    EXPECT_FALSE(popup->IsVisible()) << "it waits its delay";
    EXPECT_TRUE(Near(popup->GetWorldPosition(), start));
    GameUpdate(3 + 45);
    EXPECT_TRUE(popup->IsVisible());
    EXPECT_FLOAT_EQ(popup->GetColor().alpha, 1.0f) << "no fading in the first second";
    EXPECT_LT(popup->GetWorldPosition().y - start.y, 0.0f) << "but drifting";
    GameUpdate(static_cast<int>(moveTime * 50.0f) - 45 - 2);
    EXPECT_LT(popup->GetColor().alpha, 0.5f);
    EXPECT_GT(popup->GetColor().alpha, 0.2f);
    // It ends faded at the end of its drift, and goes.
    float alpha = 0.0f;
    Vector2<float> end{0.0f, 0.0f};
    int updates = 0;
    for (; Alive(id) && updates < 10; ++updates)
    {
        alpha = popup->GetColor().alpha;
        end = popup->GetWorldPosition();
        GameUpdate();
    }
    EXPECT_LT(updates, 10);
    EXPECT_NEAR(alpha, 0.2f, 1e-3);
    EXPECT_TRUE(Near(end, {start.x + travel.x, start.y + travel.y}));
}

TEST_F(StationBonusTest, TheChainPopupCountsUpToFiveAndReplacesTheOneBefore)
{
    CookingStation* station = StationOf(2);
    ScoreManager* score = GetScoreManager();
    FennikPlayfield* playfield = FindPlayfield();
    ObjectID previous = kNoObject;
    for (int count = 1; count <= 7; ++count)
    {
        score->OnStepCompleted();
        const int points = score->GetComboPoints();
        ASSERT_GT(points, 0);
        station->ShowChainPopup(points);
        const ObjectID id = playfield->GetChainPopup();
        auto* popup = dynamic_cast<SceneNode*>(game->Get(id));
        ASSERT_NE(popup, nullptr);
        EXPECT_FALSE(previous != kNoObject && Alive(previous)) << "one chain popup at a time";
        previous = id;
        const Vector2<float> at = station->GetNode()->GetWorldPosition();
        const Vector2<float> offset = VectorResource("ChainBonusPopupOffset");
        EXPECT_TRUE(Near(popup->GetWorldPosition(), {at.x + offset.x, at.y + offset.y}));
        SceneNode* text = popup->FindByPath(PathOf({"ScoreText"}));
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(text->IsVisible());
        EXPECT_EQ(TextOf(popup, "ScoreText"), L"+" + std::to_wstring(points));
        auto* chainCount = popup->FindByPathAs<AnimatedSpriteNode>(PathOf({"textAnim"}));
        ASSERT_NE(chainCount, nullptr);
        GameUpdate();
        EXPECT_TRUE(chainCount->IsPlaying(Label("ChainEnterBlur")));
        GameUpdate(20);
        EXPECT_TRUE(chainCount->IsPlaying(Label::Format("Chain_%d", std::min(count, 5)))) << count;
        EXPECT_EQ(CountSounds("start", "VO_Orvel_Chain"), count >= 5 ? 1 : 0) << "the voice at exactly 5";
        EXPECT_EQ(CountSounds("start", "SFX_ChainTimer"), count);
    }
    // The last popup has run 21 updates; its points go after their time, before the popup.
    const int shown = static_cast<int>(FloatResource("ChainBonusPointDisplayTime") * 50.0f);
    GameUpdate(shown - 21 - 3);
    auto* last = dynamic_cast<SceneNode*>(game->Get(previous));
    ASSERT_NE(last, nullptr);
    EXPECT_TRUE(last->FindByPath(PathOf({"ScoreText"}))->IsVisible());
    GameUpdate(5);
    ASSERT_TRUE(Alive(previous));
    EXPECT_FALSE(last->FindByPath(PathOf({"ScoreText"}))->IsVisible()) << "the points go after their time";
    int updates = 0;
    for (; Alive(previous) && updates < 500; ++updates)
        GameUpdate();
    EXPECT_LT(updates, 500) << "the popup goes once its clock has turned";
}

TEST_F(StationBonusTest, AChainPopupWithoutPointsStillTicksAndGoes)
{
    StationOf(0)->ShowChainPopup(0);
    auto* popup = dynamic_cast<SceneNode*>(game->Get(FindPlayfield()->GetChainPopup()));
    ASSERT_NE(popup, nullptr);
    const ObjectID id = popup->GetID();
    rig.Step();
    EXPECT_EQ(CountSounds("start", "SFX_ChainTimer"), 1);
    EXPECT_FALSE(popup->FindByPath(PathOf({"ScoreText"}))->IsVisible());
    EXPECT_FALSE(popup->FindByPath(PathOf({"textAnim"}))->IsVisible());
    EXPECT_TRUE(popup->FindByPathAs<AnimatedSpriteNode>(PathOf({"watchAnim"}))->IsPlaying(Label("Play")));
    int updates = 0;
    for (; Alive(id) && updates < 500; ++updates)
        GameUpdate();
    EXPECT_LT(updates, 500);
    EXPECT_EQ(CountSounds("start", "VO_Orvel_Chain"), 0);
}

// A new player's kitchen: the tips are raised.
class StationBonusTips : public StationBonusTest
{
protected:
    StationBonusTips() : StationBonusTest(NewPlayer()) {}
    bool Raised(int tip) const
    {
        const auto& pending = TutorialManager::Instance()->GetPendingTips();
        return TutorialManager::Instance()->IsTipShown(tip) ||
               std::any_of(pending.begin(), pending.end(), [tip](const TutorialTip& t) { return t.tip == tip; });
    }
};

TEST_F(StationBonusTips, TheChainAndComboTipsComeASecondAfterTheirPopups)
{
    ReadBubbles(200);
    StationOf(0)->ShowChainPopup(0);
    GameUpdate(60);
    EXPECT_FALSE(Raised(kTipChainingComplete)) << "a chain without points tips nothing";

    StationOf(3)->ShowChainPopup(10);
    GameUpdate(45);
    EXPECT_FALSE(Raised(kTipChainingComplete));
    GameUpdate(10);
    EXPECT_TRUE(Raised(kTipChainingComplete));

    steps[1]->AddIngredient(Ingredient("TestB"));
    steps[2]->AddIngredient(Ingredient("TestA"));
    GameUpdate(45);
    EXPECT_FALSE(Raised(kTipClassicCombo));
    ReadBubbles(1);
    for (int i = 0; i < 20 && !Raised(kTipClassicCombo); ++i)
        GameUpdate();
    EXPECT_TRUE(Raised(kTipClassicCombo));
}
} // namespace
