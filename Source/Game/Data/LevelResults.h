// What the judges comment on after a level: a result per finished recipe step, the ingredient
// combos achieved and the dishes completed, each under its recipe's name. Kept in memory only
// (nothing goes to the profile), held by the level progress and cleared when the player leaves a
// level for the menus or leaves the judges' table. Keys are labels ordered by handle, so the dish
// names come back in that order, not alphabetically. Main thread.
#pragma once

#include "Label.h"

#include <map>
#include <set>
#include <vector>

// One finished recipe step.
struct StepResult
{
    // The ingredient met every request and the step fills a slot of the dish.
    bool perfect = false;
    Corvane::Label ingredient;
    // The dish slot the step fills, -1 for none.
    int slot = -1;
    // Every point the step earned.
    int points = 0;

    friend bool operator==(const StepResult&, const StepResult&) = default;
};

class LevelResults
{
public:
    // Results under one name keep the order in which they were recorded.
    void RecordStepResult(Corvane::Label recipe, const StepResult& result);
    // Every achievement counts, the same combo again too.
    void RecordCombo(Corvane::Label recipe, Corvane::Label combo);
    void RecordCompletedDish(Corvane::Label recipe);
    bool IsDishCompleted(Corvane::Label recipe) const;
    // Appends, once each, the recipes with at least one step result.
    void CollectDishKeys(std::vector<Corvane::Label>& out) const;
    // Appends the recipe's step results in recording order.
    void ForEachStepResult(Corvane::Label recipe, std::vector<StepResult>& out) const;
    // One of the recipe's combos, uniformly from the current random stream; the null label when
    // it has none.
    Corvane::Label PickRandomCombo(Corvane::Label recipe) const;
    void Clear();

private:
    std::multimap<Corvane::Label, StepResult> mStepResults;
    std::multimap<Corvane::Label, Corvane::Label> mCombos;
    std::set<Corvane::Label> mCompletedDishes;
};
