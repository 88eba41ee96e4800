#include "Game/Data/LevelResults.h"

#include "RandomStream.h"

using namespace Corvane;

void LevelResults::RecordStepResult(Label recipe, const StepResult& result)
{
    // A multimap inserts equal keys after the ones already there: recording order is kept.
    mStepResults.emplace(recipe, result);
}

void LevelResults::RecordCombo(Label recipe, Label combo)
{
    mCombos.emplace(recipe, combo);
}

void LevelResults::RecordCompletedDish(Label recipe)
{
    mCompletedDishes.insert(recipe);
}

bool LevelResults::IsDishCompleted(Label recipe) const
{
    return mCompletedDishes.count(recipe) != 0;
}

void LevelResults::CollectDishKeys(std::vector<Label>& out) const
{
    for (auto it = mStepResults.begin(); it != mStepResults.end(); it = mStepResults.upper_bound(it->first))
        out.push_back(it->first);
}

void LevelResults::ForEachStepResult(Label recipe, std::vector<StepResult>& out) const
{
    const auto [first, last] = mStepResults.equal_range(recipe);
    for (auto it = first; it != last; ++it)
        out.push_back(it->second);
}

Label LevelResults::PickRandomCombo(Label recipe) const
{
    std::vector<Label> combos;
    const auto [first, last] = mCombos.equal_range(recipe);
    for (auto it = first; it != last; ++it)
        combos.push_back(it->second);
    IRandomNumberStream* stream = GetCurrentRandomStream();
    if (combos.empty() || !stream)
        return combos.empty() ? Label() : combos.front();
    return combos[static_cast<std::size_t>(RandomInt(*stream, 0, static_cast<int>(combos.size()) - 1))];
}

void LevelResults::Clear()
{
    mStepResults.clear();
    mCombos.clear();
    mCompletedDishes.clear();
}
