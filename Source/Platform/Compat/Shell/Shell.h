// The shell services the game uses: the per-user data folder, opening a web link, and the
// program's icons (none on Linux: the window manager takes the icon from the desktop entry).
#pragma once

#include "Platform/Compat/User/UserTypes.h"

#include <string>
#include <vector>

constexpr int CSIDL_APPDATA = 0x1A;

// CSIDL_APPDATA: $XDG_DATA_HOME, else ~/.local/share; created when create is TRUE.
BOOL SHGetSpecialFolderPathW(HWND owner, wchar_t* path, int folder, BOOL create);
// "open" on a URL runs xdg-open in the background; without a display the request is only
// recorded. Returns a value above 32 on success.
HINSTANCE ShellExecuteW(HWND owner, const wchar_t* operation, const wchar_t* file, const wchar_t* parameters,
                        const wchar_t* directory, int show);
// Icons cannot be taken from an ELF file: always 0 icons.
UINT ExtractIconExW(const wchar_t* file, int index, HICON* large, HICON* small, UINT count);
BOOL DestroyIcon(HICON icon);

namespace Compat
{
// The URLs handed to ShellExecuteW, in order (for tests and headless runs).
std::vector<std::wstring> OpenedUrls();
} // namespace Compat
