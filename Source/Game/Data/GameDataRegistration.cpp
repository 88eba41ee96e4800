#include "Game/Data/GameDataRegistration.h"

#include "Framework/ResourceManager.h"
#include "Game/Data/GameRecordDescriptors.h"
#include "Game/Data/IngredientComboStore.h"
#include "Game/Data/IngredientData.h"
#include "Game/Data/KitchenLevelData.h"
#include "simplesettings/SettingsDescriptorWrapper.h"

using Corvane::ResourceManager;
using SimpleSettings::SettingsDescriptorWrapper;

namespace
{
template <typename Record> void RegisterRecord(const wchar_t* name)
{
    ResourceManager::Instance()->RegisterFactory(name, new SettingsDescriptorWrapper(&gRecordDescriptor<Record>));
}
} // namespace

void RegisterRecordFactories()
{
    RegisterRecord<LevelDescriptor>(L"LevelDescriptor");
    RegisterRecord<LevelProgressionData>(L"LevelProgressionData");
    RegisterRecord<MirelFlavorThought>(L"MirelFlavorThought");
    RegisterRecord<MirelComboThought>(L"MirelComboThought");
    RegisterRecord<LevelIntroData>(L"LevelIntroData");
    RegisterRecord<RecipeData>(L"RecipeData");
    RegisterRecord<RecipeStepData>(L"RecipeStepData");
    RegisterRecord<CutscenePrompt>(L"CutscenePrompt");
    RegisterRecord<CutsceneData>(L"CutsceneData");
}

void RegisterHandReadRecordFactories()
{
    ResourceManager* manager = ResourceManager::Instance();
    manager->RegisterFactory(L"CookingIngredient", new CookingIngredientDataResourceFactory);
    manager->RegisterFactory(L"KitchenLevelData", new KitchenLevelDataResourceFactory);
    manager->RegisterFactory(L"IngredientCombo", new IngredientComboDataResourceFactory);
    // The store outlives the resource manager: a new start (a second run in one process) files
    // its combos afresh instead of on top of the last run's, which would score them twice.
    IngredientComboStore::Instance().Clear();
}
