// The game's platform: the general window-system side plus the game's one window (its class,
// styles for windowed and full-screen play, size and sizing rules, title), the message pump, the
// single-instance guard and the window-management messages (size, sizing, minimum size, title-bar
// double click, system commands, close). Main thread only.
#pragma once

#include "Platform/Compat/Kernel/Types.h"
#include "Platform/Win32/Win32Platform.h"

namespace Corvane
{
class Win32ApplicationPlatform : public Win32Platform
{
public:
    // Makes the program's folder the current folder.
    Win32ApplicationPlatform();
    ~Win32ApplicationPlatform() override;

    // The general set-up, then the single-instance mutex named after the product in the per-user
    // folder, the icons and the window class named after the product. Throws Win32Error when the
    // class cannot be registered.
    void Setup() override;
    void Cleanup() override;
    // True when another instance holds the mutex; its window, when found, is restored and
    // brought to the front.
    bool ActivateOtherInstance() override;
    void CreateWindow(const DisplaySettings& settings) override;
    void GetSupportedWindowConfig(const DisplaySettings& settings) override;
    void HandleEvents(IInputEventSink* sink) override;
    void WaitForMessage() override;
    void SetWindowTitle(const wchar_t* title) override;

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The outer size of a window with style and exStyle whose client area is width x height.
    static POINT OuterSize(int width, int height, DWORD style, DWORD exStyle);

protected:
    LRESULT OnSize(HWND window, WPARAM type, int width, int height);
    LRESULT OnSizing(HWND window, WPARAM edge, RECT* proposed);
    LRESULT OnGetMinMaxInfo(HWND window, MINMAXINFO* info);
    LRESULT OnNonClientDoubleClick(HWND window, WPARAM hit, LPARAM position);
    LRESULT OnSysCommand(HWND window, WPARAM command, LPARAM position);
    LRESULT OnClose(HWND window);

private:
    const wchar_t* ProductName() const;

    HANDLE mMutex = nullptr;
    bool mSoleInstance = true;
    HICON mLargeIcon = nullptr;
    HICON mSmallIcon = nullptr;
    bool mClassRegistered = false;
};
} // namespace Corvane
