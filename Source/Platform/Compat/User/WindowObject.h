// The object behind an HWND, shared by the platform layer's window, message and display parts.
#pragma once

#include "Platform/Compat/User/UserTypes.h"

#include <SDL.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

struct HWND__
{
    std::wstring className;
    WNDPROC procedure = nullptr;
    LONG_PTR userData = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::wstring title;
    SDL_Window* sdl = nullptr;
    Uint32 sdlId = 0;
    std::thread::id owner;
    bool leaveTracking = false;
    bool pointerEntered = false; // since the last pump (FinishPointerEntries)
    POINT lastMouse{0, 0};       // client position of the last pointer event
    float wheelRemainder = 0.0f; // wheel motion short of a whole notch
    // The outer rectangle the window last had as far as sizing knows (set by creation, by
    // SetWindowPos and after each sizing by the user), so a resize tells which edges moved.
    RECT sizedOuter{0, 0, 0, 0};
    // A resize by the user still under way (the button that drags the frame is down): it is offered
    // for correction once, when it ends, so the correction does not fight the window manager.
    bool sizingPending = false;
    bool shownOnce = false;
    // Kept here as well as in SDL: not every video driver (the headless one) can minimise.
    bool minimized = false;
    // Another window took the keyboard focus (and has not given it back).
    bool focusLost = false;
    // A window of another running instance, found through FindWindowW.
    bool remote = false;
    // While a display mode fills the screen: the client area's size in mode pixels (0 otherwise).
    // The window then covers the display and shows the mode's picture scaled to fit (PictureArea).
    int logicalWidth = 0;
    int logicalHeight = 0;
    // The display layer's renderer and texture for the window, released before the SDL window.
    std::shared_ptr<void> presentation;
};

namespace Compat
{
// The window for an SDL window id, null when it is not one of ours.
HWND WindowFromSdlId(Uint32 id);
// The most recently created local window still alive (the target of events without a window).
HWND MainWindow();
// Tells the error box which X window is the game's: after a window is made or goes, and after a
// renderer is made for one (a GL renderer makes the window's X window anew).
void UpdateBoxOwner();
// Every local window, in creation order.
const std::vector<HWND>& LocalWindows();
SDL_Window* GetSdlWindow(HWND window);
// A window of this process with the class (and title, when not null), else null.
HWND FindLocalWindow(const std::wstring& className, const wchar_t* title);
// Initialises SDL's video once, on the calling thread, which becomes the window thread.
bool EnsureVideo();
bool IsWindowThread();
// Whether the video driver is SDL's dummy driver (no real display, no focus events).
bool IsHeadless();
// The frame (left, top, right, bottom thickness) that a style adds around the client area.
RECT FrameFor(DWORD style);
// Where the client area shows inside the SDL window, in its coordinates: while a display mode fills
// the screen, the mode's picture scaled to fit with its shape kept, black bars around it; otherwise
// the whole window.
SDL_Rect PictureArea(HWND window);
// A pointer position in the SDL window's coordinates as a client position: in mode pixels while a
// display mode fills the screen (a position on a bar lies outside the client area).
POINT ClientFromWindowPosition(HWND window, int x, int y);
} // namespace Compat
