#include "Platform/Win32/Win32ApplicationPlatform.h"
#include "Platform/Win32/Win32NetworkPlatform.h"

#include "Platform/Compat/Shell/Shell.h"
#include "Platform/Compat/User/Messages.h"
#include "Platform/Compat/User/Metrics.h"
#include "Platform/Compat/User/Window.h"
#include "Singleton.h"
#include "Support/WindowedPlatform.h"
#include "Utf8.h"
#include "Win32/Win32Error.h"

#include "FileSystem.h"
#include "Stream.h"
#include "Support/SecondStart.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <filesystem>

#include <sys/wait.h>

using namespace Corvane;
using namespace Corvane::Testing;

// Rectangles compare field by field; gtest finds these through RECT's namespace.
static bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static void PrintTo(const RECT& r, std::ostream* out)
{
    *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace
{
// The outer size of an 800 x 600 client area with a sizable frame: 4 px borders, a 22 px caption.
constexpr LONG kOuterWidth = 808;
constexpr LONG kOuterHeight = 630;

class Win32ApplicationPlatformTest : public testing::Test, public WindowedPlatform
{
protected:
    void ApplySizingMode(int mode)
    {
        DisplaySettings settings = GetDisplaySettings();
        settings.sizingMode = mode;
        ApplyDisplaySettings(settings, true);
        Drain();
    }
    RECT Sizing(WPARAM edge, RECT proposed, LRESULT* result = nullptr)
    {
        const LRESULT r = SendMessageW(Window(), WM_SIZING, edge, reinterpret_cast<LPARAM>(&proposed));
        if (result)
            *result = r;
        return proposed;
    }
    MINMAXINFO MinMax()
    {
        MINMAXINFO info{};
        SendMessageW(Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        return info;
    }
    RECT Outer()
    {
        RECT rect;
        GetWindowRect(Window(), &rect);
        return rect;
    }
};

TEST_F(Win32ApplicationPlatformTest, TheWindowIsMadeForTheSettingsAndTitledWithTheProduct)
{
    RECT client;
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 600);
    EXPECT_EQ(GetWindowLongPtrW(Window(), GWL_STYLE), static_cast<LONG_PTR>(WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(GetWindowLongPtrW(Window(), GWL_EXSTYLE), static_cast<LONG_PTR>(WS_EX_APPWINDOW));
    EXPECT_EQ(Outer().right - Outer().left, kOuterWidth);
    wchar_t title[128];
    GetWindowTextW(Window(), title, 128);
    EXPECT_EQ(title, product);
    EXPECT_EQ(FindWindowW(product.c_str(), nullptr), Window()) << "the class carries the product's name";

    static const wchar_t kTitle[] = L"Fennik - Level 3";
    application.SetWindowTitle(kTitle);
    DisplaySettings fullScreen{1, 1, 640, 480};
    ApplyDisplaySettings(fullScreen, false);
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(GetWindowLongPtrW(Window(), GWL_STYLE), static_cast<LONG_PTR>(WS_POPUP | WS_SYSMENU));
    EXPECT_EQ(Outer().right - Outer().left, 640) << "no frame in full screen";
    GetWindowTextW(Window(), title, 128);
    EXPECT_STREQ(title, kTitle);
    platform->SetWindowTitle(L"Paused");
    GetWindowTextW(Window(), title, 128);
    EXPECT_STREQ(title, L"Paused");
}

TEST_F(Win32ApplicationPlatformTest, TheSettingsMustFitOnTheScreen)
{
    Compat::SetScreenSizeForTesting(1024, 576);
    DisplaySettings tooTall{0, 1, 800, 600};
    try
    {
        platform->GetSupportedWindowConfig(tooTall);
        ADD_FAILURE() << "expected an error";
    }
    catch (const RuntimeError& e)
    {
        EXPECT_EQ(std::string(e.what()), Utf8::FromWide(product) + " requires a screen resolution of 800x600.");
        EXPECT_EQ(e.GetFunction(), "Win32ApplicationPlatform::GetSupportedWindowConfig");
    }
    DisplaySettings fits{0, 1, 1024, 576};
    EXPECT_NO_THROW(platform->GetSupportedWindowConfig(fits));
    Compat::SetScreenSizeForTesting(0, 0);
}

TEST_F(Win32ApplicationPlatformTest, APassHandlesAtMostSixteenMessages)
{
    for (int i = 0; i < 20; ++i)
        PostMessageW(Window(), WM_KEYDOWN, 'A', 0);
    Pump();
    EXPECT_EQ(sink.events.size(), 16u);
    EXPECT_TRUE(platform->HasPendingMessages());
    Pump();
    EXPECT_EQ(sink.events.size(), 20u);
    EXPECT_FALSE(platform->HasPendingMessages());
}

TEST_F(Win32ApplicationPlatformTest, AQuitMessageSetsTheQuitFlagAndEndsThePass)
{
    PostMessageW(Window(), WM_KEYDOWN, 'A', 0);
    PostQuitMessage(0);
    EXPECT_FALSE(platform->IsQuitRequested());
    Pump();
    EXPECT_TRUE(platform->IsQuitRequested());
    EXPECT_EQ(sink.events, std::vector<std::string>{"key down 65"}) << "what came before the quit is handled";
}

TEST_F(Win32ApplicationPlatformTest, SizingKeepsTheOuterAspectOnEveryEdge)
{
    const RECT proposed{100, 100, 1100, 600}; // 1000 x 500
    // a = 808 / 630: height follows width, or width follows height.
    LRESULT result = 0;
    for (WPARAM edge : {WMSZ_LEFT, WMSZ_RIGHT, WMSZ_BOTTOMLEFT, WMSZ_BOTTOMRIGHT})
    {
        EXPECT_EQ(Sizing(edge, proposed, &result), (RECT{100, 100, 1100, 879})) << "edge " << edge;
        EXPECT_EQ(result, TRUE);
    }
    for (WPARAM edge : {WMSZ_TOP, WMSZ_TOPRIGHT, WMSZ_BOTTOM})
        EXPECT_EQ(Sizing(edge, proposed), (RECT{100, 100, 741, 600})) << "edge " << edge;
    EXPECT_EQ(Sizing(WMSZ_TOPLEFT, proposed), (RECT{459, 100, 1100, 600}));

    ApplySizingMode(0);
    EXPECT_EQ(Sizing(WMSZ_RIGHT, proposed, &result), proposed) << "free sizing";
    EXPECT_EQ(result, 0);
}

TEST_F(Win32ApplicationPlatformTest, AUserResizeIsCorrectedToTheAspect)
{
    // The window manager resized the window (reachable only after the fact on X11).
    SDL_SetWindowSize(Sdl(), 900, 400);
    SDL_Event event{};
    event.window.type = SDL_WINDOWEVENT;
    event.window.windowID = WindowId();
    event.window.event = SDL_WINDOWEVENT_RESIZED;
    Push(event);
    Drain();
    const RECT outer = Outer();
    EXPECT_EQ(outer.right - outer.left, 908);
    EXPECT_EQ(outer.bottom - outer.top, 707) << "908 / (808 / 630), truncated";
}

TEST_F(Win32ApplicationPlatformTest, FreeSizingHasAMinimumOfOneHundredRowsAtTheAspect)
{
    const MINMAXINFO info = MinMax();
    EXPECT_EQ(info.ptMinTrackSize.x, 133 + 8);
    EXPECT_EQ(info.ptMinTrackSize.y, 100 + 30);
    EXPECT_EQ(info.ptMaxTrackSize.x, 0) << "the maximum is left to the system";
    int width = 0, height = 0;
    SDL_GetWindowMinimumSize(Sdl(), &width, &height);
    EXPECT_EQ(width, 133);
    EXPECT_EQ(height, 100);
}

TEST_F(Win32ApplicationPlatformTest, SizingModeTwoFixesTheSize)
{
    ApplySizingMode(2);
    const MINMAXINFO info = MinMax();
    EXPECT_EQ(info.ptMinTrackSize.x, kOuterWidth);
    EXPECT_EQ(info.ptMinTrackSize.y, kOuterHeight);
    EXPECT_EQ(info.ptMaxTrackSize.x, kOuterWidth);
    EXPECT_EQ(info.ptMaxTrackSize.y, kOuterHeight);

    int width = 0, height = 0;
    SDL_GetWindowMaximumSize(Sdl(), &width, &height);
    EXPECT_EQ(width, 800) << "the window system holds the window to it";
    EXPECT_EQ(height, 600);
    // The title bar's double click still switches to full screen.
    SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_EQ(GetDisplaySettings().windowMode, 1);
}

TEST_F(Win32ApplicationPlatformTest, DoubleClicksResetTheSizeOrGoFullScreen)
{
    SDL_SetWindowSize(Sdl(), 700, 500);
    SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTBOTTOMRIGHT, 0);
    EXPECT_EQ(Outer().right - Outer().left, kOuterWidth);
    EXPECT_EQ(Outer().bottom - Outer().top, kOuterHeight);
    EXPECT_EQ(GetDisplaySettings().windowMode, 0);

    SendMessageW(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_EQ(GetDisplaySettings().windowMode, 1);
}

TEST_F(Win32ApplicationPlatformTest, SystemCommandsInFullScreenAndWindowed)
{
    // Windowed: maximising means full screen.
    SendMessageW(Window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_EQ(GetDisplaySettings().windowMode, 1);

    // Full screen: menu, moving, sizing, maximising and monitor power-off do nothing.
    for (WPARAM command : {SC_SIZE, SC_MOVE, SC_MAXIMIZE, SC_KEYMENU, SC_MONITORPOWER})
        SendMessageW(Window(), WM_SYSCOMMAND, command, 0);
    EXPECT_EQ(GetDisplaySettings().windowMode, 1);
    EXPECT_FALSE(IsIconic(Window()));
    SendMessageW(Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0); // others reach the system
    EXPECT_TRUE(IsIconic(Window()));
}

TEST_F(Win32ApplicationPlatformTest, MinimisingPausesSoundAndRestoringResumesIt)
{
    FakeAudioPlatform audio(log);
    SendMessageW(Window(), WM_SIZE, SIZE_MINIMIZED, 0);
    SendMessageW(Window(), WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(800, 600));
    SendMessageW(Window(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600));
    EXPECT_EQ(std::vector<std::string>(log.end() - 2, log.end()),
              (std::vector<std::string>{"audio inactive", "audio active"}));
}

TEST_F(Win32ApplicationPlatformTest, OpeningALinkLeavesFullScreenFirst)
{
    DisplaySettings fullScreen = GetDisplaySettings();
    fullScreen.windowMode = 1;
    ApplyDisplaySettings(fullScreen, false);
    platform->OpenURL(L"https://example.org/fennik");
    EXPECT_EQ(GetDisplaySettings().windowMode, 0);
    ASSERT_FALSE(Compat::OpenedUrls().empty());
    EXPECT_EQ(Compat::OpenedUrls().back(), L"https://example.org/fennik");
}

TEST_F(Win32ApplicationPlatformTest, SetUpMakesThePerUserFolderAndRefusesASecondWindowClass)
{
    EXPECT_EQ(std::filesystem::path(platform->GetUserFolder()),
              userData.Path() / "Company Name" / std::filesystem::path(product));
    EXPECT_TRUE(std::filesystem::is_directory(platform->GetUserFolder()));
    try
    {
        platform->Setup(); // the class is registered already
        ADD_FAILURE() << "expected an error";
    }
    catch (const Win32::Win32Error& e)
    {
        EXPECT_EQ(std::string(e.what()).rfind("Could not register a window class.", 0), 0u) << e.what();
        EXPECT_EQ(e.GetFunction(), "Win32ApplicationPlatform::Setup");
    }
}

TEST_F(Win32ApplicationPlatformTest, SetUpPutsPartitionsOnTheProgramAndPerUserFolders)
{
    FileSystem* files = FileSystem::GetInstance();
    ASSERT_NE(files, nullptr);
    FileLocation self(1, L"platform_tests", L"");
    EXPECT_TRUE(files->Exists(self)) << "partition 1 is the program's folder";
    FileLocation zero(0, L"platform_tests", L"");
    EXPECT_TRUE(files->Exists(zero));
    EXPECT_NE(dynamic_cast<Win32NetworkPlatform*>(INetworkPlatform::GetInstance()), nullptr)
        << "the downloads' network platform";

    IStream* written = files->OpenStream(FileLocation(2, L"profile", L".act"), 2, 0);
    ASSERT_NE(written, nullptr);
    written->Write("x", 1);
    files->ReleaseStream(written);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(platform->GetUserFolder()) / "profile.act"));

    platform->Cleanup();
    EXPECT_FALSE(files->Exists(self)) << "clean-up removes the partitions";
}

TEST_F(Win32ApplicationPlatformTest, ThePlatformLeavesTheTeardownListWhenDeletedElsewhere)
{
    const int before = Internal::CountSingletons();
    auto* other = new Win32ApplicationPlatform();
    EXPECT_EQ(Internal::CountSingletons(), before + 1);
    delete other;
    EXPECT_EQ(Internal::CountSingletons(), before);
}

int RunProbe(const std::wstring& product)
{
    return Testing::RunSecondStart(PLATFORM_INSTANCE_PROBE, product);
}

TEST_F(Win32ApplicationPlatformTest, ASecondStartFindsTheFirstInstanceAndBringsItBack)
{
    ShowWindow(Window(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(Window()));
    EXPECT_EQ(RunProbe(product), 0) << "another instance runs";
    Drain(); // the first instance serves the request in its pump
    EXPECT_FALSE(IsIconic(Window()));

    platform->DestroyWindow();
    EXPECT_EQ(RunProbe(product), 0) << "also when the first has no window yet";

    platform->Cleanup();
    EXPECT_EQ(RunProbe(product), 1) << "the mutex is free again";
}
} // namespace
