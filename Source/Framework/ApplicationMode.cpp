#include "Framework/ApplicationMode.h"

namespace Corvane
{
namespace
{
ApplicationMode* gCurrentMode = nullptr;
ApplicationMode* gTopMode = nullptr;
} // namespace

ApplicationMode::~ApplicationMode()
{
    // From here on this is only a database: nobody may find it as a mode any more, and its own
    // teardown must not make it current as one.
    mMode = nullptr;
    if (gCurrentMode == this)
        gCurrentMode = nullptr;
    if (gTopMode == this)
        gTopMode = nullptr;
}

ApplicationMode* GetCurrentApplicationMode()
{
    return gCurrentMode ? gCurrentMode : gTopMode;
}

namespace Internal
{
void SetTopApplicationMode(ApplicationMode* mode)
{
    gTopMode = mode;
}

CurrentApplicationModeScope::CurrentApplicationModeScope(ApplicationMode* mode) : mPrevious(gCurrentMode)
{
    gCurrentMode = mode;
}

CurrentApplicationModeScope::~CurrentApplicationModeScope()
{
    gCurrentMode = mPrevious;
}
} // namespace Internal
} // namespace Corvane
