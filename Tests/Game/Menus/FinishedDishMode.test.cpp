// The finished-dish popup: the dish's name from its ingredients and slots, the show over the
// level screen (meter, knife, wipes, the timed close, no input), and a whole level on the kitchen
// test levels from its intro through one finished dish and the outro to the judges.
#include "Game/Kitchen/KitchenTest.h"

#include "Framework/CommandLine.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Judging/JudgingMode.h"
#include "Game/Menus/CutsceneMode.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Game/Menus/LevelIntroMode.h"
#include "Game/Menus/LevelOutroMode.h"
#include "Graphics/ImageList.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "Support/GoldenFrame.h"

#include <cmath>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
struct NameCase
{
    const char* name;
    int plateType;
    std::vector<DishIngredient> ingredients;
    const wchar_t* expected;
};

DishIngredient At(const char* ingredient, int slot)
{
    return {Label(ingredient), slot};
}

class DishName : public KitchenTest, public testing::WithParamInterface<NameCase>
{
};

int Updates(const char* seconds)
{
    return static_cast<int>(std::lround(ResourceManager::GetValue<float>(Label(seconds), -1.0f) * 50.0f));
}
} // namespace

TEST_P(DishName, TheTemplateIsFilledWithTheIngredientsOfTheSlotsThatFeedItsPlaceholders)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(ComposeDishName(DishNameTemplate(c.plateType), c.plateType, c.ingredients), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    FinishedDish, DishName,
    testing::Values(
        // Entree_Roast_Veg: slot 4 feeds 1, slot 1 feeds 2, slot 2 feeds 3, slot 3 feeds 4.
        NameCase{"RoastInSlotOrder",
                 18,
                 {At("Chicken", 4), At("Potato", 1), At("Carrot", 2), At("Lemon", 3)},
                 L"Roast Chicken with Potato, Carrot and Lemon"},
        NameCase{"NoIngredients", 18, {}, L"Roast Ing_1 with Ing_2, Ing_3 and Ing_4"},
        NameCase{"LaterEntryWins", 18, {At("Tomato", 4), At("Carrot", 4)}, L"Roast Carrot with Ing_2, Ing_3 and Ing_4"},
        // Slot 0 (the plate) and slot 5 feed nothing; slots outside 0..8 are passed over.
        NameCase{"SlotsFeedingNothing",
                 18,
                 {At("Tomato", 0), At("Basil", 5), At("Onion", 9), At("Garlic", -1)},
                 L"Roast Ing_1 with Ing_2, Ing_3 and Ing_4"},
        // Entree_Roast_Veg_Sauce uses all five.
        NameCase{"FivePlaceholders",
                 21,
                 {At("Chicken", 5), At("Potato", 2), At("Carrot", 3), At("Onion", 4), At("Tomato", 1)},
                 L"Roast Chicken with Potato, Carrot and Onion in Tomato Sauce"},
        NameCase{"Pizza",
                 30,
                 {At("Sausage", 1), At("Pepper", 4), At("Mushroom", 5)},
                 L"Sausage Pizza with Sweet Pepper and Mushroom"},
        // Outside the 31 plate types: no template, no slot.
        NameCase{"PlateTypeTooLarge", 31, {At("Tomato", 1)}, L""},
        NameCase{"NegativePlateType", -1, {At("Tomato", 1)}, L""}),
    [](const testing::TestParamInfo<NameCase>& info) { return info.param.name; });

TEST(DishNamePlaceholder, PlateTypesAndSlotsOutsideTheTableFeedNothing)
{
    EXPECT_EQ(DishNamePlaceholder(0, 1), 1);
    EXPECT_EQ(DishNamePlaceholder(30, 5), 3);
    EXPECT_EQ(DishNamePlaceholder(3, 0), 0) << "the plate";
    for (const auto& [plateType, slot] : {std::pair{31, 1}, {-1, 1}, {0, 9}, {0, -1}, {1000, 4}})
        EXPECT_EQ(DishNamePlaceholder(plateType, slot), 0) << plateType << " " << slot;
    EXPECT_EQ(ComposeDishName(L"", 0, {At("Tomato", 1)}), L"") << "no template: an empty name";
}

class FinishedDish : public KitchenTest
{
protected:
    // The popup of the first dish of the one-dish level, entered.
    FinishedDishMode* FinishFirstDish()
    {
        game = rig.StartLevel(KitchenLevels::kOneDish);
        if (!game)
            return nullptr;
        ClosePopup();
        FinishCurrentDish();
        rig.Step(2);
        return rig.TopAs<FinishedDishMode>();
    }
    SceneNode* Node(const char* name) const { return rig.FindNode(std::string("FinalDishDisplay/") + name); }
    int ClipWidth(const char* name) const { return Node(name)->GetClipRect().width; }
};

TEST_F(FinishedDish, TheDishArrivesTheKnifeFollowsTheWipesRunAndThePopupLeavesByItsTimer)
{
    const FinishedDishMode* popup = FinishFirstDish();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetLevelScreen(), game);

    auto* meter = dynamic_cast<StaticSpriteNode*>(Node("meter"));
    ASSERT_NE(meter, nullptr);
    const int stars = GameMode::CountCurrentDishStars(game);
    EXPECT_EQ(meter->GetImage(), ResourceManager::Get<ImageList>("FinalDishDisplay_MeterImages")->GetImage(stars));
    EXPECT_EQ(Node("textBG/dishName")->IsClipRectUsed(), true);
    EXPECT_EQ(ClipWidth("textBG"), 0);
    EXPECT_EQ(ClipWidth("textBG/dishName"), 0);

    // Clicks do nothing.
    rig.Click("FinalDishDisplay/textBG");
    rig.Click("FinalDishDisplay/knife");
    ASSERT_NE(rig.TopAs<FinishedDishMode>(), nullptr);

    // The knife leaves its start once the dish is there (the dish's move and the popup's first
    // updates); the band stays shut until the knife is there.
    const auto knifeStart = ResourceManager::GetValue<Vector2<float>>(Label("KnifeStartLocation"), {});
    const int arrival = rig.StepUntil([&] { return Node("knife")->GetPosition() != knifeStart; }, 200);
    EXPECT_GE(arrival, Updates("DishMoveTime"));
    EXPECT_LE(arrival, Updates("DishMoveTime") + 6);
    int knifeMove = 0;
    for (; !Node("knife")->GetTasks().IsEmpty() && knifeMove < 100; ++knifeMove)
    {
        EXPECT_EQ(ClipWidth("textBG"), 0) << "the wipe waits for the knife";
        rig.Step();
    }
    EXPECT_NEAR(knifeMove, 15, 2) << "0.3 s";
    const auto knifeEnd = ResourceManager::GetValue<Vector2<float>>(Label("KnifeFinalLocation"), {});
    EXPECT_NEAR(Node("knife")->GetPosition().x, knifeEnd.x, 0.01f);
    rig.Step(2);
    EXPECT_GT(ClipWidth("textBG"), 0);
    EXPECT_LT(ClipWidth("textBG"), 600);
    EXPECT_EQ(ClipWidth("textBG"), ClipWidth("textBG/dishName")) << "band and name together";

    // "AfterDishDelayTime" after the dish arrived it pops: only the dish's arrival counts.
    const int closed = rig.StepUntil([&] { return !rig.TopAs<FinishedDishMode>(); }, 400);
    EXPECT_NEAR(knifeMove + 2 + closed, Updates("AfterDishDelayTime"), 2);
    EXPECT_EQ(rig.Modes(), std::vector<std::string>{"GameMode"});
}

TEST_F(FinishedDish, TheWipesOpenToTheFullBandOneSecondAfterTheKnifeArrives)
{
    ASSERT_NE(FinishFirstDish(), nullptr);
    const auto knifeStart = ResourceManager::GetValue<Vector2<float>>(Label("KnifeStartLocation"), {});
    ASSERT_GE(rig.StepUntil([&] { return Node("knife")->GetPosition() != knifeStart; }, 300), 0);
    ASSERT_GE(rig.StepUntil([&] { return Node("knife")->GetTasks().IsEmpty(); }, 300), 0);
    rig.Step(48);
    EXPECT_LT(ClipWidth("textBG"), 600);
    rig.Step(4);
    EXPECT_EQ(Node("textBG")->GetClipRect(), (Rect<int>{186, 443, 600, 100}));
    EXPECT_EQ(Node("textBG/dishName")->GetClipRect(), (Rect<int>{186, 443, 600, 100}));
    EXPECT_NE(rig.TopAs<FinishedDishMode>(), nullptr);
}
TEST_F(FinishedDish, ALevelOfOneDishGoesFromItsIntroThroughOnePopupAndTheOutroToTheJudgesWithTheSavedTotal)
{
    LevelProgressManager* progress = LevelProgressManager::Instance();
    progress->SetCurrentLevelIndex(KitchenLevels::kOneDish);
    progress->StartLevel();
    rig.Step();
    if (rig.TopAs<CutsceneMode>())
        rig.Click("CutsceneMode/SkipButton");
    rig.Step();
    ASSERT_NE(rig.TopAs<LevelIntroMode>(), nullptr);
    for (int i = 0; i < 10 && rig.TopAs<LevelIntroMode>(); ++i)
    {
        rig.Click("Intro/NextButton");
        rig.Step();
    }
    game = rig.TopAs<GameMode>();
    ASSERT_NE(game, nullptr) << "the intro closed on the level screen";

    ClosePopup();
    FinishCurrentDish();
    int popups = 0;
    bool wasUp = false;
    for (int i = 0; i < 1000 && !rig.TopAs<LevelOutroMode>(); ++i)
    {
        rig.Step();
        const bool up = rig.TopAs<FinishedDishMode>() != nullptr;
        popups += up && !wasUp;
        wasUp = up;
    }
    EXPECT_EQ(popups, 1);
    ASSERT_NE(rig.TopAs<LevelOutroMode>(), nullptr);
    rig.Click("LevelOutro/JudgesTableButton");
    rig.Step();
    const auto* judges = rig.TopAs<JudgingMode>();
    ASSERT_NE(judges, nullptr);
    EXPECT_EQ(rig.Modes(), std::vector<std::string>{"JudgingMode"});
    EXPECT_EQ(judges->GetLevelScore(), progress->GetLevelRecord(progress->GetCurrentLevelID()).bestScore);
    EXPECT_GT(judges->GetLevelScore(), 0);
}

namespace
{
// The rig's runs draw with the program's software renderer while the fixture lives.
class FinishedDishCapture : public KitchenTest
{
protected:
    FinishedDishCapture() : KitchenTest(Software()) {}
    ~FinishedDishCapture() override { SetCommandLine(sPrevious); }

    static KitchenRig::Options Software()
    {
        sPrevious = GetCommandLine();
        SetCommandLine(sPrevious + L" -software");
        return TestLevels();
    }
    static inline std::wstring sPrevious;
};
} // namespace

TEST_F(FinishedDishCapture, ThePopupOverTheKitchenWithItsNameWipedInMatchesItsGoldenCapture)
{
    game = rig.StartLevel(KitchenLevels::kOneDish);
    ASSERT_NE(game, nullptr);
    // The send button sways from the list's start, which the level's loading thread moves by an
    // update or two: it is held at its place in the layout for the capture.
    SceneNode* button = FindRecipeList()->GetNode()->FindByPath(NodePath{"NextStepButton"});
    ASSERT_NE(button, nullptr);
    button->GetTasks().EndAll();
    button->SetPosition({4.0f, 4.0f});
    ClosePopup();
    // A soup worth some stars, of the two ingredients its name takes.
    for (const DishIngredient& added : {At("Tomato", 4), At("Onion", 1)})
        game->AddDishIngredient(added.ingredient, added.slot);
    game->AddDishScore(350);
    FinishCurrentDish();
    rig.Step(2);
    ASSERT_NE(rig.TopAs<FinishedDishMode>(), nullptr);
    EXPECT_EQ(Text("FinalDishDisplay/textBG/dishName"), L"Tomato Soup with Onion");
    // The dish, the meter and the knife in place, the band and the name wiped in.
    rig.Step(110);
    ASSERT_NE(rig.TopAs<FinishedDishMode>(), nullptr);
    // Everything stands still from here until the popup closes.
    rig.Step(20);
    Compat::ForgetPresentedFrames();
    rig.DrawNow();
    ASSERT_GT(Compat::CountPresentedFrames(), 0);
    CompareWithGolden(Compat::GetLastPresentedFrame(), CORVANE_TEST_DATA "/Kitchen/FinishedDishPopup.png");
}
