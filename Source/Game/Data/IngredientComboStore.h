// Which combos each ingredient belongs to: filed by the combo factory on the resource manager's
// loader thread while combos load, read by the kitchen on the main thread. Kept apart from the
// level progress so that loading combos builds nothing else on the loader thread.
#pragma once

#include "Label.h"

#include <map>
#include <mutex>
#include <vector>

class IngredientComboStore
{
public:
    // The one store of the process (never destroyed before exit).
    static IngredientComboStore& Instance();

    // Files combo under ingredient; filing a pair twice files it twice.
    void Add(Corvane::Label ingredient, Corvane::Label combo);
    // The combos filed under ingredient, in filing order.
    std::vector<Corvane::Label> GetCombos(Corvane::Label ingredient) const;
    // Forgets every pair.
    void Clear();

private:
    mutable std::mutex mLock;
    std::multimap<Corvane::Label, Corvane::Label> mCombos;
};
