// The node paths the kitchen's game objects resolve under their own nodes, and the dish slots'
// one-step paths. Names match node names without regard to case; a path whose node is missing
// finds nothing.
#pragma once

#include "Game/Data/GameConstants.h"
#include "Game/Data/NodePathTable.h"

#include <array>

namespace ObjectPaths
{
namespace RecipeList
{
inline const NodePath kRemainingSteps = PathOf({"RemainingSteps"});
inline const NodePath kNextStepButton = PathOf({"NextStepButton"});
inline const NodePath kListField = PathOf({"ListField"});
} // namespace RecipeList

namespace RecipeListEntry
{
inline const NodePath kIngredientIcon = PathOf({"IngredIcon"});
inline const NodePath kStepText1 = PathOf({"StepText_1"});
inline const NodePath kStepText2 = PathOf({"StepText_2"});
inline const NodePath kKeyStepIcon = PathOf({"KeyStepIcon"});
inline const NodePath kComponentText = PathOf({"ComponentText"});
} // namespace RecipeListEntry

namespace StepDisplay
{
inline const NodePath kClickRect = PathOf({"clickRect"});
inline const NodePath kProgressMeter = PathOf({"ProgMeter"});
inline const NodePath kProgressMeterBar = PathOf({"ProgMeter", "meter"});
inline const NodePath kSpeedUpAnim = PathOf({"ProgMeter", "SpeedUpAnim"});
inline const NodePath kIngredientImage = PathOf({"StepDisplay", "IngredientImg"});
inline const NodePath kIngredientImageBG = PathOf({"StepDisplay", "IngredientImg_BG"});
inline const NodePath kAttribute1 = PathOf({"StepDisplay", "Attribute_1"});
inline const NodePath kAttribute1Flash = PathOf({"StepDisplay", "Att1_Flash"});
inline const NodePath kAttribute1Icon = PathOf({"StepDisplay", "Att1_Icon"});
inline const NodePath kAttribute1Sparkle = PathOf({"StepDisplay", "Att1_Sparkle"});
inline const NodePath kAttribute2 = PathOf({"StepDisplay", "Attribute_2"});
inline const NodePath kAttribute2Flash = PathOf({"StepDisplay", "Att2_Flash"});
inline const NodePath kAttribute2Icon = PathOf({"StepDisplay", "Att2_Icon"});
inline const NodePath kAttribute2Sparkle = PathOf({"StepDisplay", "Att2_Sparkle"});
inline const NodePath kIngredientSparkle = PathOf({"StepDisplay", "IngredientImg_SparkleNode"});
inline const NodePath kPowerUpFlashAttach = PathOf({"StepDisplay", "AttrPowerUpFlashAttach"});
inline const NodePath kActionIndicator = PathOf({"ActionIndicator"});
inline const NodePath kKeyStepIcon = PathOf({"StepDisplay", "KeyStepIcon"});
} // namespace StepDisplay

namespace IngredientBin
{
inline const NodePath kHighlightAttribute = PathOf({"highlightAttAnim"});
inline const NodePath kHighlightCombo = PathOf({"highlightComboAnim"});
inline const NodePath kBackground = PathOf({"IngredientBG"});
inline const NodePath kImage = PathOf({"IngredientImg"});
inline const NodePath kText = PathOf({"IngredText"});
} // namespace IngredientBin

namespace Pantry
{
inline const NodePath kRowLabels[3] = {PathOf({"ingredientAttachPoints", "RowLabel_1"}),
                                       PathOf({"ingredientAttachPoints", "RowLabel_2"}),
                                       PathOf({"ingredientAttachPoints", "RowLabel_3"})};
// Path (row - 1) * 5 + slot - 1 for rows 1 to 3 and slots 1 to 5.
inline const std::array<NodePath, 15> kAttachPoints = [] {
    static const char* const kRows[] = {"Row_1", "Row_2", "Row_3"};
    static const char* const kSlots[] = {"IngredAttach_1", "IngredAttach_2", "IngredAttach_3", "IngredAttach_4",
                                         "IngredAttach_5"};
    std::array<NodePath, 15> paths;
    for (int i = 0; i < 15; ++i)
        paths[i] = PathOf({"ingredientAttachPoints", kRows[i / 5], kSlots[i % 5]});
    return paths;
}();
} // namespace Pantry

namespace CompletedDish
{
inline const NodePath kMaskNodeAttach = PathOf({"MaskNodeAttach"});
} // namespace CompletedDish

namespace Playfield
{
inline const NodePath kStations[4] = {PathOf({"CookingStation_1"}), PathOf({"CookingStation_2"}),
                                      PathOf({"CookingStation_3"}), PathOf({"CookingStation_4"})};
inline const NodePath kCancelDragMask = PathOf({"CancelDrag_ClickMask"});
inline const NodePath kListAttach = PathOf({"List_Attach"});
inline const NodePath kPantryAttach = PathOf({"Pantry_Attach"});
inline const NodePath kPopupAttach = PathOf({"Popup_Attach"});
inline const NodePath kPowerUpAttach = PathOf({"PowerUp_Attach"});
inline const NodePath kDishDisplay = PathOf({"dishDisplay"});
inline const NodePath kDishPlate = PathOf({"dishDisplay", "plate"});
// One button and one counter per PowerUpType, in its order.
inline const NodePath kPowerUpButtons[6] = {
    PathOf({"PowerUp_Button_Skills"}),      PathOf({"PowerUp_Button_Intuition"}),
    PathOf({"PowerUp_Button_Experience"}),  PathOf({"PowerUp_Button_ShuffleMeat"}),
    PathOf({"PowerUp_Button_ShuffleFlavor"}), PathOf({"PowerUp_Button_ShuffleVeg"})};
inline const NodePath kPowerUpCounts[6] = {PathOf({"Skills_count"}),        PathOf({"Intuition_count"}),
                                           PathOf({"Experience_count"}),    PathOf({"ShuffleMeat_count"}),
                                           PathOf({"ShuffleFlavor_count"}), PathOf({"ShuffleVeg_count"})};
inline const NodePath kPlayerAttach = PathOf({"PlayerAttach"});
inline const NodePath kIngredient1 = PathOf({"bg", "ingredient_1"});
inline const NodePath kIngredient2 = PathOf({"bg", "ingredient_2"});
inline const NodePath kScoreText = PathOf({"bg", "ScoreText"});
inline const NodePath kBackground = PathOf({"CookingScreenBG"});
inline const NodePath kAddIngredientPromptRoot = PathOf({"AddIngredientPromptRoot"});
inline const NodePath kAddIngredientPrompts[4] = {
    PathOf({"AddIngredientPromptRoot", "Station_1"}), PathOf({"AddIngredientPromptRoot", "Station_2"}),
    PathOf({"AddIngredientPromptRoot", "Station_3"}), PathOf({"AddIngredientPromptRoot", "Station_4"})};
} // namespace Playfield

namespace CookingStation
{
inline const NodePath kFlameAttach = PathOf({"flameAttach"});
inline const NodePath kWatchAnim = PathOf({"watchAnim"});
inline const NodePath kTextAnim = PathOf({"textAnim"});
inline const NodePath kScoreText = PathOf({"ScoreText"});
inline const NodePath kActionStepAttach = PathOf({"ActionStep_Attach"});
// The progress meter of the step display attached there.
inline const NodePath kStepMeter = PathOf({"ActionStep_Attach", "StepDisplayRoot", "ProgMeter", "meter"});
inline const NodePath kKeyStepBG = PathOf({"BG_KeyStep"});
inline const NodePath kImage = PathOf({"ImageNode"});
inline const NodePath kAttribute1Text = PathOf({"Att1_Text"});
inline const NodePath kAttribute2Text = PathOf({"Att2_Text"});
} // namespace CookingStation

namespace FlameMeter
{
inline const NodePath kFlames[6] = {PathOf({"1"}), PathOf({"2"}), PathOf({"3"}),
                                    PathOf({"4"}), PathOf({"5"}), PathOf({"6"})};
} // namespace FlameMeter

namespace ScoreManager
{
inline const NodePath kScoreDisplay = PathOf({"scoreDisplay"});
} // namespace ScoreManager

namespace PlayerAvatar
{
inline const NodePath kSparkleBase = PathOf({"SparkleBase"});
inline const NodePath kSpeedHalo = PathOf({"SpeedHalo"});
inline const NodePath kCookingAnim = PathOf({"CookingAnimNode"});
inline const NodePath kAnimation = PathOf({"animationNode"});
} // namespace PlayerAvatar
} // namespace ObjectPaths

// The dish display's child for a plate type's step of that display index: its slot's name as one
// step (an empty name finds nothing).
inline NodePath DishSlotPath(int plateType, int displayIndex)
{
    return PathOf({GetDishSlot(plateType, displayIndex).name});
}
