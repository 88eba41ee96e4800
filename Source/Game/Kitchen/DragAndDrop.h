// Drag and drop on the level screen: click a pantry bin to pick its ingredient up, click an
// ingredient request display to hand it over. Sources and targets derive from the mix-ins below;
// two named objects of the screen's database remember the source whose drag is in progress
// ("DRAG_SOURCE_CONTAINER") and the target that would take a drop ("DRAG_TARGET_CONTAINER").
// Only a bin's press starts a drag; the recipe-step mix-ins only give the list entries and the
// stations their bases.
//
// A drop is decided by the press that makes it, not by hovering: the pressed request display makes
// itself the target before it delivers, and presses that cancel (the bare floor, another bin)
// clear the target first, so a press that falls through one display's text onto another display
// or the floor never serves the display the pointer last hovered. A target that refuses the item
// (Accept answers false) cancels the drag: the source keeps it.
//
// Everything goes through the current object database: stale handles mean none. Main thread.
#pragma once

#include "Framework/Object.h"
#include "Framework/ObjectDatabase.h"
#include "Game/Kitchen/FindLive.h"

class CookingIngredient;
class RecipeStep;

template <typename T> class DragSource : public virtual Corvane::Object
{
public:
    // What a drop delivers.
    T GetItem() const { return mItem; }
    // This source has just become the current one.
    virtual void BeginDrag() {}
    // The drag ended without a target, was refused, or another source replaced it.
    virtual void CancelDrag() {}
    // The target took the item (after its Accept returned).
    virtual void EndDrag() {}

protected:
    T mItem{};
};

template <typename T> class DragTarget : public virtual Corvane::Object
{
public:
    // Takes the item: true when taken, false when refused (the drag is then cancelled).
    virtual bool Accept(T) { return false; }
};

using IngredientSource = DragSource<CookingIngredient*>;
using IngredientTarget = DragTarget<CookingIngredient*>;

// One remembered object, -1 for none.
class DragContainer : public Corvane::Object
{
public:
    Corvane::ObjectID GetCurrent() const { return mCurrent; }
    void SetCurrent(Corvane::ObjectID current) { mCurrent = current; }

private:
    Corvane::ObjectID mCurrent = Corvane::kNoObject;
};

class DragSourceContainer : public DragContainer
{
public:
    Corvane::Label GetName() const override;
    static Corvane::Label Name();
    // The current database's container, created and registered on first use; null without a
    // current database.
    static DragSourceContainer* Get();
};

class DragTargetContainer : public DragContainer
{
public:
    Corvane::Label GetName() const override;
    static Corvane::Label Name();
    static DragTargetContainer* Get();
};

// The ingredient source whose drag is in progress, or null (none, stale, or of the other kind).
IngredientSource* CurrentIngredientSource();
// The ingredient target now current, or null (none, stale, or a recipe-step target).
IngredientTarget* CurrentIngredientTarget();

// A press on a bin: the target is cleared and the drag in progress delivered (so cancelled), then
// source's drag begins (the old source hears CancelDrag after the new one's BeginDrag).
void PickUp(IngredientSource& source);
// Ends the drag from source when it is the current one: the current target accepts the item and
// the source hears EndDrag, or, without a target or when refused, CancelDrag.
void Deliver(IngredientSource& source);
// Delivers the ingredient drag in progress, if any.
void DeliverCurrentDrag();
// The pointer entered or left a target's area. Leaving clears only the target's own entry.
void EnterTarget(const Corvane::Object& target);
void LeaveTarget(const Corvane::Object& target);
// No target: presses that must cancel clear it before delivering.
void ClearTarget();
