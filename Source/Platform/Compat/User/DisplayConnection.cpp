#include "Platform/Compat/User/DisplayConnection.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

namespace Compat
{
namespace
{
std::atomic<bool> gLost{false};
std::mutex gLock;
std::string gLostName;
std::vector<Display*> gWatched;
XIOErrorHandler gDefaultHandler = nullptr;

void NoteDisplayLoss(const std::string& displayName)
{
    {
        std::lock_guard<std::mutex> guard(gLock);
        if (gLost.load())
            return;
        gLostName = displayName;
    }
    gLost.store(true);
}

bool IsWatched(Display* display)
{
    std::lock_guard<std::mutex> guard(gLock);
    return std::find(gWatched.begin(), gWatched.end(), display) != gWatched.end();
}

// Xlib's own handler prints its line for every connection; a watched one says why in its own words
// when the game has ended.
int OnInputOutputError(Display* display)
{
    if (!IsWatched(display) && gDefaultHandler)
        return gDefaultHandler(display);
    return 0;
}

// Returning from here leaves the connection marked dead: later calls on it return at once, without
// effect. (What waits for the server's answer would wait for ever: the window layer stops asking.)
void OnConnectionLost(Display* display, void*)
{
    const char* name = DisplayString(display);
    NoteDisplayLoss(name ? name : "");
}

// What SDL tells of the window's X side; false on other video drivers.
bool GetX11Info(SDL_Window* window, SDL_SysWMinfo& info)
{
    SDL_VERSION(&info.version);
    return window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}
} // namespace

void WatchDisplayConnection(SDL_Window* window)
{
    SDL_SysWMinfo info;
    if (GetX11Info(window, info))
        WatchConnection(info.info.x11.display);
}

unsigned long X11WindowOf(SDL_Window* window)
{
    SDL_SysWMinfo info;
    return GetX11Info(window, info) ? info.info.x11.window : 0;
}

bool TakeUnheldFocus(SDL_Window* window)
{
    SDL_SysWMinfo info;
    if (IsDisplayLost() || !GetX11Info(window, info))
        return false;
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(info.info.x11.display, &focus, &revertTo);
    // With the focus following the pointer SDL hears of no focus at all.
    if (focus != None && focus != PointerRoot)
        return false;
    return SDL_SetWindowInputFocus(window) == 0;
}

void WatchConnection(Display* display)
{
    if (!display || IsWatched(display))
        return;
    {
        std::lock_guard<std::mutex> guard(gLock);
        gWatched.push_back(display);
    }
    static const bool installed = [] {
        gDefaultHandler = XSetIOErrorHandler(&OnInputOutputError);
        return true;
    }();
    (void)installed;
    XSetIOErrorExitHandler(display, &OnConnectionLost, nullptr);
}

void ForgetConnection(Display* display)
{
    std::lock_guard<std::mutex> guard(gLock);
    std::erase(gWatched, display);
}

bool IsDisplayLost()
{
    return gLost.load();
}

std::string DisplayLossReason()
{
    if (!IsDisplayLost())
        return {};
    std::lock_guard<std::mutex> guard(gLock);
    return "the connection to the display " + gLostName + " was lost";
}
} // namespace Compat
