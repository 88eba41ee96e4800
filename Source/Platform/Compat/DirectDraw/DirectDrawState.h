// What a DirectDraw object shares with the surfaces it made: its driver, its cooperative level
// and window, the display mode it set. Surfaces keep it alive, so it outlives the object when a
// surface is released late. Internal to the layer.
#pragma once

#include "Platform/Compat/DirectDraw/DirectDraw.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"

namespace Compat
{
struct DirectDrawState
{
    DisplayDriverDescription driver;
    IDirectDraw7* object = nullptr; // null once the DirectDraw object is gone
    HWND window = nullptr;          // from the cooperative level
    DWORD level = 0;
    bool modeSet = false; // a display mode was set in exclusive mode
    DisplayModeDescription mode;
    bool hasPrimary = false;
    // The display as the cooperative level found it: a change since means the wrong mode.
    unsigned displayChanges = 0;
    DisplayModeDescription desktop;

    bool IsExclusive() const { return (level & DDSCL_EXCLUSIVE) != 0; }
    // The mode in force: the one set, else the desktop's.
    DisplayModeDescription CurrentMode() const;
};
} // namespace Compat
