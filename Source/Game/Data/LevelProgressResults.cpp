// The level-run results of LevelProgressManager: what the kitchen records for the judges.
#include "Game/Data/LevelProgressManager.h"

#include "RandomStream.h"

using namespace Corvane;

void LevelProgressManager::RecordStepResult(Label recipe, const StepResult& result)
{
    // A multimap keeps equal keys in insertion order.
    mStepResults.emplace(recipe, result);
}

void LevelProgressManager::RecordCombo(Label recipe, Label combo)
{
    mCombos.emplace(recipe, combo);
}

void LevelProgressManager::RecordCompletedDish(Label recipe)
{
    mCompletedDishes.insert(recipe);
}

bool LevelProgressManager::IsDishCompleted(Label recipe) const
{
    return mCompletedDishes.contains(recipe);
}

void LevelProgressManager::CollectDishKeys(std::vector<Label>& out) const
{
    for (auto it = mStepResults.begin(); it != mStepResults.end(); it = mStepResults.upper_bound(it->first))
        out.push_back(it->first);
}

void LevelProgressManager::ForEachStepResult(Label recipe, std::vector<StepResult>& out) const
{
    const auto [first, last] = mStepResults.equal_range(recipe);
    for (auto it = first; it != last; ++it)
        out.push_back(it->second);
}

void LevelProgressManager::ForEachCombo(Label recipe, std::vector<Label>& out) const
{
    const auto [first, last] = mCombos.equal_range(recipe);
    for (auto it = first; it != last; ++it)
        out.push_back(it->second);
}

Label LevelProgressManager::PickRandomCombo(Label recipe) const
{
    std::vector<Label> combos;
    ForEachCombo(recipe, combos);
    if (combos.empty())
        return Label();
    IRandomNumberStream* stream = GetCurrentRandomStream();
    const int pick = stream ? RandomInt(*stream, 0, static_cast<int>(combos.size()) - 1) : 0;
    return combos[static_cast<std::size_t>(pick)];
}

void LevelProgressManager::ClearLevelResults()
{
    mStepResults.clear();
    mCombos.clear();
    mCompletedDishes.clear();
}

bool LevelProgressManager::HasNoLevelResults() const
{
    return mStepResults.empty() && mCombos.empty() && mCompletedDishes.empty();
}
