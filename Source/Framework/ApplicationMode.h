// A screen on the main loop's mode stack; every screen is also the object database of its objects.
// The input operations (key, mouse, wheel, leave, text) are the database's routing; the main loop
// adds the screen's own operations below and keeps the current mode and the top of its stack here.
// The stack owns its modes: a mode is deleted when it is popped. Main thread only.
#pragma once

#include "Framework/ObjectDatabase.h"

namespace Corvane
{
class ApplicationMode : public ObjectDatabase
{
public:
    ApplicationMode() { mMode = this; }
    ~ApplicationMode() override;

    // One fixed update of dt seconds, only while this is the top mode. By default runs the tasks
    // of the screen's objects.
    virtual void Update(float dt) { ObjectDatabase::Update(dt); }
    // Draws the screen (on the render context's canvas); the current mode during the call.
    virtual void Draw() {}
    // Right after the push onto the stack; the current mode during the call.
    virtual void OnEnter() {}
    // Right before the pop deletes the mode; the current mode during the call.
    virtual void OnExit() {}
    // The mode became the top of the stack after a batch of mode requests.
    virtual void OnGainFocus() {}
    // The mode is the top and a batch of mode requests (or the shutdown) is about to run.
    virtual void OnLoseFocus() {}
    // True: nothing below this mode needs drawing.
    virtual bool IsOpaque() { return true; }
    // Drawn after the modes below this (top) mode and before its own Draw, e.g. to dim them.
    virtual void DrawUnderlay() {}
    // The database holding this screen's objects: the screen itself unless it keeps them elsewhere.
    virtual ObjectDatabase* GetObjectDatabase() { return this; }
};

// The mode whose operation is running (set around the loop's enter, exit and draw calls and by a
// database's broadcast), else the top of the mode stack, else null.
ApplicationMode* GetCurrentApplicationMode();

namespace Internal
{
// The main loop keeps the top of its mode stack here (null when the stack is empty).
void SetTopApplicationMode(ApplicationMode* mode);

// Makes mode the current mode for the scope's lifetime; the previous one comes back at its end,
// also when an exception passes.
class CurrentApplicationModeScope
{
public:
    explicit CurrentApplicationModeScope(ApplicationMode* mode);
    ~CurrentApplicationModeScope();
    CurrentApplicationModeScope(const CurrentApplicationModeScope&) = delete;
    CurrentApplicationModeScope& operator=(const CurrentApplicationModeScope&) = delete;

private:
    ApplicationMode* mPrevious;
};
} // namespace Internal
} // namespace Corvane
