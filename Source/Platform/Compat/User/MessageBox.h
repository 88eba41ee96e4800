// The error message box: a box on the X display when there is one (unless
// CORVANE_ERROR_BOX=stderr, BoxWindow.h), and always a copy on standard error. Blocks until
// dismissed and returns IDOK; 0 when it ended unanswered (a stop signal, the display gone).
#pragma once

#include "Platform/Compat/Kernel/Types.h"

using HWND = void*;

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_ICONERROR = 0x10;
constexpr int IDOK = 1;

int MessageBoxW(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// Test hook: replaces how message boxes are shown (null restores the default); returns the
// previous presenter.
using MessageBoxPresenter = int (*)(const wchar_t* text, const wchar_t* caption, UINT type);
MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter);
