// A screen on the main loop's mode stack; every screen is also the object database of its objects.
// This is the part the object database relies on: which mode is current. The main loop adds the
// screen's own operations (update, draw, enter, exit, focus, opacity, underlay) and keeps the
// current mode and the top of its stack here.
#pragma once

#include "Framework/ObjectDatabase.h"

namespace Corvane
{
class ApplicationMode : public ObjectDatabase
{
public:
    ApplicationMode() { mMode = this; }
    ~ApplicationMode() override;

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
