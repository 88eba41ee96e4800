// The target under the pointer that a dragged ingredient would be dropped on: the object
// identifier of a cooking station (or another target), -1 for none. One object of the level
// screen's database, named "DRAG_TARGET_CONTAINER", made by its finder on first use.
//
// Still to come with the drag-and-drop piece: the drag source side and delivering the drop.
#pragma once

#include "Framework/Object.h"

class DragTargetContainer : public Corvane::Object
{
public:
    Corvane::Label GetName() const override;
    static Corvane::Label Name();

    Corvane::ObjectID GetTarget() const { return mTarget; }
    void SetTarget(Corvane::ObjectID target) { mTarget = target; }

private:
    Corvane::ObjectID mTarget = Corvane::kNoObject;
};

// The current database's container, created and registered there on first use; null when there
// is no current database.
DragTargetContainer* GetDragTargetContainer();
