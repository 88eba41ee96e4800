#include "Game/Judging/JudgingDishName.h"

#include "Format.h"
#include "Game/Data/GameConstants.h"
#include "Game/Data/LocalizedText.h"
#include "TextConversion.h"

#include <array>

using namespace Corvane;

namespace
{
constexpr int kPlaceholders = 5;

std::wstring DefaultWord(int plateType, int placeholder)
{
    const char* key = kDishNameFallbacks[static_cast<std::size_t>(plateType * kDishNameFallbackColumns + placeholder)];
    std::wstring wide;
    Narrow::ToWide(wide, key);
    return LocalizedText::GetTextByName(wide);
}
} // namespace

std::wstring ComposeDishName(int plateType, const std::vector<StepResult>& results)
{
    if (plateType < 0 || plateType >= kPlatingTypeCount)
        return std::wstring();
    std::array<Label, kPlaceholders + 1> fillers{};
    for (const StepResult& result : results)
    {
        // GetDishSlot answers an empty cell (placeholder 0) for a slot outside the table.
        const int placeholder = result.slot >= 0 ? GetDishSlot(plateType, result.slot).position : 0;
        if (placeholder >= 1 && placeholder <= kPlaceholders)
            fillers[static_cast<std::size_t>(placeholder)] = result.ingredient;
    }
    Format name(LocalizedText::GetDishNameTemplate(plateType));
    for (int p = 1; p <= kPlaceholders; ++p)
    {
        const Label ingredient = fillers[static_cast<std::size_t>(p)];
        name % (ingredient ? LocalizedText::GetDisplayText(ingredient.c_str()) : DefaultWord(plateType, p));
    }
    return name.str();
}
