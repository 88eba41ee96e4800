// Picking ingredients up and serving them by real mouse input on the pantry test level, its three
// steps (a vegetable, a meat and a flavouring) waiting at three of the four stations: the dragged
// picture, the drop hints, serving, refusing, cancelling, and presses whose target is not the
// display the pointer last hovered.
#include "KitchenTest.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/DragAndDrop.h"
#include "Game/Kitchen/DragInputManager.h"
#include "Game/Kitchen/IngredientBin.h"
#include "Game/Kitchen/IngredientPantry.h"
#include "Game/Kitchen/IngredientStepDisplay.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Graphics/Image.h"
#include "SceneGraph/StaticSpriteNode.h"

using namespace Corvane;
namespace Paths = ObjectPaths::StepDisplay;

namespace
{
std::pair<int, int> Centre(SceneNode* node)
{
    const Vector2<float> centre = node->GetWorldCenter();
    return {static_cast<int>(centre.x), static_cast<int>(centre.y)};
}
} // namespace

class DragTest : public KitchenTest
{
protected:
    explicit DragTest(const Corvane::Testing::KitchenRig::Options& options = TestLevels()) : KitchenTest(options) {}

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SendFirstDishToStations(KitchenLevels::kPantry, 3));
        pantry = FindPantry();
        manager = DragInputManager::Get();
        ASSERT_NE(pantry, nullptr);
        ASSERT_NE(manager, nullptr);
        for (RecipeStep* step : steps)
            ASSERT_NE(Display(*step), nullptr) << "every step shows its request";
    }
    IngredientStepDisplay* Display(const RecipeStep& step) const
    {
        for (ObjectID id : game->GetGroup(IngredientStepDisplay::Group()))
            if (auto* display = dynamic_cast<IngredientStepDisplay*>(game->Get(id)); display && display->GetStep() == step.GetID())
                return display;
        return nullptr;
    }
    SceneNode* DropArea(const RecipeStep& step) const { return Display(step)->GetNode()->FindByPath(Paths::kClickRect); }
    SceneNode* RequestText(const RecipeStep& step) const { return Display(step)->GetNode()->FindByPath(Paths::kAttribute1); }
    // The first bin of the category, and a press on it.
    IngredientBin* Bin(int category) const { return pantry->GetBins(category).at(0); }
    void Press(SceneNode* node)
    {
        const auto [x, y] = Centre(node);
        rig.PressAt(x, y);
    }
    void Point(SceneNode* node)
    {
        const auto [x, y] = Centre(node);
        rig.MoveTo(x, y);
    }
    // Picks up the category's first bin with the pointer moved onto it and pressed.
    IngredientBin* PickUp(int category)
    {
        IngredientBin* bin = Bin(category);
        Point(bin->GetNode());
        Press(bin->GetNode());
        EXPECT_EQ(CurrentIngredientSource(), bin);
        return bin;
    }

    IngredientPantry* pantry = nullptr;
    DragInputManager* manager = nullptr;
};

TEST_F(DragTest, ThePictureWaitsOffScreenFollowsTheMouseHidesAfterAndGoesWithTheNextDrag)
{
    IngredientBin* bin = PickUp(0);
    SceneNode* picture = manager->GetDragImage();
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->IsVisible());
    EXPECT_EQ(picture->GetWorldPosition(), (Vector2<float>{-999.0f, -999.0f})) << "until the next update";
    // The copy shows the ingredient's own picture, as the bin does, and no name over it.
    const Label pictureName = Label::Format("%s_Image", bin->GetIngredient()->GetIngredientName().c_str());
    IImage* expected = ResourceManager::Get<IImage>(pictureName).Get();
    ASSERT_NE(expected, nullptr) << pictureName.c_str();
    const auto* shown = dynamic_cast<StaticSpriteNode*>(picture->FindByPath(ObjectPaths::IngredientBin::kImage));
    const auto* inBin = dynamic_cast<StaticSpriteNode*>(bin->GetNode()->FindByPath(ObjectPaths::IngredientBin::kImage));
    ASSERT_NE(shown, nullptr);
    ASSERT_NE(inBin, nullptr);
    EXPECT_EQ(shown->GetImage(), expected);
    EXPECT_EQ(inBin->GetImage(), expected);
    const auto* name = dynamic_cast<IText*>(picture->FindByPath(ObjectPaths::IngredientBin::kText));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->GetText(), L"");
    rig.Step();
    rig.MoveTo(250, 180);
    rig.Step();
    EXPECT_EQ(picture->GetWorldPosition(), (Vector2<float>{250.0f, 180.0f}));
    EXPECT_NE(pantry->GetBin(0), nullptr) << "the bin's own picture stays in the pantry";

    // Dropped on the floor: cancelled, the picture stays hidden, the bin stays.
    rig.PressAt(250, 180);
    EXPECT_EQ(CurrentIngredientSource(), nullptr);
    EXPECT_EQ(manager->GetDragMode(), DragInputManager::kNothing);
    rig.Step(2);
    EXPECT_FALSE(picture->IsVisible());
    EXPECT_EQ(game->Get(bin->GetID()), bin);

    const ObjectID old = picture->GetID();
    PickUp(2);
    EXPECT_EQ(game->Get(old), nullptr) << "the next drag removes the old picture";
    EXPECT_NE(manager->GetDragImage(), nullptr);
}

TEST_F(DragTest, DropHintsFollowTheModeAndADisplayMadeDuringADragTakesDropsAtOnce)
{
    for (RecipeStep* step : steps)
        EXPECT_FALSE(Display(*step)->HasDropHint());
    PickUp(1);
    for (RecipeStep* step : steps)
        EXPECT_TRUE(Display(*step)->HasDropHint());
    // Another bin's press ends the first drag and starts its own: hints stay on.
    IngredientBin* first = Bin(1);
    IngredientBin* second = PickUp(2);
    EXPECT_NE(first, second);
    EXPECT_EQ(game->Get(first->GetID()), first) << "the replaced drag is cancelled, its bin stays";
    for (RecipeStep* step : steps)
        EXPECT_TRUE(Display(*step)->HasDropHint());
    rig.MoveTo(300, 150);
    rig.PressAt(300, 150);
    for (RecipeStep* step : steps)
        EXPECT_FALSE(Display(*step)->HasDropHint());

    // A display made while an ingredient is dragged.
    PickUp(0);
    auto* display = new IngredientStepDisplay(*steps[0]);
    display->Attach(nullptr);
    EXPECT_TRUE(display->HasDropHint());
    game->Remove(display->GetID());
}

TEST_F(DragTest, TheRightCategoryServesTheStepAndItsBinsPlaceIsRefilled)
{
    for (RecipeStep* step : steps)
    {
        SCOPED_TRACE(step->GetCategory());
        ScoreManager* score = GetScoreManager();
        const int before = score->GetScore();
        IngredientBin* bin = PickUp(step->GetCategory());
        const ObjectID binID = bin->GetID();
        const std::string ingredient = bin->GetIngredient()->GetIngredientName().c_str();
        Point(DropArea(*step));
        Press(DropArea(*step));
        EXPECT_EQ(step->GetState(), RecipeStep::kCooking);
        EXPECT_EQ(step->GetIngredient(), Label(ingredient.c_str()));
        EXPECT_EQ(game->Get(binID), nullptr) << "a served bin leaves the pantry";
        EXPECT_EQ(CurrentIngredientSource(), nullptr);
        EXPECT_EQ(manager->GetDragMode(), DragInputManager::kNothing);
        EXPECT_EQ(score->GetScore() - before, step->GetPoints());
        rig.Step();
        EXPECT_EQ(pantry->GetBins().size(), pantry->GetPlaces().size()) << "refilled on the next update";
    }
}

TEST_F(DragTest, WrongTargetsByRealInputServeThePressedDisplayOrCancel)
{
    RecipeStep& meat = *steps[1];
    RecipeStep& flavouring = *steps[2];

    // The pointer rests on the meat display's request text; the press falls on the flavouring
    // display's drop area: the flavouring step is served, the hovered meat step is not.
    IngredientBin* bin = PickUp(2);
    Point(RequestText(meat));
    ASSERT_EQ(DragTargetContainer::Get()->GetCurrent(), Display(meat)->GetID());
    Press(DropArea(flavouring));
    EXPECT_EQ(flavouring.GetState(), RecipeStep::kCooking);
    EXPECT_EQ(meat.GetState(), RecipeStep::kAtStation);
    EXPECT_EQ(game->Get(bin->GetID()), nullptr);
    rig.Step();

    // With a meat step's text hovered, a press on the floor cancels.
    bin = PickUp(1);
    Point(RequestText(meat));
    rig.PressAt(300, 150);
    EXPECT_EQ(meat.GetState(), RecipeStep::kAtStation) << "a press on the floor serves nothing";
    EXPECT_EQ(game->Get(bin->GetID()), bin);
    EXPECT_EQ(CurrentIngredientSource(), nullptr);

    // Two drops on one display in the same pump: the first serves, the second is refused.
    IngredientStepDisplay* served = Display(meat);
    IngredientBin* first = PickUp(1);
    Point(DropArea(meat));
    const auto [x, y] = Centre(DropArea(meat));
    rig.PressAt(x, y);
    ASSERT_EQ(meat.GetState(), RecipeStep::kCooking);
    EXPECT_EQ(game->Get(first->GetID()), nullptr);
    IngredientBin* second = PickUp(1);
    const int points = meat.GetPoints();
    EXPECT_FALSE(served->Accept(second->GetIngredient())) << "a served step takes no second ingredient";
    rig.PressAt(x, y);
    EXPECT_EQ(meat.GetPoints(), points);
    EXPECT_EQ(game->Get(second->GetID()), second) << "the refused bin stays";
}

TEST_F(DragTest, AWrongCategoryPressKeepsTheDragAndTheHostRemarksOnAboutOneInFive)
{
    RecipeStep& meat = *steps[1];
    IngredientBin* bin = PickUp(0);
    Point(DropArea(meat));
    const int presses = 1000;
    // An update after each press, so that the recorder sees every remark start.
    for (int i = 0; i < presses; ++i)
    {
        Press(DropArea(meat));
        rig.Step();
        if (i == 0)
        {
            EXPECT_EQ(CountSounds("start", "SFX_WrongIngredient"), 1);
        }
    }
    EXPECT_EQ(meat.GetState(), RecipeStep::kAtStation);
    EXPECT_EQ(CurrentIngredientSource(), bin) << "the ingredient stays picked up";
    EXPECT_EQ(manager->GetDragMode(), DragInputManager::kIngredient);
    EXPECT_EQ(game->Get(bin->GetID()), bin);
    const int remarks = CountSounds("start", "VO_Orvel_Miss");
    EXPECT_GT(remarks, 160);
    EXPECT_LT(remarks, 240);

    // Then the right category still serves.
    Press(DropArea(*steps[0]));
    EXPECT_EQ(steps[0]->GetState(), RecipeStep::kCooking);
}

class NewCookDragTest : public DragTest
{
protected:
    NewCookDragTest() : DragTest(NewPlayer()) {}
};

TEST_F(NewCookDragTest, AWrongCategoryAsksForItsTip)
{
    PickUp(2);
    Point(DropArea(*steps[0]));
    Press(DropArea(*steps[0]));
    bool asked = false;
    for (const TutorialTip& tip : TutorialManager::Instance()->GetPendingTips())
        asked = asked || tip.tip == kTipWrongCategory;
    EXPECT_TRUE(asked);
}

TEST_F(DragTest, AFinishedDishStopsTheDragInProgress)
{
    PickUp(0);
    rig.Step();
    SceneNode* picture = manager->GetDragImage();
    ASSERT_TRUE(picture && picture->IsVisible());
    for (RecipeStep* step : steps)
        step->StartFinishing();
    ASSERT_GE(rig.StepUntil([&] { return rig.TopAs<FinishedDishMode>() != nullptr; }, 1000), 0);
    EXPECT_EQ(manager->GetDragMode(), DragInputManager::kNothing);
    EXPECT_FALSE(picture->IsVisible());
}

namespace
{
struct Calls
{
    int begin = 0, cancel = 0, end = 0, accept = 0;
};

class CountingSource : public IngredientSource
{
public:
    explicit CountingSource(Calls& calls) : mCalls(calls) {}
    void BeginDrag() override { ++mCalls.begin; }
    void CancelDrag() override { ++mCalls.cancel; }
    void EndDrag() override
    {
        // The target has accepted by now and the source is no longer current.
        EXPECT_EQ(mCalls.accept, 1);
        EXPECT_EQ(DragSourceContainer::Get()->GetCurrent(), kNoObject);
        ++mCalls.end;
    }

private:
    Calls& mCalls;
};

class CountingTarget : public IngredientTarget
{
public:
    CountingTarget(Calls& calls, bool takes) : mCalls(calls), mTakes(takes) {}
    bool Accept(CookingIngredient*) override
    {
        ++mCalls.accept;
        return mTakes;
    }

private:
    Calls& mCalls;
    bool mTakes;
};
} // namespace

TEST_F(DragTest, DeliverEndsOnlyTheCurrentSourcesDragAndAsksOnlyAnIngredientTarget)
{
    enum Target
    {
        kNone,
        kTaking,
        kRefusing,
        kStation,
        kGone
    };
    struct Case
    {
        const char* name;
        bool current;  // the source is the current one
        bool removed;  // the source was removed before the delivery
        Target target;
        Calls expected;
    };
    const Case cases[] = {
        {"taken", true, false, kTaking, {0, 0, 1, 1}},
        {"refused", true, false, kRefusing, {0, 1, 0, 1}},
        {"no target", true, false, kNone, {0, 1, 0, 0}},
        {"a station is no ingredient target", true, false, kStation, {0, 1, 0, 0}},
        {"a target gone", true, false, kGone, {0, 1, 0, 0}},
        {"not the current source", false, false, kTaking, {}},
        {"the current source removed", true, true, kTaking, {}},
    };
    CookingStation* station = FindCookingStations().at(3);
    ASSERT_TRUE(station->IsFree());
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Calls calls;
        auto* source = new CountingSource(calls);
        game->Add(source);
        auto* target = new CountingTarget(calls, c.target == kTaking);
        game->Add(target);
        DragSourceContainer::Get()->SetCurrent(c.current ? source->GetID() : kNoObject);
        const ObjectID targets[] = {kNoObject, target->GetID(), target->GetID(), station->GetID(), target->GetID()};
        DragTargetContainer::Get()->SetCurrent(targets[c.target]);
        if (c.target == kGone)
            game->Remove(target->GetID());
        if (c.removed)
            game->Remove(source->GetID());
        Deliver(*source);
        EXPECT_EQ(calls.begin, c.expected.begin);
        EXPECT_EQ(calls.cancel, c.expected.cancel);
        EXPECT_EQ(calls.end, c.expected.end);
        EXPECT_EQ(calls.accept, c.expected.accept);
        if (c.current && !c.removed)
        {
            EXPECT_EQ(DragSourceContainer::Get()->GetCurrent(), kNoObject) << "the drag is over";
        }
        EXPECT_TRUE(station->IsFree());
        game->Remove(source->GetID());
        game->Remove(target->GetID());
        rig.Step();
    }
}

TEST_F(DragTest, ATargetLeftAfterAnotherWasEnteredLeavesTheNewerOne)
{
    IngredientStepDisplay* first = Display(*steps[0]);
    IngredientStepDisplay* second = Display(*steps[1]);
    EnterTarget(*first);
    EnterTarget(*second);
    LeaveTarget(*first);
    EXPECT_EQ(DragTargetContainer::Get()->GetCurrent(), second->GetID());
    LeaveTarget(*second);
    EXPECT_EQ(DragTargetContainer::Get()->GetCurrent(), kNoObject);
    // Hovering targets never makes a source.
    Point(RequestText(*steps[0]));
    Point(RequestText(*steps[1]));
    EXPECT_EQ(DragSourceContainer::Get()->GetCurrent(), kNoObject);
}
