// The resource groups the game loads behind its loading screen, in load order, each with the
// weight of its share of the progress meter. Each group is one manifest ("<group>.xml"). The
// weights are fixed estimates of each group's loading work, not measured sizes.
//
// A group named twice ("RecipeData", "IngredientData") is requested twice; the second request
// finds the first one's job, and both weights count.
//
// The data checker reads the same table, so a new group is added here and nowhere else.
#pragma once

#include <cstdint>
#include <span>

struct StartupGroup
{
    const wchar_t* name;
    std::uint64_t weight;
};

// The loading screen's own group, loaded on the main thread before the others start.
inline constexpr const wchar_t* kLoadingGroup = L"Loading";

// All groups in load order; the first ("resources") is the one the loading screen adds itself.
std::span<const StartupGroup> GetStartupGroups();
