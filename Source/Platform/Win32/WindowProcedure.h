// The window procedure registered with the game's window class: it attaches the platform passed
// as the creation parameter to the window and hands it every later message.
#pragma once

#include "Platform/Compat/User/UserTypes.h"

namespace Corvane
{
LRESULT SharedWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
} // namespace Corvane
