#include "Framework/WindowSettings.h"

#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Framework/CustomCursor.h"
#include "Framework/DisplayChange.h"
#include "Framework/SettingValues.h"

namespace Corvane
{
namespace
{
const char kWindowModeKey[] = "Corvane::Window::Mode";
const char kCustomCursorKey[] = "Corvane::Window::IsCustomCursorEnabled";
} // namespace

int ReadWindowMode(const Account* account, int fallback)
{
    // Only full screen (1) and windowed (0) open a window.
    return ReadSettingInt(account, kWindowModeKey, fallback, 0, 1);
}

void LoadWindowSettings()
{
    Account* account = AccountManager::Get()->GetCurrentAccount();
    SetWindowMode(ReadWindowMode(account, GetDisplaySettings().windowMode));
    SetCustomCursorEnabled(ReadSettingBool(account, kCustomCursorKey, IsCustomCursorEnabled()));
}

void SaveWindowSettings()
{
    Account* account = AccountManager::Get()->GetCurrentAccount();
    const int mode = GetDisplaySettings().windowMode;
    // Before the first display there is no mode to keep (-1), and a profile must not learn one.
    if (mode == 0 || mode == 1)
        Account::WriteInt(account, kWindowModeKey, mode);
    Account::WriteBool(account, kCustomCursorKey, IsCustomCursorEnabled());
}
} // namespace Corvane
