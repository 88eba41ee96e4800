// The kitchen's list of recipe steps still to cook, recipe after recipe, at most eight rows shown
// at a time (RecipeListEntry), with the count of steps left. It decides the current recipe (the
// dish being cooked: the recipe of the head step, once the previous one is done; each change
// restocks the pantry and resets the stations' flames) and its "NextStepButton" sends the head
// steps to free cooking stations: steps of the current recipe to any free station, the next
// recipe's only once the current one is done and every station is free. For its first second,
// and while the level screen holds it busy, it sends nothing; while busy the current recipe does
// not change either. The steps of one recipe and group form a dish component: its first row
// carries a header in the component's colour (six colours, handed out in turn). Its tree is
// "RecipeListLayout"; one object of the level screen's database, named "RecipeList".
#pragma once

#include "SceneGraph/SceneLayoutController.h"

#include <deque>
#include <map>
#include <set>

class RecipeStep;
class RecipeListEntry;

class RecipeList : public SceneLayoutController
{
public:
    // Rows shown at most.
    static constexpr std::size_t kMaxEntries = 8;
    // Space above a component's header when rows stand above it.
    static constexpr int kHeaderGap = 4;
    // Colours for the dish components, handed out in turn.
    static constexpr int kColourSlots = 6;

    Corvane::Label GetName() const override;
    static Corvane::Label Name();
    // The current recipe, then the rows filled up, then (first update only) the layout and the
    // one-second hold; the send button follows whether a step can be sent.
    void OnUpdate(float dt) override;

    // Queues the recipe's steps in order; nothing when the recipe does not resolve.
    void AddRecipe(Corvane::ObjectID recipe);
    // Moves pending steps into the shown rows until eight are shown.
    void FillEntries();
    // Sends head steps to free stations while the rules allow (the send button's click).
    void SendSteps();
    bool CanSendFirstEntry();

    // The recipe of the head row's step; -1 without rows.
    Corvane::ObjectID GetNextRecipe() const;
    // The dish being cooked; -1 until the first is chosen.
    Corvane::ObjectID GetCurrentRecipe() const { return mCurrentRecipe; }
    bool IsBusy() const { return mBusy; }
    void SetBusy(bool busy) { mBusy = busy; }
    // The rows shown (RecipeListEntry objects), head first.
    const std::deque<Corvane::ObjectID>& GetEntries() const { return mEntries; }
    std::size_t CountPending() const { return mPending.size(); }
    // The colour slot of the step's component (0 for a component without one).
    int GetComponentColorIndex(const RecipeStep& step);

protected:
    SceneNode* CreateNode() override;
    void OnAttached() override;

private:
    void UpdateCurrentRecipe();
    void AddEntry(Corvane::ObjectID step);
    // Rows to their places, head first; the count of steps left.
    void Relayout();
    RecipeListEntry* GetEntry(Corvane::ObjectID id) const;
    RecipeStep* GetHeadStep() const;

    bool mStarted = false;
    bool mBusy = false;
    int mNextColourSlot = 0;
    Corvane::ObjectID mCurrentRecipe = Corvane::kNoObject;
    std::deque<Corvane::ObjectID> mPending;
    std::deque<Corvane::ObjectID> mEntries;
    std::set<Corvane::Label> mHeadedKeys;
    std::map<Corvane::Label, int> mColourSlots;
};

// The current database's recipe list, or null.
RecipeList* FindRecipeList();
