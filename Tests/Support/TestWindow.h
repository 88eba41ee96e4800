// A top-level window of the platform layer for display tests, with its own class and the default
// window procedure; headless under SDL's dummy video driver. Also resets what display tests
// change: the staged machine and the record of presented frames.
#pragma once

#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Compat/User/Window.h"

namespace Corvane::Testing
{
class TestWindow
{
public:
    // A shown window whose client area is width x height.
    TestWindow(int width = 800, int height = 600, DWORD style = WS_OVERLAPPEDWINDOW)
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &DefWindowProcW;
        windowClass.lpszClassName = kClassName;
        RegisterClassExW(&windowClass);
        RECT outer{0, 0, width, height};
        AdjustWindowRectEx(&outer, style, FALSE, 0);
        mWindow =
            CreateWindowExW(0, kClassName, L"Display test", style, CW_USEDEFAULT, CW_USEDEFAULT,
                            outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, nullptr, nullptr);
        if (mWindow)
            ShowWindow(mWindow, SW_SHOW);
        Compat::ResetDisplayMachine();
        Compat::ForgetPresentedFrames();
    }
    ~TestWindow()
    {
        if (IsWindow(mWindow))
            DestroyWindow(mWindow);
        UnregisterClassW(kClassName, nullptr);
        Compat::ResetDisplayMachine();
        Compat::ForgetPresentedFrames();
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Get() const { return mWindow; }

private:
    static constexpr const wchar_t* kClassName = L"CorvaneDisplayTest";
    HWND mWindow = nullptr;
};
} // namespace Corvane::Testing
