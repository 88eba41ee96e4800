#include "GameManifests.h"

namespace Corvane::DataCheck
{
const std::vector<std::wstring>& StartupManifests()
{
    // Keep in step with the application's start-up list of group loads.
    static const std::vector<std::wstring> manifests = {
        L"Loading",
        L"resources",
        L"ParticleTest",
        L"PowerUpEffects",
        L"PowerUpUIButtons",
        L"HelpScreen",
        L"TitleMainMenuMode",
        L"CreditsMode",
        L"ProfileModes",
        L"OptionsMode",
        L"QuitConfirmMode",
        L"PauseMode",
        L"CutsceneMode",
        L"LevelIntroMode",
        L"InGameFeedback",
        L"PlayerAnimations",
        L"ComponentDisplay",
        L"StationAnimImages",
        L"GameConstants",
        L"Game-Ingredients",
        L"DishDisplayLayouts-Shared",
        L"DishDisplayLayouts-Pasta",
        L"DishDisplayLayouts-Salad",
        L"DishDisplayLayouts-Sandwich",
        L"DishDisplayLayouts-Canape",
        L"DishDisplayLayouts-Entree",
        L"DishDisplayLayouts-Soup",
        L"DishDisplayLayouts-Pizza",
        L"IngredientDisplayData",
        L"TutorialMode",
        L"Cutscenes",
        L"LevelProgression",
        L"LevelOutroMode",
        L"LevelSelectMode",
        L"Game",
        L"CookingStationUI",
        L"Station_IdleAnimations",
        L"FinalDishDisplay",
        L"RecipeData",
        L"IngredientData",
        L"IngredientCombos",
        L"JudgingMode",
        L"RecipeData",
        L"IngredientData",
        L"AudioResources",
    };
    return manifests;
}
} // namespace Corvane::DataCheck
