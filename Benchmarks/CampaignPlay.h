// Helpers of the programs that play the campaign on the kitchen rig (BusyKitchen.bench.cpp,
// Soak.cpp): which level of the level order is the busiest, and the process's resident memory.
#pragma once

#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelProgressManager.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <tuple>

namespace Corvane::Testing
{
// The index in the level order of the level with the most stations, then the most dishes, then the
// longest clock: the one whose kitchen holds the most at once. -1 when no level has data.
inline int BusiestLevelIndex()
{
    LevelProgressManager* progress = LevelProgressManager::Instance();
    const std::vector<Label>& order = progress->GetLevelOrder();
    int busiest = -1;
    std::tuple<int, std::size_t, int> most{-1, 0, 0};
    for (int index = 0; index < static_cast<int>(order.size()); ++index)
    {
        const KitchenLevelData* data = progress->GetLevelData(order[static_cast<std::size_t>(index)]);
        if (!data)
            continue;
        const std::tuple<int, std::size_t, int> size{data->numStations, data->recipes.size(), data->time};
        if (size > most)
        {
            most = size;
            busiest = index;
        }
    }
    return busiest;
}

// A field of /proc/self/status in megabytes: "VmRSS" now, "VmHWM" the peak so far.
inline double ResidentMegabytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::strtod(line.c_str() + field.size() + 1, nullptr) / 1024.0;
    return 0;
}
} // namespace Corvane::Testing
