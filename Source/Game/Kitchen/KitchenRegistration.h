// Puts the kitchen's screens into the level flow (LevelFlowHooks): the level start makes its level
// screen through it. The application's start-up calls it.
#pragma once

void RegisterKitchenScreens();
