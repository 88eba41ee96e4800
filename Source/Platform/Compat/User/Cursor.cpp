#include "Platform/Compat/User/Cursor.h"

#include "Platform/Compat/Kernel/LastError.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Compat/User/WindowObject.h"

#include <map>
#include <memory>

namespace
{
struct CursorObject
{
    SDL_SystemCursor kind;
    SDL_Cursor* sdl = nullptr; // made on first use; SDL's headless driver has none
};

CursorObject* gCurrent = nullptr;
bool gCurrentSet = false;
POINT gScreenPosition{0, 0};
HWND gCapture = nullptr;

std::map<std::uintptr_t, std::unique_ptr<CursorObject>>& Cursors()
{
    static std::map<std::uintptr_t, std::unique_ptr<CursorObject>> cursors;
    return cursors;
}

bool KindFor(std::uintptr_t id, SDL_SystemCursor& kind)
{
    switch (id)
    {
    case 32512: kind = SDL_SYSTEM_CURSOR_ARROW; return true;
    case 32646: kind = SDL_SYSTEM_CURSOR_SIZEALL; return true;
    case 32644: kind = SDL_SYSTEM_CURSOR_SIZEWE; return true;
    case 32645: kind = SDL_SYSTEM_CURSOR_SIZENS; return true;
    case 32642: kind = SDL_SYSTEM_CURSOR_SIZENWSE; return true;
    case 32643: kind = SDL_SYSTEM_CURSOR_SIZENESW; return true;
    default: return false;
    }
}
} // namespace

HCURSOR LoadCursorW(HINSTANCE, const wchar_t* name)
{
    const auto id = reinterpret_cast<std::uintptr_t>(name);
    SDL_SystemCursor kind;
    if (!KindFor(id, kind))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::unique_ptr<CursorObject>& cursor = Cursors()[id];
    if (!cursor)
        cursor = std::make_unique<CursorObject>(CursorObject{kind});
    return cursor.get();
}

HCURSOR SetCursor(HCURSOR cursor)
{
    HCURSOR previous = gCurrentSet ? gCurrent : nullptr;
    gCurrent = static_cast<CursorObject*>(cursor);
    gCurrentSet = true;
    if (!Compat::EnsureVideo())
        return previous;
    if (!gCurrent)
    {
        SDL_ShowCursor(SDL_DISABLE);
        return previous;
    }
    if (!gCurrent->sdl)
        gCurrent->sdl = SDL_CreateSystemCursor(gCurrent->kind);
    if (gCurrent->sdl)
        SDL_SetCursor(gCurrent->sdl);
    SDL_ShowCursor(SDL_ENABLE);
    return previous;
}

HCURSOR GetCursor()
{
    return gCurrentSet ? gCurrent : nullptr;
}

BOOL GetCursorPos(POINT* point)
{
    if (!point)
        return FALSE;
    *point = gScreenPosition;
    return TRUE;
}

HWND WindowFromPoint(POINT point)
{
    if (HWND window = Compat::MainWindow())
    {
        POINT client = point;
        ScreenToClient(window, &client);
        RECT rect{0, 0, 0, 0};
        GetClientRect(window, &rect);
        if (client.x >= 0 && client.y >= 0 && client.x < rect.right && client.y < rect.bottom)
            return window;
    }
    return nullptr;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track)
{
    if (!track || !IsWindow(track->hwndTrack))
        return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
    if (track->dwFlags & 0x2) // TME_LEAVE
        track->hwndTrack->leaveTracking = true;
    return TRUE;
}

HWND SetCapture(HWND window)
{
    HWND previous = gCapture;
    gCapture = window;
    if (window && Compat::IsWindowThread())
        SDL_CaptureMouse(SDL_TRUE); // not every video driver can; the game only needs the intent
    return previous;
}

BOOL ReleaseCapture()
{
    gCapture = nullptr;
    if (Compat::IsWindowThread())
        SDL_CaptureMouse(SDL_FALSE);
    return TRUE;
}

HWND GetCapture()
{
    return IsWindow(gCapture) ? gCapture : nullptr;
}

namespace Compat
{
void NoteCursorPosition(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    gScreenPosition = client;
}
} // namespace Compat
