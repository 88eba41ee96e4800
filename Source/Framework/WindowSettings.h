// The window settings a player's profile keeps: the window mode ("Corvane::Window::Mode", 1 full
// screen, 0 windowed) and the custom cursor ("Corvane::Window::IsCustomCursorEnabled"). The
// application loads them when the current profile changes and saves them before it changes and
// when it stops. Main thread.
#pragma once

namespace Corvane
{
class Account;

// The account's window mode; fallback when it holds none, or one that is neither 0 nor 1 (logged).
int ReadWindowMode(const Account* account, int fallback);
// Applies the current account's window mode (SetWindowMode) and cursor flag; a value the profile
// does not hold, or one out of range, keeps the present setting.
void LoadWindowSettings();
// Writes the present window mode and cursor flag to the current account.
void SaveWindowSettings();
} // namespace Corvane
