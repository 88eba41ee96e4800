// The program's own file and the current folder.
#pragma once

#include "Platform/Compat/User/UserTypes.h"

// A handle standing for the program itself (any module name is the program).
HMODULE GetModuleHandleW(const wchar_t* name);
// The program's full path (from /proc/self/exe), cut to size - 1 characters; returns its length.
DWORD GetModuleFileNameW(HMODULE module, wchar_t* buffer, DWORD size);
BOOL SetCurrentDirectoryW(const wchar_t* path);
// Writes the current folder; returns its length, or the size needed when the buffer is too small.
DWORD GetCurrentDirectoryW(DWORD size, wchar_t* buffer);
