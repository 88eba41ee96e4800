// Carries the picture of the ingredient being dragged on the level screen: holds the dragged
// node, moves it to the mouse on every update, switches the request displays' drop hints with the
// drag mode, and hands a finished drag to the drag-and-drop routines (DragAndDrop.h). The bins
// start and end the drags. One object of the level screen's database, named "DRAGINPUT_MANAGER".
//
// The picture handed to StartDrag waits off the screen at (-999, -999) until the next update puts
// it at the mouse; it stays, hidden, after the drag ends and goes when the next drag starts.
#pragma once

#include "Framework/Object.h"

class SceneNode;

class DragInputManager : public Corvane::Object
{
public:
    static constexpr int kNothing = 0;
    static constexpr int kIngredient = 1;

    Corvane::Label GetName() const override;
    static Corvane::Label Name();
    // The current database's manager, created and registered on first use (no picture, mode 0);
    // null without a current database.
    static DragInputManager* Get();

    // node (registered in the current database) becomes the dragged picture, shown, off the
    // screen; the picture held before is removed.
    void StartDrag(SceneNode* node);
    // Hides the picture, then every request display's drop hint goes off, and on again for mode 1.
    void SetDragMode(int mode);
    int GetDragMode() const { return mMode; }
    void SetDragImageVisible(bool visible);
    // The held picture, or null.
    SceneNode* GetDragImage() const;
    // The ingredient drag in progress, if any, is delivered (to the current target, or cancelled).
    void DeliverDrop();
    // The held picture goes to the last mouse position.
    void OnUpdate(float dt) override;

private:
    Corvane::ObjectID mImage = Corvane::kNoObject;
    int mMode = kNothing;
};
