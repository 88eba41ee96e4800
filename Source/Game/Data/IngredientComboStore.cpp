#include "Game/Data/IngredientComboStore.h"

IngredientComboStore& IngredientComboStore::Instance()
{
    static IngredientComboStore store;
    return store;
}

void IngredientComboStore::Add(Corvane::Label ingredient, Corvane::Label combo)
{
    std::lock_guard<std::mutex> lock(mLock);
    mCombos.emplace(ingredient, combo); // after the pairs of the same ingredient
}

std::vector<Corvane::Label> IngredientComboStore::GetCombos(Corvane::Label ingredient) const
{
    std::lock_guard<std::mutex> lock(mLock);
    std::vector<Corvane::Label> combos;
    const auto [first, last] = mCombos.equal_range(ingredient);
    for (auto entry = first; entry != last; ++entry)
        combos.push_back(entry->second);
    return combos;
}

void IngredientComboStore::Clear()
{
    std::lock_guard<std::mutex> lock(mLock);
    mCombos.clear();
}
