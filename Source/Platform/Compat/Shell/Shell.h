// The shell services the game uses: the per-user data folder, opening a web link, and the
// program's icons.
#pragma once

#include "Platform/Compat/User/UserTypes.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int CSIDL_APPDATA = 0x1A;

// CSIDL_APPDATA: $XDG_DATA_HOME (when absolute), else ~/.local/share of $HOME (when absolute) or of
// the user's home in the password database; created when create is TRUE. FALSE when none is known.
BOOL SHGetSpecialFolderPathW(HWND owner, wchar_t* path, int folder, BOOL create);
// "open" on a URL runs xdg-open in the background; without a display the request is only
// recorded. Returns a value above 32 on success.
HINSTANCE ShellExecuteW(HWND owner, const wchar_t* operation, const wchar_t* file, const wchar_t* parameters,
                        const wchar_t* directory, int show);
// An ELF file holds no icons: the program's icon is a picture in its data folder, "Icon.png" in
// the folder "Data" beside the program or beside the program's folder (a build keeps the program
// one folder down), made 32 x 32 (large) and 16 x 16 (small). Without one, a small picture built
// in. Index 0 only; returns the number of icons made (1, or 0 for other indices). file names the
// program.
UINT ExtractIconExW(const wchar_t* file, int index, HICON* large, HICON* small, UINT count);
BOOL DestroyIcon(HICON icon);

namespace Compat
{
// The URLs handed to ShellExecuteW, in order (for tests and headless runs).
std::vector<std::wstring> OpenedUrls();
// An icon's picture: size x size pixels, 0xAARRGGBB, rows top to bottom; empty for no icon.
std::vector<std::uint32_t> IconPixels(HICON icon, int& size);
// Where ExtractIconExW found the picture of the program's icon; empty when it used the built-in one.
std::wstring IconPictureFile(HICON icon);
} // namespace Compat
