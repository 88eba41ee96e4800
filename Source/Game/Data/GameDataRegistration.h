// The resource types of the game's data, registered with the resource manager by the game's
// start-up before any manifest that uses them is read.
#pragma once

// The nine record types read through their descriptors, under their own names: "LevelDescriptor",
// "LevelProgressionData", "MirelFlavorThought", "MirelComboThought", "LevelIntroData",
// "RecipeData", "RecipeStepData", "CutscenePrompt", "CutsceneData".
void RegisterRecordFactories();
// The three read by hand: "CookingIngredient", "KitchenLevelData", "IngredientCombo".
void RegisterHandReadRecordFactories();
