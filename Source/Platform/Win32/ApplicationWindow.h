// How the renderers find the window they hand to the display device: the engine-wide platform,
// when it is this program's Windows platform, offers its window through this interface.
#pragma once

#include "Platform/Compat/User/UserTypes.h"

namespace Corvane
{
class IApplicationWindow
{
public:
    // The game's window, null before it is created.
    virtual HWND GetWindowHandle() const = 0;

protected:
    ~IApplicationWindow() = default;
};

// The engine-wide platform as a window owner, null when there is no platform or it has no
// Windows window (a platform of another kind).
IApplicationWindow* GetApplicationWindow();
} // namespace Corvane
