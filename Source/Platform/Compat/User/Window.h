// Window classes and windows on SDL2, with their window procedure, creation parameter, user data
// and the Windows outer-size rules. A window manager owns the real frame on Linux; this layer
// keeps a fixed frame of its own so that outer sizes compute as the game expects.
// Main thread only (the thread that creates windows also pumps their messages).
#pragma once

#include "Platform/Compat/User/UserTypes.h"

// Class styles (accepted, no effect beyond being stored).
constexpr UINT CS_VREDRAW = 0x1;
constexpr UINT CS_HREDRAW = 0x2;
constexpr UINT CS_OWNDC = 0x20;

// Window styles.
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;

// The frame this layer adds around the client area for each style.
constexpr LONG kCompatSizingBorder = 4;   // WS_THICKFRAME, every side
constexpr LONG kCompatCaptionHeight = 22; // WS_CAPTION, on top

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

// SetWindowPos flags.
constexpr UINT SWP_NOSIZE = 0x1;
constexpr UINT SWP_NOMOVE = 0x2;
constexpr UINT SWP_NOZORDER = 0x4;
constexpr UINT SWP_NOOWNERZORDER = 0x200;

// Get/SetWindowLongPtrW indices.
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWLP_USERDATA = -21;
constexpr int GWL_USERDATA = GWLP_USERDATA;

ATOM RegisterClassExW(const WNDCLASSEXW* windowClass);
BOOL UnregisterClassW(const wchar_t* className, HINSTANCE instance);

// Sends WM_NCCREATE (with the CREATESTRUCTW), WM_CREATE and WM_GETMINMAXINFO; the window starts
// hidden unless WS_VISIBLE is given. Null on failure (unknown class, no video, refused creation).
HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
// Sends WM_DESTROY and WM_NCDESTROY, then frees the window; its queued messages are dropped.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
// Returns whether the window was visible before.
BOOL ShowWindow(HWND window, int command);
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LONG_PTR GetWindowLongPtrW(HWND window, int index);
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);

// {0, 0, width, height} of the client area (in display-mode pixels while a display mode fills the
// screen); all 0 while the window is minimised.
BOOL GetClientRect(HWND window, RECT* rect);
// The outer rectangle on the screen (client rectangle grown by the frame).
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL ClientToScreen(HWND window, POINT* point);
BOOL ScreenToClient(HWND window, POINT* point);
// Grows a client rectangle into the outer rectangle of a window of that style.
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
// x, y, cx, cy are outer position and size.
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL SetWindowTextW(HWND window, const wchar_t* text);
int GetWindowTextW(HWND window, wchar_t* buffer, int capacity);
BOOL IsIconic(HWND window);
BOOL SetForegroundWindow(HWND window);
// A top-level window of the class (and title, when given): in this process, else one that
// another running instance of the program has open.
HWND FindWindowW(const wchar_t* className, const wchar_t* title);
