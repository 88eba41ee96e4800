#include "Platform/Compat/User/Window.h"

#include "Platform/Compat/Shell/Shell.h"

#include "Platform/Compat/Kernel/LastError.h"
#include "Platform/Compat/Kernel/NativePath.h"
#include "Platform/Compat/User/BoxWindow.h"
#include "Platform/Compat/User/DisplayConnection.h"
#include "Platform/Compat/User/DisplayPresence.h"
#include "Platform/Compat/User/InstanceChannel.h"
#include "Platform/Compat/User/MessageQueue.h"
#include "Platform/Compat/User/Messages.h"
#include "Platform/Compat/User/VirtualKeys.h"
#include "Platform/Compat/User/WindowObject.h"
#include "Utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace
{
struct WindowClass
{
    WNDCLASSEXW description{};
    std::wstring name;
};

std::vector<WindowClass>& Classes()
{
    static std::vector<WindowClass> classes;
    return classes;
}

WindowClass* FindClass(const wchar_t* name)
{
    if (!name)
        return nullptr;
    for (WindowClass& c : Classes())
        if (Compat::EqualsIgnoringCase(c.name, name))
            return &c;
    return nullptr;
}

// Live local windows in creation order.
std::vector<HWND>& Windows()
{
    static std::vector<HWND> windows;
    return windows;
}

bool gVideoReady = false;
std::thread::id gWindowThread;

SDL_Rect ClientRectOnScreen(HWND window)
{
    SDL_Rect r{0, 0, 0, 0};
    SDL_GetWindowPosition(window->sdl, &r.x, &r.y);
    SDL_GetWindowSize(window->sdl, &r.w, &r.h);
    return r;
}

void ApplyTrackingLimits(HWND window)
{
    MINMAXINFO info{};
    RECT screen{0, 0, 0, 0};
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0)
        screen = {0, 0, mode.w, mode.h};
    info.ptMaxTrackSize = {screen.right > 0 ? screen.right : 16384, screen.bottom > 0 ? screen.bottom : 16384};
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    const RECT frame = Compat::FrameFor(window->style);
    const int horizontal = frame.left + frame.right;
    const int vertical = frame.top + frame.bottom;
    SDL_SetWindowMinimumSize(window->sdl, std::max(1, static_cast<int>(info.ptMinTrackSize.x) - horizontal),
                             std::max(1, static_cast<int>(info.ptMinTrackSize.y) - vertical));
    if (info.ptMaxTrackSize.x > 0 && info.ptMaxTrackSize.y > 0)
        SDL_SetWindowMaximumSize(window->sdl, std::max(1, static_cast<int>(info.ptMaxTrackSize.x) - horizontal),
                                 std::max(1, static_cast<int>(info.ptMaxTrackSize.y) - vertical));
}
// The largest rectangle of width:height's shape inside an area of areaWidth x areaHeight, centred.
SDL_Rect FitKeepingShape(int width, int height, int areaWidth, int areaHeight)
{
    if (width <= 0 || height <= 0 || areaWidth <= 0 || areaHeight <= 0)
        return {0, 0, std::max(areaWidth, 0), std::max(areaHeight, 0)};
    // The side that fills the area takes the whole of it; the other is rounded to the nearest pixel.
    SDL_Rect fit{0, 0, areaWidth, areaHeight};
    if (static_cast<long long>(areaWidth) * height <= static_cast<long long>(areaHeight) * width)
        fit.h = static_cast<int>((static_cast<long long>(areaWidth) * height * 2 + width) / (2 * width));
    else
        fit.w = static_cast<int>((static_cast<long long>(areaHeight) * width * 2 + height) / (2 * height));
    fit.x = (areaWidth - fit.w) / 2;
    fit.y = (areaHeight - fit.h) / 2;
    return fit;
}
} // namespace

namespace Compat
{
HWND WindowFromSdlId(Uint32 id)
{
    for (HWND window : Windows())
        if (window->sdlId == id)
            return window;
    return nullptr;
}

HWND FindLocalWindow(const std::wstring& className, const wchar_t* title)
{
    for (HWND window : Windows())
    {
        if (!className.empty() && !EqualsIgnoringCase(window->className, className))
            continue;
        if (title && window->title != title)
            continue;
        return window;
    }
    return nullptr;
}

const std::vector<HWND>& LocalWindows()
{
    return Windows();
}

HWND MainWindow()
{
    return Windows().empty() ? nullptr : Windows().back();
}

void UpdateBoxOwner()
{
    const HWND main = MainWindow();
    SetBoxOwner(main ? X11WindowOf(main->sdl) : 0);
}

SDL_Window* GetSdlWindow(HWND window)
{
    return IsWindow(window) && !window->remote ? window->sdl : nullptr;
}

bool EnsureVideo()
{
    if (gVideoReady)
        return true;
    if (!SDL_GetHint(SDL_HINT_VIDEODRIVER))
        SDL_SetHint(SDL_HINT_VIDEODRIVER, WindowSystemDrivers());
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    gVideoReady = true;
    gWindowThread = std::this_thread::get_id();
    SDL_StartTextInput();
    // Closing the connections of a display that has gone would meet them broken once more.
    std::atexit([] {
        if (!Compat::IsDisplayLost())
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
    });
    return true;
}

bool IsWindowThread()
{
    return gVideoReady && std::this_thread::get_id() == gWindowThread;
}

bool IsHeadless()
{
    const char* driver = gVideoReady ? SDL_GetCurrentVideoDriver() : nullptr;
    return !driver || IsScreenlessDriver(driver);
}

SDL_Rect PictureArea(HWND window)
{
    SDL_Rect area{0, 0, 0, 0};
    if (!IsWindow(window) || window->remote)
        return area;
    SDL_GetWindowSize(window->sdl, &area.w, &area.h);
    if (window->logicalWidth > 0 && window->logicalHeight > 0)
        area = FitKeepingShape(window->logicalWidth, window->logicalHeight, area.w, area.h);
    return area;
}

POINT ClientFromWindowPosition(HWND window, int x, int y)
{
    if (!IsWindow(window) || window->remote || window->logicalWidth <= 0 || window->logicalHeight <= 0)
        return {x, y};
    const SDL_Rect area = PictureArea(window);
    if (area.w <= 0 || area.h <= 0)
        return {x, y};
    // The mode pixel drawn under the middle of the window's pixel (floored, also left of the picture).
    const auto scale = [](int position, int origin, int size, int pixels) {
        return static_cast<LONG>(std::floor((position + 0.5 - origin) * pixels / size));
    };
    return {scale(x, area.x, area.w, window->logicalWidth), scale(y, area.y, area.h, window->logicalHeight)};
}

RECT FrameFor(DWORD style)
{
    RECT frame{0, 0, 0, 0};
    if (style & WS_THICKFRAME)
        frame = {kCompatSizingBorder, kCompatSizingBorder, kCompatSizingBorder, kCompatSizingBorder};
    if ((style & WS_CAPTION) == WS_CAPTION)
        frame.top += kCompatCaptionHeight;
    return frame;
}
} // namespace Compat

ATOM RegisterClassExW(const WNDCLASSEXW* windowClass)
{
    if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (FindClass(windowClass->lpszClassName))
    {
        SetLastError(ERROR_ALREADY_EXISTS);
        return 0;
    }
    WindowClass entry;
    entry.description = *windowClass;
    entry.name = windowClass->lpszClassName;
    entry.description.lpszClassName = nullptr; // the name lives in entry.name
    Classes().push_back(entry);
    return static_cast<ATOM>(Classes().size());
}

BOOL UnregisterClassW(const wchar_t* className, HINSTANCE)
{
    auto& classes = Classes();
    for (auto it = classes.begin(); it != classes.end(); ++it)
    {
        if (Compat::EqualsIgnoringCase(it->name, className ? className : L""))
        {
            for (HWND window : Windows())
                if (Compat::EqualsIgnoringCase(window->className, it->name))
                    return SetLastError(ERROR_BUSY), FALSE;
            classes.erase(it);
            return TRUE;
        }
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

namespace
{
// The class's large icon becomes the window's (the desktop shows it in the task list).
void ShowClassIcon(SDL_Window* sdl, HICON icon)
{
    int size = 0;
    std::vector<std::uint32_t> pixels = Compat::IconPixels(icon, size);
    if (pixels.empty())
        return;
    if (SDL_Surface* surface =
            SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), size, size, 32, size * 4, SDL_PIXELFORMAT_ARGB8888))
    {
        SDL_SetWindowIcon(sdl, surface);
        SDL_FreeSurface(surface);
    }
}
} // namespace

HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param)
{
    WindowClass* windowClass = FindClass(className);
    if (!windowClass)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!Compat::EnsureVideo())
    {
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    const RECT frame = Compat::FrameFor(style);
    const int clientWidth = std::max(1, width - static_cast<int>(frame.left + frame.right));
    const int clientHeight = std::max(1, height - static_cast<int>(frame.top + frame.bottom));
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (style & WS_THICKFRAME)
        flags |= SDL_WINDOW_RESIZABLE;
    if ((style & WS_CAPTION) != WS_CAPTION)
        flags |= SDL_WINDOW_BORDERLESS;
    const int sdlX = x == CW_USEDEFAULT ? static_cast<int>(SDL_WINDOWPOS_CENTERED) : x + frame.left;
    const int sdlY = y == CW_USEDEFAULT ? static_cast<int>(SDL_WINDOWPOS_CENTERED) : y + frame.top;
    const std::string utf8Title = Corvane::Utf8::FromWide(title ? title : L"");

    SDL_Window* sdl = SDL_CreateWindow(utf8Title.c_str(), sdlX, sdlY, clientWidth, clientHeight, flags);
    if (!sdl)
    {
        SetLastError(ERROR_GEN_FAILURE);
        return nullptr;
    }
    Compat::WatchDisplayConnection(sdl);
    ShowClassIcon(sdl, windowClass->description.hIcon);
    auto* window = new HWND__;
    window->className = windowClass->name;
    window->procedure = windowClass->description.lpfnWndProc;
    window->style = style;
    window->exStyle = exStyle;
    window->title = title ? title : L"";
    window->sdl = sdl;
    window->sdlId = SDL_GetWindowID(sdl);
    window->owner = std::this_thread::get_id();
    Windows().push_back(window);
    Compat::UpdateBoxOwner();

    CREATESTRUCTW create{
        param,  instance, menu, parent, height, width, y, x, static_cast<LONG>(style), title, windowClass->name.c_str(),
        exStyle};
    if (!SendMessageW(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) ||
        SendMessageW(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1)
    {
        DestroyWindow(window);
        SetLastError(ERROR_GEN_FAILURE);
        return nullptr;
    }
    ApplyTrackingLimits(window);
    GetWindowRect(window, &window->sizedOuter);
    Compat::InstanceChannel::Listen(window->className);
    if (style & WS_VISIBLE)
        ShowWindow(window, SW_SHOW);
    return window;
}

BOOL IsWindow(HWND window)
{
    if (!window)
        return FALSE;
    if (std::find(Windows().begin(), Windows().end(), window) != Windows().end())
        return TRUE;
    return Compat::InstanceChannel::IsRemoteWindow(window) ? TRUE : FALSE;
}

BOOL DestroyWindow(HWND window)
{
    if (!IsWindow(window) || window->remote)
        return SetLastError(ERROR_INVALID_HANDLE), FALSE;
    SendMessageW(window, WM_DESTROY, 0, 0);
    SendMessageW(window, WM_NCDESTROY, 0, 0);
    auto& windows = Windows();
    windows.erase(std::find(windows.begin(), windows.end(), window));
    Compat::UpdateBoxOwner();
    Compat::DropMessagesFor(window);
    bool classStillShown = false;
    for (HWND other : windows)
        classStillShown |= Compat::EqualsIgnoringCase(other->className, window->className);
    if (!classStillShown)
        Compat::InstanceChannel::StopListening(window->className);
    window->presentation.reset();
    // SDL waits for the server to confirm some of what it does to a window, and a server that has
    // gone never would: the window goes with the process instead.
    if (!Compat::IsDisplayLost())
        SDL_DestroyWindow(window->sdl);
    delete window;
    return TRUE;
}

BOOL ShowWindow(HWND window, int command)
{
    if (!IsWindow(window))
        return FALSE;
    if (window->remote)
        return Compat::InstanceChannel::AskToRestore(window) ? TRUE : FALSE;
    const bool wasVisible = (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_SHOWN) != 0;
    window->minimized =
        command == SW_SHOWMINIMIZED || command == SW_MINIMIZE || (command == SW_HIDE && window->minimized);
    switch (command)
    {
    case SW_HIDE: SDL_HideWindow(window->sdl); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
        SDL_ShowWindow(window->sdl);
        SDL_MinimizeWindow(window->sdl);
        break;
    case SW_SHOWMAXIMIZED:
        SDL_ShowWindow(window->sdl);
        SDL_MaximizeWindow(window->sdl);
        break;
    case SW_RESTORE:
        SDL_ShowWindow(window->sdl);
        SDL_RestoreWindow(window->sdl);
        break;
    default: SDL_ShowWindow(window->sdl); break;
    }
    if (command != SW_HIDE && !window->shownOnce)
    {
        window->shownOnce = true;
        // Without a real display nobody sends focus or expose events: showing activates.
        if (Compat::IsHeadless())
        {
            Compat::PostToWindow(window, WM_ACTIVATE, WA_ACTIVE, 0);
            Compat::PostToWindow(window, WM_ACTIVATEAPP, TRUE, 0);
            Compat::PostToWindow(window, WM_PAINT, 0, 0);
        }
    }
    return wasVisible ? TRUE : FALSE;
}

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(window) || window->remote)
        return 0;
    switch (message)
    {
    case WM_NCCREATE: return TRUE;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_NCHITTEST:
    {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &point);
        RECT client{0, 0, 0, 0};
        GetClientRect(window, &client);
        return point.x >= 0 && point.y >= 0 && point.x < client.right && point.y < client.bottom ? HTCLIENT : HTCAPTION;
    }
    case WM_SYSKEYDOWN:
        // Alt+F4 closes through the system command, as on the desktop the game was made for.
        if (wParam == VK_F4 && (lParam & KF_ALTDOWN_BIT))
            PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0)
        {
        case SC_CLOSE: SendMessageW(window, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(window, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(window, SW_SHOWMAXIMIZED); break;
        case SC_RESTORE: ShowWindow(window, SW_RESTORE); break;
        default: break;
        }
        return 0;
    default: return 0;
    }
}

LONG_PTR GetWindowLongPtrW(HWND window, int index)
{
    if (!IsWindow(window))
        return SetLastError(ERROR_INVALID_HANDLE), 0;
    switch (index)
    {
    case GWL_STYLE: return static_cast<LONG_PTR>(window->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(window->exStyle);
    case GWLP_USERDATA: return window->userData;
    default: return SetLastError(ERROR_INVALID_PARAMETER), 0;
    }
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value)
{
    if (!IsWindow(window))
        return SetLastError(ERROR_INVALID_HANDLE), 0;
    LONG_PTR previous = GetWindowLongPtrW(window, index);
    switch (index)
    {
    case GWL_STYLE: window->style = static_cast<DWORD>(value); break;
    case GWL_EXSTYLE: window->exStyle = static_cast<DWORD>(value); break;
    case GWLP_USERDATA: window->userData = value; break;
    default: return SetLastError(ERROR_INVALID_PARAMETER), 0;
    }
    return previous;
}

BOOL GetClientRect(HWND window, RECT* rect)
{
    if (!IsWindow(window) || window->remote || !rect)
        return SetLastError(ERROR_INVALID_HANDLE), FALSE;
    *rect = {0, 0, 0, 0};
    if (IsIconic(window))
        return TRUE;
    int w = window->logicalWidth, h = window->logicalHeight;
    if (w <= 0 || h <= 0)
        SDL_GetWindowSize(window->sdl, &w, &h);
    *rect = {0, 0, w, h};
    return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect)
{
    if (!IsWindow(window) || window->remote || !rect)
        return SetLastError(ERROR_INVALID_HANDLE), FALSE;
    const SDL_Rect client = ClientRectOnScreen(window);
    const RECT frame = Compat::FrameFor(window->style);
    *rect = {client.x - frame.left, client.y - frame.top, client.x + client.w + frame.right,
             client.y + client.h + frame.bottom};
    return TRUE;
}

BOOL ClientToScreen(HWND window, POINT* point)
{
    if (!IsWindow(window) || window->remote || !point)
        return FALSE;
    const SDL_Rect client = ClientRectOnScreen(window);
    point->x += client.x;
    point->y += client.y;
    return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point)
{
    if (!IsWindow(window) || window->remote || !point)
        return FALSE;
    const SDL_Rect client = ClientRectOnScreen(window);
    point->x -= client.x;
    point->y -= client.y;
    return TRUE;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL, DWORD)
{
    if (!rect)
        return FALSE;
    const RECT frame = Compat::FrameFor(style);
    rect->left -= frame.left;
    rect->top -= frame.top;
    rect->right += frame.right;
    rect->bottom += frame.bottom;
    return TRUE;
}

BOOL SetWindowPos(HWND window, HWND, int x, int y, int cx, int cy, UINT flags)
{
    if (!IsWindow(window) || window->remote)
        return SetLastError(ERROR_INVALID_HANDLE), FALSE;
    const RECT frame = Compat::FrameFor(window->style);
    if (!(flags & SWP_NOSIZE))
        SDL_SetWindowSize(window->sdl, std::max(1, cx - static_cast<int>(frame.left + frame.right)),
                          std::max(1, cy - static_cast<int>(frame.top + frame.bottom)));
    if (!(flags & SWP_NOMOVE))
        SDL_SetWindowPosition(window->sdl, x + frame.left, y + frame.top);
    // What the window was told, so the size change it brings back is not taken for the user's.
    RECT& known = window->sizedOuter;
    if (!(flags & SWP_NOMOVE))
        known = {x, y, x + (known.right - known.left), y + (known.bottom - known.top)};
    if (!(flags & SWP_NOSIZE))
    {
        known.right = known.left + cx;
        known.bottom = known.top + cy;
    }
    return TRUE;
}

BOOL SetWindowTextW(HWND window, const wchar_t* text)
{
    if (!IsWindow(window) || window->remote)
        return SetLastError(ERROR_INVALID_HANDLE), FALSE;
    window->title = text ? text : L"";
    SDL_SetWindowTitle(window->sdl, Corvane::Utf8::FromWide(window->title).c_str());
    return TRUE;
}

int GetWindowTextW(HWND window, wchar_t* buffer, int capacity)
{
    if (!IsWindow(window) || !buffer || capacity <= 0)
        return 0;
    const int n = std::min(static_cast<int>(window->title.size()), capacity - 1);
    window->title.copy(buffer, static_cast<std::size_t>(n));
    buffer[n] = 0;
    return n;
}

BOOL IsIconic(HWND window)
{
    return IsWindow(window) && !window->remote && window->minimized ? TRUE : FALSE;
}

BOOL SetForegroundWindow(HWND window)
{
    if (!IsWindow(window))
        return FALSE;
    if (window->remote)
        return Compat::InstanceChannel::AskToRaise(window) ? TRUE : FALSE;
    SDL_RaiseWindow(window->sdl);
    return TRUE;
}

HWND FindWindowW(const wchar_t* className, const wchar_t* title)
{
    if (HWND window = Compat::FindLocalWindow(className ? className : L"", title))
        return window;
    return className ? Compat::InstanceChannel::FindRemote(className) : nullptr;
}
