// The dish pictures on the game's data: the level screen's plate, filled as ingredients arrive,
// and the finished dish's slide-in.
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Kitchen/CompletedDishDisplay.h"
#include "Game/Kitchen/DishPlating.h"
#include "Game/Kitchen/InGameDishDisplay.h"
#include "Graphics/ImageList.h"
#include "KitchenTest.h"
#include "SceneGraph/MaskedSpriteNode.h"
#include "SceneGraph/StaticSpriteNode.h"

using namespace Corvane;
using namespace KitchenLevels;

namespace
{
// Test levels of the judging overlay (Tests/Data/Judging): two dishes, the same soup twice.
constexpr int kJudgeTwoDishes = 0;
constexpr int kJudgeSoupTwice = 1;

IImage* DishImage(const char* list, int index)
{
    ImageList* images = ResourceManager::Get<ImageList>(Label::Format("%s_DishDisplayImages", list)).Get();
    return images ? images->GetImage(index) : nullptr;
}

// The image every sprite of the component at slot shows; null when they differ or there is none.
IImage* ComponentImage(SceneNode& dish, int plateType, int slot)
{
    SceneNode* component = dish.FindByPath(DishSlotPath(plateType, slot));
    if (!component || component->GetChildren().empty())
        return nullptr;
    IImage* shown = dynamic_cast<StaticSpriteNode*>(component->GetChildren().front())->GetImage();
    for (SceneNode* child : component->GetChildren())
        if (dynamic_cast<StaticSpriteNode*>(child)->GetImage() != shown)
            return nullptr;
    return shown;
}

class DishDisplay : public KitchenTest
{
protected:
    DishDisplay() : KitchenTest(Testing::KitchenRig::Options{1, CORVANE_TEST_DATA "/Judging"}) {}

    InGameDishDisplay* Display() const
    {
        return dynamic_cast<InGameDishDisplay*>(game->FindByName(InGameDishDisplay::Name()));
    }
    const RecipeData& CurrentRecipe() const
    {
        return dynamic_cast<Recipe*>(game->Get(FindRecipeList()->GetCurrentRecipe()))->GetData();
    }
};
} // namespace

TEST(DishPlating, TheImageIndexTableCoversExactlyThePlateTypesAndSlots)
{
    EXPECT_EQ(DishPlating::ImageIndex(0, 1), 1);
    EXPECT_EQ(DishPlating::ImageIndex(0, 8), 0);
    EXPECT_EQ(DishPlating::ImageIndex(3, 1), 7);
    EXPECT_EQ(DishPlating::ImageIndex(3, 4), 3);
    // Outside the 31 x 9 table nothing is read.
    for (const auto& [plate, slot] : {std::pair{-1, 1}, {31, 1}, {0, 9}, {0, -1}, {3, 0}, {1000, 4}})
        EXPECT_EQ(DishPlating::ImageIndex(plate, slot), -1) << plate << "," << slot;
    // Every component a plate type names has a picture.
    for (int plate = 0; plate < kPlatingTypeCount; ++plate)
        for (int slot = 1; slot < DishPlating::kSlots; ++slot)
            EXPECT_EQ(DishPlating::ImageIndex(plate, slot) >= 0,
                      *GetDishSlot(plate, slot).name != '\0' || (plate == 0 && slot == 8))
                << plate << "," << slot;
    EXPECT_EQ(DishPlating::LayoutName(26), Label("Soup_Veg_EasyLayout"));
    EXPECT_EQ(DishPlating::LayoutName(31), Label());
}

TEST_F(DishDisplay, TheFirstRefreshBuildsThePlateAndEachIngredientFillsItsComponent)
{
    game = rig.StartLevel(kJudgeTwoDishes);
    ASSERT_NE(game, nullptr);
    InGameDishDisplay* display = Display();
    ASSERT_NE(display, nullptr);
    const int plate = CurrentRecipe().plateType;
    EXPECT_EQ(display->GetPlateType(), plate);
    EXPECT_EQ(display->GetRecipe(), FindRecipeList()->GetCurrentRecipe());
    SceneNode* dish = display->GetDish();
    ASSERT_NE(dish, nullptr);
    EXPECT_EQ(dish->GetName(), Label("Dish_Soup_Veg_Easy"));
    MaskedSpriteNode* picture = display->GetPicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetSource(), dish);
    EXPECT_EQ(picture->GetMaskScale(), (Vector2<float>{0.6f, 0.6f}));
    EXPECT_EQ(picture->GetParent()->GetNodeName(), Label("plate"));
    EXPECT_EQ(ComponentImage(*dish, plate, 4), nullptr) << "nothing is in the bowl yet";

    ClosePopup();
    FinishCurrentDish();
    rig.Step();
    ASSERT_FALSE(display->GetIngredients().empty());
    for (const DishIngredient& entry : display->GetIngredients())
    {
        const int index = DishPlating::ImageIndex(plate, entry.slot);
        EXPECT_EQ(ComponentImage(*dish, plate, entry.slot), DishImage(entry.ingredient.c_str(), index))
            << entry.ingredient.c_str() << " in slot " << entry.slot;
    }
    EXPECT_EQ(display->GetDish(), dish) << "the same recipe keeps its layout";
}

TEST_F(DishDisplay, FillingSkipsSlotsOutsideTheTableAndFallsBackToTheDefaultPictures)
{
    game = rig.StartLevel(kJudgeTwoDishes);
    ASSERT_NE(game, nullptr);
    const int soup = CurrentRecipe().plateType;
    SceneNode* dish = DishPlating::InstantiateDish(soup);
    DishPlating::FillDish(*dish, soup,
                          {{Label("Tomato"), 4},
                           {Label("Onion"), 4},
                           {Label("Saffron"), 3},
                           {Label("Basil"), 0},
                           {Label("Basil"), -1},
                           {Label("Basil"), 9}});
    EXPECT_EQ(ComponentImage(*dish, soup, 4), DishImage("Onion", 1)) << "a later ingredient overwrites";
    EXPECT_EQ(ComponentImage(*dish, soup, 3), DishImage("DefaultImage", DishPlating::ImageIndex(soup, 3)))
        << "an ingredient without pictures shows the default one at the same index";
    EXPECT_NE(DishImage("DefaultImage", 0), nullptr);
    for (int slot : {1, 2, 5, 6})
        EXPECT_EQ(ComponentImage(*dish, soup, slot), nullptr) << slot;
    // A plate type outside the table fills nothing and builds a bare dish.
    SceneNode* bare = DishPlating::InstantiateDish(40);
    DishPlating::FillDish(*bare, 40, {{Label("Tomato"), 1}});
    EXPECT_TRUE(bare->GetChildren().empty());
}

TEST_F(DishDisplay, AnotherRecipeOfTheSamePlateRebuildsTheLayout)
{
    game = rig.StartLevel(kJudgeSoupTwice);
    ASSERT_NE(game, nullptr);
    InGameDishDisplay* display = Display();
    const ObjectID first = display->GetRecipe();
    SceneNode* firstDish = display->GetDish();
    const ObjectID firstDishID = firstDish->GetID();
    ClosePopup();
    FinishCurrentDish();
    rig.Step(2);
    rig.PopTop();
    ASSERT_GE(rig.StepUntil([&] { return game->GetPopup() != kNoObject; }, 200), 0);
    EXPECT_NE(display->GetRecipe(), first);
    EXPECT_EQ(display->GetPlateType(), CurrentRecipe().plateType);
    EXPECT_EQ(game->Get(firstDishID), nullptr) << "the old layout was removed";
    ASSERT_NE(display->GetDish(), nullptr);
    EXPECT_EQ(display->GetPicture()->GetSource(), display->GetDish());
    EXPECT_EQ(ComponentImage(*display->GetDish(), display->GetPlateType(), 4), nullptr) << "a fresh bowl";
}

TEST_F(DishDisplay, TheFinishedDishSlidesInAndGrowsToFullSize)
{
    game = rig.StartLevel(kJudgeTwoDishes);
    ASSERT_NE(game, nullptr);
    ClosePopup();
    FinishCurrentDish();
    const int plate = CurrentRecipe().plateType;
    rig.Step(2);
    rig.PopTop();
    auto* completed = new CompletedDishDisplay(game, plate);
    completed->Attach(game->GetRootNode());
    EXPECT_EQ(game->FindByName(Label("CompletedDishDisplay")), completed);
    MaskedSpriteNode* picture = completed->GetPicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->GetAlwaysRebuild());
    EXPECT_EQ(picture->GetParent()->GetNodeName(), Label("MaskNodeAttach"));
    EXPECT_EQ(picture->GetMaskScale(), (Vector2<float>{0.6f, 0.6f}));
    for (const DishIngredient& entry : game->GetDishIngredients())
        EXPECT_EQ(ComponentImage(*completed->GetDish(), plate, entry.slot),
                  ComponentImage(*Display()->GetDish(), plate, entry.slot));

    int done = 0;
    completed->MoveIn([&done](CompletedDishDisplay*) { ++done; });
    const auto start = ResourceManager::GetValue<Vector2<float>>(Label("DishStartLocation"), {});
    const auto end = ResourceManager::GetValue<Vector2<float>>(Label("DishFinalLocation"), {});
    EXPECT_EQ(completed->GetNode()->GetPosition(), start);
    const float seconds = ResourceManager::GetValue<float>(Label("DishMoveTime"), 0.0f);
    rig.Step(static_cast<int>(seconds * 50.0f) + 2);
    EXPECT_EQ(completed->GetNode()->GetPosition(), end);
    EXPECT_EQ(picture->GetMaskScale(), (Vector2<float>{1.0f, 1.0f}));
    EXPECT_EQ(done, 1);
    const ObjectID dish = completed->GetDish()->GetID();
    game->Remove(completed->GetID());
    rig.Step();
    EXPECT_EQ(game->Get(dish), nullptr) << "the dish layout goes with the display";
}
