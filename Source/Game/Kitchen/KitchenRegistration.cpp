#include "Game/Kitchen/KitchenRegistration.h"

#include "Game/Data/LevelFlowHooks.h"
#include "Game/Kitchen/GameMode.h"

void RegisterKitchenScreens()
{
    GetLevelFlowHooks().makeGameMode = [] { return GameMode::Create(); };
}
