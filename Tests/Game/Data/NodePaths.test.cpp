#include "Game/Data/ObjectNodePaths.h"
#include "Game/Data/ScreenNodePaths.h"

#include "SceneGraph/SceneNode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Corvane;

namespace
{
// A path's name steps, "/"-joined, and whether it ends with the end element.
std::string Steps(const NodePath& path)
{
    std::string text;
    for (const NodePathElement& step : path.GetElements())
        text += step.IsEnd() ? "." : (text.empty() ? "" : "/") + std::string(step.GetLabel().c_str());
    return text;
}
} // namespace

TEST(NodePathTables, MultiPathTablesArePickedByNumberInTheirOwnOrder)
{
    EXPECT_EQ(Steps(ObjectPaths::Pantry::kAttachPoints[0]), "ingredientAttachPoints/Row_1/IngredAttach_1.");
    EXPECT_EQ(Steps(ObjectPaths::Pantry::kAttachPoints[5]), "ingredientAttachPoints/Row_2/IngredAttach_1.");
    EXPECT_EQ(Steps(ObjectPaths::Pantry::kAttachPoints[14]), "ingredientAttachPoints/Row_3/IngredAttach_5.");
    EXPECT_EQ(Steps(ScreenPaths::LevelSelect::kCharacters[3]), "LevelSelectMode/Characters/06.");
    EXPECT_EQ(Steps(ScreenPaths::LevelSelect::kCharacters[4]), "LevelSelectMode/Characters/10.");
    EXPECT_EQ(Steps(ScreenPaths::Profiles::kNewProfileTextEnter), "NewProfileMode/TextEnter.");
    EXPECT_EQ(Steps(DishSlotPath(0, 4)), ".") << "Canape_Veg has no step of display index 4";
    EXPECT_EQ(Steps(DishSlotPath(27, 5)), "Veg_1.");
    EXPECT_EQ(GetDishSlot(0, 4).position, 0) << "an empty slot fills no placeholder";
    EXPECT_EQ(GetDishSlot(3, 0).position, -1);
    EXPECT_EQ(GetDishSlot(3, 8).position, 4);
    EXPECT_STREQ(kDishNameFallbacks[30 * kDishNameFallbackColumns + 5], "Ing_5");
}

TEST(NodePathTables, PathsFindTheirNodesInAnyLetterCase)
{
    SceneNode root, intro, player, flavor, ingredient;
    intro.AttachAs(&root, Label("INTRO"));
    player.AttachAs(&intro, Label("player"));
    flavor.AttachAs(&player, Label("Flavor"));
    ingredient.AttachAs(&flavor, Label("ing_3"));
    EXPECT_EQ(root.FindByPath(ScreenPaths::LevelIntro::kFlavorIngredients[2]), &ingredient);
    EXPECT_EQ(root.FindByPath(ScreenPaths::LevelIntro::kPlayerFlavor), &flavor);
    EXPECT_EQ(root.FindByPath(ScreenPaths::LevelIntro::kFlavorIngredients[0]), nullptr) << "a missing node";
    EXPECT_EQ(flavor.FindByPath(DishSlotPath(0, 4)), nullptr) << "an empty slot finds nothing";
}
