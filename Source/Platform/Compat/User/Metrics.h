// Screen metrics, stock objects and the double-click time.
#pragma once

#include "Platform/Compat/User/UserTypes.h"

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int BLACK_BRUSH = 4;

// Primary screen width or height from the desktop's display mode.
int GetSystemMetrics(int index);
HGDIOBJ GetStockObject(int kind);
UINT GetDoubleClickTime();

namespace Compat
{
// Tests pretend the desktop has this size (0, 0 goes back to the real one).
void SetScreenSizeForTesting(int width, int height);
} // namespace Compat
