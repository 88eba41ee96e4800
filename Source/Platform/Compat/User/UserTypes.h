// Window-system types, handles and the small parameter helpers, with the Windows meanings.
#pragma once

#include "Platform/Compat/Kernel/Types.h"

struct HWND__;
using HWND = HWND__*;
using HINSTANCE = void*;
using HMODULE = void*;
using HICON = void*;
using HCURSOR = void*;
using HBRUSH = void*;
using HMENU = void*;
using HGDIOBJ = void*;
using ATOM = WORD;

struct POINT
{
    LONG x;
    LONG y;
};

struct RECT
{
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct MSG
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSEXW
{
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const wchar_t* lpszMenuName;
    const wchar_t* lpszClassName;
    HICON hIconSm;
};

struct CREATESTRUCTW
{
    void* lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    const wchar_t* lpszName;
    const wchar_t* lpszClass;
    DWORD dwExStyle;
};

struct MINMAXINFO
{
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

struct TRACKMOUSEEVENT
{
    DWORD cbSize;
    DWORD dwFlags;
    HWND hwndTrack;
    DWORD dwHoverTime;
};

inline WORD LOWORD(std::uintptr_t value)
{
    return static_cast<WORD>(value & 0xFFFF);
}
inline WORD HIWORD(std::uintptr_t value)
{
    return static_cast<WORD>((value >> 16) & 0xFFFF);
}
// The signed 16-bit halves of a position parameter.
inline int GET_X_LPARAM(LPARAM value)
{
    return static_cast<short>(LOWORD(static_cast<std::uintptr_t>(value)));
}
inline int GET_Y_LPARAM(LPARAM value)
{
    return static_cast<short>(HIWORD(static_cast<std::uintptr_t>(value)));
}
inline short GET_WHEEL_DELTA_WPARAM(WPARAM value)
{
    return static_cast<short>(HIWORD(value));
}
inline LPARAM MAKELPARAM(int low, int high)
{
    return static_cast<LPARAM>(
        static_cast<DWORD>((static_cast<WORD>(low)) | (static_cast<DWORD>(static_cast<WORD>(high)) << 16)));
}
inline WPARAM MAKEWPARAM(int low, int high)
{
    return static_cast<WPARAM>(static_cast<DWORD>(MAKELPARAM(low, high)));
}
