#include "Game/Data/LevelFlowHooks.h"

LevelFlowHooks& GetLevelFlowHooks()
{
    static LevelFlowHooks hooks;
    return hooks;
}
