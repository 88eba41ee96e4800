// A fake application platform that owns a real window of the platform layer and offers it to the
// renderers, with the display device they set up; headless under SDL's dummy video driver.
#pragma once

#include "Platform/Win32/ApplicationWindow.h"
#include "Platform/Win32/display.h"
#include "Support/FakePlatform.h"
#include "Support/TestWindow.h"

namespace Corvane::Testing
{
class DisplayTestPlatform : public FakePlatform, public IApplicationWindow
{
public:
    explicit DisplayTestPlatform(int width = 800, int height = 600) : mWindow(width, height) {}

    HWND GetWindowHandle() const override { return mWindow.Get(); }
    CDisplay& Display() { return mDisplay; }

private:
    TestWindow mWindow;
    CDisplay mDisplay;
};
} // namespace Corvane::Testing
