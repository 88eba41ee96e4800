// The game's tuning numbers are read by name from the loaded data; a missing one reads as 0.
#pragma once

#include "Label.h"
#include "Framework/ResourceManager.h"

inline float TuningValue(const char* name)
{
    return Corvane::ResourceManager::GetValue<float>(Corvane::Label(name), 0.0f);
}
