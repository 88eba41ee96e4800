#include "Game/Data/GameConstants.h"

using Corvane::Label;

const Label kCookingSpriteTypes[kIngredientCategoryCount] = {
    Label("Cooking_VegetableSpriteType"), Label("Cooking_MeatSpriteType"), Label("Cooking_FlavorSpriteType")};
const Label kSoundCategoryEffect("Effect");
const Label kSoundCategoryAmbient("Ambient");
const Label kSoundCategoryMusic("Music");
const Label kStationPassiveSounds[kCookingStepAnimationCount] = {
    Label("CookingStation_Passive_Chop"), Label("CookingStation_Passive_Saute"), Label("CookingStation_Passive_Boil"),
    Label("CookingStation_Passive_Mix")};
const Label kStationActiveSounds[kCookingStepAnimationCount] = {
    Label("CookingStation_Active_Chop"), Label("CookingStation_Active_Saute"), Label("CookingStation_Active_Boil"),
    Label("CookingStation_Active_Mix")};

const char* const kCookingAnimationNames[kCookingStepAnimationCount] = {"Chop", "Saute", "Boil", "Mix"};

const wchar_t* const kTutorialMessageFormats[kTutorialTipCount] = {
    L"Tutorial.Welcome.%d",           L"Tutorial.Timer.%d",           L"Tutorial.Recipe.%d",
    L"Tutorial.Steps.%d",             L"Tutorial.NextStep.%d",        L"Tutorial.IngredientRequest.%d",
    L"Tutorial.Pantry.%d",            L"Tutorial.Flavor.%d",          L"Tutorial.ChooseIngredient.%d",
    L"Tutorial.Flames.%d",            L"Tutorial.ProgressMeter.%d",   L"Tutorial.Working.%d",
    L"Tutorial.StepComplete.%d",      L"Tutorial.ChainingIntro.%d",   L"Tutorial.AddStep.%d",
    L"Tutorial.NewRecipe.%d",         L"Tutorial.Meats.%d",           L"Tutorial.ChainingComplete.%d",
    L"Tutorial.2Flavors.%d",          L"Tutorial.FlameBlink_Ingred.%d", L"Tutorial.FlameBlink_Work.%d",
    L"Tutorial.ClassicCombo.%d",      L"Tutorial.FlavorSet.%d",       L"Tutorial.ShuffleFlavors.%d",
    L"Tutorial.ShuffleVegetables.%d", L"Tutorial.ShuffleMeat.%d",     L"Tutorial.ProgressUp.%d",
    L"Tutorial.HighlightCombo.%d",    L"Tutorial.HighlightAtt.%d",    L"Tutorial.WrongCategory.%d",
    L"Tutorial.WrongAttribute.%d",    L"Tutorial.MeatStep.%d",        L"Tutorial.3Stars.%d",
};

namespace
{
// Columns 1 to 8 of each plate type's row, as far as they are filled; the rest are empty.
constexpr DishSlot kListedSlots[kPlatingTypeCount][kDishSlotColumns - 1] = {
    {{"Veg_A", 1}, {"Veg_B", 2}, {"Flavor_A", 3}},
    {{"Meat_A", 1}, {"Meat_B", 2}, {"Flavor_A", 3}},
    {{"Veg_A", 1}, {"Meat_A", 2}, {"Flavor_A", 3}},
    {{"Sauce", 0}, {"Flavor_A", 0}, {"Flavor_B", 0}, {"Meat_A", 1}, {"Flavor_C", 0}, {"Meat_B", 2}, {"Veg_A", 3},
     {"Veg_B", 4}},
    {{"Sauce", 0}, {"Flavor_A", 0}, {"Meat_A", 2}, {"Meat_B", 1}, {"Veg_A", 3}, {"Veg_B", 4}},
    {{"Sauce", 4}, {"Flavor_A", 0}, {"Flavor_B", 0}, {"Meat_A", 1}, {"Flavor_C", 0}, {"Veg_A", 2}, {"Veg_B", 3}},
    {{"Sauce", 3}, {"Flavor_A", 0}, {"Meat_A", 1}, {"Flavor_B", 0}, {"Veg_A", 0}, {"Veg_B", 2}},
    {{"Sauce", 4}, {"Flavor_A", 0}, {"Flavor_B", 0}, {"Veg_A", 3}, {"Flavor_C", 0}, {"Veg_B", 1}, {"Veg_C", 2}},
    {{"Sauce", 3}, {"Flavor_A", 0}, {"Veg_A", 1}, {"Veg_B", 2}, {"Veg_C", 0}},
    {{"Veg_A", 1}, {"Flavor_A", 4}, {"Veg_B", 2}, {"Flavor_B", 0}, {"Veg_C", 3}},
    {{"Veg_A", 3}, {"Veg_B", 4}, {"Meat_A", 1}, {"Flavor_A", 0}, {"Meat_B", 2}},
    {{"Sauce", 3}, {"Meat_A", 1}, {"Veg_A", 0}, {"Meat_B", 2}, {"Flavor_A", 0}},
    {{"Sauce", 3}, {"Meat_A", 1}, {"Veg_A", 0}, {"Meat_B", 2}, {"Flavor_A", 0}},
    {{"Sauce", 3}, {"Veg_A", 1}, {"Veg_B", 0}, {"Flavor_A", 2}},
    {{"Sauce", 3}, {"Veg_A", 1}, {"Veg_B", 0}, {"Flavor_A", 2}},
    {{"Sauce", 4}, {"Veg_A", 2}, {"Meat_A", 1}, {"Meat_B", 3}, {"Flavor_A", 0}},
    {{"Sauce", 4}, {"Veg_A", 2}, {"Veg_B", 1}, {"Flavor_A", 3}},
    {{"Veg_A", 2}, {"Veg_B", 3}, {"Veg_C", 4}, {"Meat_A", 1}},
    {{"Veg_A", 2}, {"Veg_B", 3}, {"Veg_C", 4}, {"Meat_A", 1}},
    {{"Sauce", 5}, {"Veg_A", 2}, {"Veg_B", 3}, {"Veg_C", 4}, {"Meat_A", 1}},
    {{"Sauce", 2}, {"Veg_A", 0}, {"Veg_B", 0}, {"Flavor_A", 4}, {"Flavor_B", 3}, {"Veg_C", 0}, {"Meat_A", 1}},
    {{"Sauce", 5}, {"Veg_A", 2}, {"Veg_B", 3}, {"Veg_C", 4}, {"Meat_A", 1}},
    {{"Sauce", 2}, {"Veg_A", 0}, {"Veg_B", 0}, {"Flavor_A", 4}, {"Flavor_B", 3}, {"Veg_C", 0}, {"Meat_A", 1}},
    {{"Broth", 2}, {"Veg_A", 0}, {"Meat_C", 1}, {"Meat_B", 3}, {"Meat_A", 0}, {"Veg_B", 4}, {"Flavor_B", 0},
     {"Flavor_A", 0}},
    {{"Broth", 0}, {"Veg_B", 3}, {"Veg_A", 0}, {"Meat_B", 1}, {"Meat_A", 2}, {"Flavor_A", 0}},
    {{"Broth", 2}, {"Veg_D", 1}, {"Veg_C", 3}, {"Veg_B", 4}, {"Veg_A", 0}, {"Flavor_C", 0}, {"Flavor_A", 0}},
    {{"Broth", 3}, {"Veg_D", 0}, {"Veg_C", 2}, {"Veg_B", 1}, {"Veg_A", 0}, {"Flavor_A", 0}},
    {{"Sauce", 0}, {"Meat_C", 0}, {"Meat_B", 1}, {"Meat_A", 4}, {"Veg_1", 2}, {"Flavor_C", 0}, {"Flavor_B", 3},
     {"Flavor_A", 0}},
    {{"Sauce", 0}, {"Meat_A", 1}, {"Veg_B", 0}, {"Veg_A", 2}, {"Flavor_B", 0}, {"Flavor_A", 3}},
    {{"Sauce", 0}, {"Veg_D", 0}, {"Veg_C", 1}, {"Veg_B", 2}, {"Veg_A", 3}, {"Flavor_C", 0}, {"Flavor_B", 4},
     {"Flavor_A", 0}},
    {{"Sauce", 1}, {"Veg_C", 0}, {"Veg_B", 0}, {"Veg_A", 2}, {"Flavor_B", 3}, {"Flavor_A", 0}},
};

constexpr std::array<DishSlot, kPlatingTypeCount * kDishSlotColumns> MakeDishSlots()
{
    std::array<DishSlot, kPlatingTypeCount * kDishSlotColumns> slots{};
    for (int row = 0; row < kPlatingTypeCount; ++row)
    {
        slots[row * kDishSlotColumns] = {"", -1};
        for (int column = 1; column < kDishSlotColumns; ++column)
        {
            const DishSlot& listed = kListedSlots[row][column - 1];
            slots[row * kDishSlotColumns + column] = {listed.name ? listed.name : "", listed.position};
        }
    }
    return slots;
}

constexpr std::array<const char*, kPlatingTypeCount * kDishNameFallbackColumns> MakeDishNameFallbacks()
{
    constexpr const char* kRow[kDishNameFallbackColumns] = {"", "Ing_1", "Ing_2", "Ing_3", "Ing_4", "Ing_5"};
    std::array<const char*, kPlatingTypeCount * kDishNameFallbackColumns> texts{};
    for (int i = 0; i < kPlatingTypeCount * kDishNameFallbackColumns; ++i)
        texts[i] = kRow[i % kDishNameFallbackColumns];
    return texts;
}

constexpr DishSlot kNoSlot{"", 0};
} // namespace

const std::array<DishSlot, kPlatingTypeCount * kDishSlotColumns> kDishSlots = MakeDishSlots();
const std::array<const char*, kPlatingTypeCount * kDishNameFallbackColumns> kDishNameFallbacks =
    MakeDishNameFallbacks();

const DishSlot& GetDishSlot(int plateType, int displayIndex)
{
    if (plateType < 0 || plateType >= kPlatingTypeCount || displayIndex < 0 || displayIndex >= kDishSlotColumns)
        return kNoSlot;
    return kDishSlots[static_cast<std::size_t>(plateType * kDishSlotColumns + displayIndex)];
}
