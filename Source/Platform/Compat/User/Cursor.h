// System cursors, the pointer position, leave tracking and mouse capture.
#pragma once

#include "Platform/Compat/User/UserTypes.h"

// Standard cursor identifiers for LoadCursorW (resource ids, as the desktop passes them).
inline const wchar_t* const IDC_ARROW = reinterpret_cast<const wchar_t*>(32512);
inline const wchar_t* const IDC_SIZEALL = reinterpret_cast<const wchar_t*>(32646);
inline const wchar_t* const IDC_SIZEWE = reinterpret_cast<const wchar_t*>(32644);
inline const wchar_t* const IDC_SIZENS = reinterpret_cast<const wchar_t*>(32645);
inline const wchar_t* const IDC_SIZENWSE = reinterpret_cast<const wchar_t*>(32642);
inline const wchar_t* const IDC_SIZENESW = reinterpret_cast<const wchar_t*>(32643);

// A shared system cursor (never freed); null for an unknown identifier.
HCURSOR LoadCursorW(HINSTANCE instance, const wchar_t* name);
// Shows cursor over the program's windows (null hides the pointer); returns the previous one.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// The pointer's last known screen position.
BOOL GetCursorPos(POINT* point);
// The program's window whose client area holds the screen point, else null.
HWND WindowFromPoint(POINT point);
// TME_LEAVE arms one WM_MOUSELEAVE for the window.
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();

namespace Compat
{
// Records where the pointer is (client position of window), for GetCursorPos.
void NoteCursorPosition(HWND window, POINT client);
} // namespace Compat
