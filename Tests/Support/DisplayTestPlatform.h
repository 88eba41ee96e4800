// The game's platform with a window of its own that it did not create, for the renderers to set
// the display device up on; headless under SDL's dummy video driver. Owns the display device.
#pragma once

#include "Platform/Win32/Win32ApplicationPlatform.h"
#include "Platform/Win32/display.h"
#include "Support/TestWindow.h"

#include <filesystem>

namespace Corvane::Testing
{
class DisplayTestPlatform : public Win32ApplicationPlatform
{
public:
    // folder: the current folder, taken before the platform moves to the program's.
    explicit DisplayTestPlatform(int width = 800, int height = 600,
                                 std::filesystem::path folder = std::filesystem::current_path())
        : mFolder(std::move(folder)), mWindow(width, height)
    {
        Win32Platform::mWindow = mWindow.Get();
    }
    ~DisplayTestPlatform() override
    {
        // The window is the test's, not the platform's to destroy.
        Win32Platform::mWindow = nullptr;
        std::filesystem::current_path(mFolder);
    }

    HWND GetWindowHandle() const { return mWindow.Get(); }
    CDisplay& Display() { return mDisplay; }

private:
    std::filesystem::path mFolder;
    TestWindow mWindow;
    CDisplay mDisplay;
};
} // namespace Corvane::Testing
