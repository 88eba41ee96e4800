// The name the judges give a finished dish: the plate type's template of
// "DishDisplayReplacementStrings" (placeholders %1% to %5%), each placeholder filled with the
// display text of the ingredient whose step filled the dish slot that the dish slot table maps to
// it (a later step overwrites an earlier one), or with the plate type's default word.
#pragma once

#include "Game/Data/LevelProgressManager.h"

#include <string>
#include <vector>

std::wstring ComposeDishName(int plateType, const std::vector<StepResult>& results);
