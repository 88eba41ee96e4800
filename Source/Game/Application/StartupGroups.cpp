#include "Game/Application/StartupGroups.h"

namespace
{
constexpr StartupGroup kStartupGroups[] = {
    {L"resources", 1},
    {L"ParticleTest", 16},
    {L"PowerUpEffects", 1},
    {L"PowerUpUIButtons", 7},
    {L"HelpScreen", 4},
    {L"TitleMainMenuMode", 15},
    {L"CreditsMode", 19},
    {L"ProfileModes", 5},
    {L"OptionsMode", 7},
    {L"QuitConfirmMode", 2},
    {L"PauseMode", 1},
    {L"CutsceneMode", 1},
    {L"LevelIntroMode", 44},
    {L"InGameFeedback", 14},
    {L"PlayerAnimations", 3},
    {L"ComponentDisplay", 127},
    {L"StationAnimImages", 2},
    {L"GameConstants", 1},
    {L"Game-Ingredients", 1},
    {L"DishDisplayLayouts-Shared", 24},
    {L"DishDisplayLayouts-Pasta", 4},
    {L"DishDisplayLayouts-Salad", 1},
    {L"DishDisplayLayouts-Sandwich", 1},
    {L"DishDisplayLayouts-Canape", 1},
    {L"DishDisplayLayouts-Entree", 1},
    {L"DishDisplayLayouts-Soup", 1},
    {L"DishDisplayLayouts-Pizza", 1},
    {L"IngredientDisplayData", 117},
    {L"TutorialMode", 2},
    {L"Cutscenes", 2},
    {L"LevelProgression", 1},
    {L"LevelOutroMode", 2},
    {L"LevelSelectMode", 21},
    {L"Game", 8},
    {L"CookingStationUI", 11},
    {L"Station_IdleAnimations", 38},
    {L"FinalDishDisplay", 4},
    {L"RecipeData", 1},
    {L"IngredientData", 1},
    {L"IngredientCombos", 7},
    {L"JudgingMode", 15},
    {L"RecipeData", 1},
    {L"IngredientData", 1},
    {L"AudioResources", 44},
};
} // namespace

std::span<const StartupGroup> GetStartupGroups()
{
    return kStartupGroups;
}
