// The kitchen's list of recipe steps still to cook, recipe after recipe, at most eight shown at a
// time. It decides the current recipe (the dish being cooked: the recipe of the head step, once
// the previous one is done) and sends the head steps to free cooking stations: steps of the
// current recipe to any free station, the next recipe's only once the current one is done and
// every station is free. For its first second, and while the level screen holds it busy, it sends
// nothing; while busy the current recipe does not change either. One object of the level screen's
// database, named "RecipeList".
//
// Still to come with the recipe list piece: its node tree ("RecipeListLayout", the send button,
// the count of remaining steps), the entries' headers, colours and flights, the pantry's restock
// and the stations' flame reset when the recipe changes.
#pragma once

#include "Framework/Object.h"

#include <deque>

class RecipeList : public Corvane::Object
{
public:
    // Entries shown at most.
    static constexpr std::size_t kMaxEntries = 8;

    Corvane::Label GetName() const override;
    static Corvane::Label Name();
    // The current recipe, then the entries filled up, then (first update only) the one-second
    // hold.
    void OnUpdate(float dt) override;

    // Queues the recipe's steps in order; nothing when the recipe does not resolve.
    void AddRecipe(Corvane::ObjectID recipe);
    // Moves pending steps into the shown entries until eight are shown.
    void FillEntries();
    // Sends head steps to free stations while the rules allow (the send button's click).
    void SendSteps();
    bool CanSendFirstEntry();

    // The recipe of the head entry's step; -1 without entries.
    Corvane::ObjectID GetNextRecipe() const;
    // The dish being cooked; -1 until the first is chosen.
    Corvane::ObjectID GetCurrentRecipe() const { return mCurrentRecipe; }
    bool IsBusy() const { return mBusy; }
    void SetBusy(bool busy) { mBusy = busy; }
    const std::deque<Corvane::ObjectID>& GetEntries() const { return mEntries; }
    std::size_t CountPending() const { return mPending.size(); }

private:
    void UpdateCurrentRecipe();

    bool mStarted = false;
    bool mBusy = false;
    Corvane::ObjectID mCurrentRecipe = Corvane::kNoObject;
    std::deque<Corvane::ObjectID> mPending;
    std::deque<Corvane::ObjectID> mEntries;
};

// The current database's recipe list, or null.
RecipeList* FindRecipeList();
