#include "Platform/Win32/Win32Platform.h"

#include "Framework/IQuitHandler.h"
#include "Graphics/Image.h"
#include "Platform/Compat/User/Cursor.h"
#include "Platform/Compat/User/Messages.h"
#include "Platform/Compat/User/VirtualKeys.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Win32/ArrowCursor.h"
#include "Support/SdlEvents.h"
#include "Support/WindowedPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <SDL.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Events = std::vector<std::string>;

// Window messages turned into input events, with SDL events injected as the desktop would send
// them (SDL's headless video driver).
class Win32PlatformTest : public testing::Test, public WindowedPlatform
{
protected:
    SDL_Event Key(Uint32 type, SDL_Keycode sym, SDL_Scancode scancode, Uint16 mod = KMOD_NONE, Uint8 repeat = 0)
    {
        return KeyEvent(WindowId(), type, sym, scancode, mod, repeat);
    }
    SDL_Event Text(const char* text) { return TextEvent(WindowId(), text); }
    SDL_Event Motion(int x, int y) { return MotionEvent(WindowId(), x, y); }
    SDL_Event Button(Uint32 type, Uint8 button, int x, int y) { return ButtonEvent(WindowId(), type, button, x, y); }
    SDL_Event WindowEvent(SDL_WindowEventID id) { return Testing::WindowEvent(WindowId(), id); }
    SDL_Event Wheel(int notches, float precise = 0.0f) { return WheelEvent(WindowId(), notches, precise); }
};

TEST_F(Win32PlatformTest, KeysArriveBeforeTheirCharacters)
{
    Push(Key(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A));
    Push(Text("a"));
    Push(Key(SDL_KEYUP, SDLK_a, SDL_SCANCODE_A));
    Push(Key(SDL_KEYDOWN, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE));
    Push(Text("\xC3\xA9")); // é
    Drain();
    EXPECT_EQ(sink.events, (Events{"key down 65", "char 97", "key up 65", "key down 8", "char 8", "char 233"}))
        << "Backspace arrives as character 8 right after its key";
}

TEST_F(Win32PlatformTest, KeysOfOtherLayoutsArriveByPlaceAndCtrlLettersTypeControlCharacters)
{
    Push(Key(SDL_KEYDOWN, 0xFC, SDL_SCANCODE_LEFTBRACKET)); // ü on a German keyboard
    Push(Key(SDL_KEYDOWN, 0x444, SDL_SCANCODE_A));          // a Cyrillic letter
    Push(Key(SDL_KEYDOWN, 0x40000000 | 0x1FF, SDL_SCANCODE_UNKNOWN));
    // All at once: Ctrl counts as the messages say, not as it is by the time they are read.
    Push(Key(SDL_KEYDOWN, SDLK_LCTRL, SDL_SCANCODE_LCTRL, KMOD_LCTRL));
    Push(Key(SDL_KEYDOWN, SDLK_c, SDL_SCANCODE_C, KMOD_LCTRL));
    Push(Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LCTRL));
    Push(Key(SDL_KEYUP, SDLK_LCTRL, SDL_SCANCODE_LCTRL));
    Push(Key(SDL_KEYDOWN, SDLK_c, SDL_SCANCODE_C));
    Drain();
    EXPECT_EQ(sink.events, (Events{"key down 219", "key down 65", "key down 17", "key down 67", "char 3", "key down 13",
                                   "char 13", "key up 17", "key down 67"}));
}

TEST_F(Win32PlatformTest, WheelFractionsAddUpToWholeNotches)
{
    Push(Motion(10, 10));
    for (const float step : {0.4f, 0.4f, 0.4f, 0.5f, -0.3f, -0.9f, -1.5f})
        Push(Wheel(0, step));
    Drain();
    EXPECT_EQ(sink.events,
              (Events{"move 10,10", "wheel 10,10 120 120", "wheel 10,10 -120 120", "wheel 10,10 -120 120"}))
        << "0.4 + 0.4 + 0.4 made one notch, and 0.2 + 0.5 none; turning back dropped the rest";
}

TEST_F(Win32PlatformTest, TheMouseLeavesOncePerLeaveAndTheNextMoveRearmsIt)
{
    // Each pump sees what arrived since the last one, as the window system delivers it.
    Push(Motion(10, 20));
    Drain();
    Push(WindowEvent(SDL_WINDOWEVENT_LEAVE));
    Push(WindowEvent(SDL_WINDOWEVENT_LEAVE));
    Drain();
    EXPECT_EQ(sink.events, (Events{"move 10,20", "leave"}));

    sink.events.clear();
    Push(WindowEvent(SDL_WINDOWEVENT_LEAVE)); // not armed: no move since the last leave
    Drain();
    Push(Motion(30, 40));
    Drain();
    Push(WindowEvent(SDL_WINDOWEVENT_LEAVE));
    Drain();
    EXPECT_EQ(sink.events, (Events{"move 30,40", "leave"}));
}

TEST_F(Win32PlatformTest, ButtonsAndTheWheelCarryTheirCodes)
{
    Push(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 2));
    Push(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 3, 4));
    Push(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 5, 6));
    Push(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 7, 8));
    Push(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 9, 9)); // no event
    Push(Motion(100, 50));
    Push(Wheel(2));
    Push(Wheel(-1));
    Drain();
    EXPECT_EQ(sink.events, (Events{"down 0 1,2", "up 0 3,4", "down 1 5,6", "up 1 7,8", "move 100,50",
                                   "wheel 100,50 240 120", "wheel 100,50 -120 120"}));
}

TEST_F(Win32PlatformTest, PositionsAreScaledFromTheClientSizeToTheDisplaySize)
{
    // A 400 x 300 game in a window the user made twice as large (the headless desktop is too
    // small for 1600 x 1200).
    DisplaySettings small{0, 1, 400, 300};
    ApplyDisplaySettings(small, true);
    Drain();
    sink.events.clear();
    SDL_SetWindowSize(Sdl(), 800, 600);
    Push(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 401, 299));
    Push(Motion(799, 599));
    Drain();
    EXPECT_EQ(sink.events, (Events{"down 0 200,149", "move 399,299"}));
}

TEST_F(Win32PlatformTest, AMinimisedWindowsEmptyClientAreaLeavesPositionsUnscaled)
{
    ShowWindow(Window(), SW_MINIMIZE);
    RECT client;
    GetClientRect(Window(), &client);
    ASSERT_EQ(client.right, 0);
    Drain();
    sink.events.clear();
    PostMessageW(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
    PostMessageW(Window(), WM_LBUTTONDOWN, 0, MAKELPARAM(11, 21));
    Drain();
    EXPECT_EQ(sink.events, (Events{"move 10,20", "down 0 11,21"}));
}

TEST_F(Win32PlatformTest, AltEnterTogglesTheWindowModeOnceAndIsNoKeyPress)
{
    ASSERT_EQ(GetDisplaySettings().windowMode, 0);
    Push(Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT));
    Drain();
    EXPECT_EQ(GetDisplaySettings().windowMode, 1);
    EXPECT_EQ(GetWindowLongPtrW(Window(), GWL_STYLE), static_cast<LONG_PTR>(WS_POPUP | WS_SYSMENU))
        << "the window was made again for full screen";
    const auto setups = std::count(log.begin(), log.end(), "D3D7 Setup 1");

    // Held down: the repeats rebuild nothing.
    for (int i = 0; i < 5; ++i)
        Push(Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT, 1));
    Drain();
    EXPECT_EQ(std::count(log.begin(), log.end(), "D3D7 Setup 1"), setups);
    EXPECT_EQ(GetDisplaySettings().windowMode, 1);

    sink.events.clear();
    Push(Key(SDL_KEYDOWN, SDLK_x, SDL_SCANCODE_X, KMOD_LALT));
    Drain();
    EXPECT_EQ(sink.events, Events{"key down 88"}) << "Alt with another key is a key press";

    Push(Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT));
    Drain();
    EXPECT_EQ(GetDisplaySettings().windowMode, 0);
}

TEST_F(Win32PlatformTest, ActivationSetsTheFlagsAndPausesSound)
{
    FakeAudioPlatform audio(log);
    PostMessageW(Window(), WM_ACTIVATE, WA_INACTIVE, 0);
    PostMessageW(Window(), WM_ACTIVATEAPP, FALSE, 0);
    Pump();
    EXPECT_FALSE(platform->IsActive());
    EXPECT_TRUE(platform->NeedsRepaint()) << "an inactive window is redrawn when uncovered";
    platform->ClearRepaint();

    PostMessageW(Window(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
    PostMessageW(Window(), WM_ACTIVATEAPP, TRUE, 0);
    PostMessageW(Window(), WM_PAINT, 0, 0);
    Pump();
    EXPECT_TRUE(platform->IsActive());
    EXPECT_TRUE(platform->NeedsRepaint());
    EXPECT_EQ(sink.events, (Events{"deactivated", "activated"}));
    EXPECT_EQ(Events(log.end() - 2, log.end()), (Events{"audio inactive", "audio active"}));
}

class Refusing : public IQuitHandler
{
public:
    bool CanQuit() override { return false; }
};

TEST_F(Win32PlatformTest, TheCloseButtonAsksTheEngineToQuit)
{
    Refusing loading;
    AddQuitHandler(&loading);
    ShowWindow(Window(), SW_MINIMIZE);
    Push(WindowEvent(SDL_WINDOWEVENT_CLOSE));
    Drain();
    EXPECT_FALSE(IsQuitting());
    EXPECT_FALSE(IsIconic(Window())) << "a refused quit brings the window back";

    RemoveQuitHandler(&loading);
    Push(WindowEvent(SDL_WINDOWEVENT_CLOSE));
    Drain();
    EXPECT_TRUE(IsQuitting());
    EXPECT_TRUE(IsWindow(Window())) << "the window stays until the shut-down";
}

TEST_F(Win32PlatformTest, TheCustomCursorHidesTheSystemPointerOverTheActiveClientArea)
{
    Push(Motion(50, 50)); // the pointer is over the window
    Drain();
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    ASSERT_TRUE(platform->IsActive());
    EXPECT_EQ(GetCursor(), arrow);

    platform->SetCursorVisible(false);
    EXPECT_EQ(GetCursor(), nullptr);
    platform->SetCursorVisible(true);
    EXPECT_EQ(GetCursor(), arrow);

    platform->SetCursor(2);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZEALL));
    platform->SetCursor(9); // no such kind: no pointer
    EXPECT_EQ(GetCursor(), nullptr);
    platform->SetCursor(7);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZENESW));

    // Over the frame (only an injected message here: the window manager owns the real frame).
    platform->SetCursor(0);
    EXPECT_EQ(SendMessageW(Window(), WM_SETCURSOR, 0, MAKELPARAM(HTLEFT, WM_MOUSEMOVE)), 0)
        << "a sizable window leaves its borders to the system";
    DisplaySettings fixed = GetDisplaySettings();
    fixed.sizingMode = 2;
    ApplyDisplaySettings(fixed, true);
    EXPECT_EQ(SendMessageW(Window(), WM_SETCURSOR, 0, MAKELPARAM(HTLEFT, WM_MOUSEMOVE)), TRUE);
    EXPECT_EQ(GetCursor(), arrow) << "a fixed-size window shows no sizing arrows";
}

TEST_F(Win32PlatformTest, TheArrowCursorImageIsMadeOnceFromTheArrowPixels)
{
    Image* arrow = platform->GetCursorImage(1);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(platform->GetCursorImage(1), arrow);
    EXPECT_EQ(platform->GetCursorImage(2), nullptr);
    ASSERT_EQ(arrow->GetWidth(), kArrowCursorSize);
    ASSERT_EQ(arrow->GetHeight(), kArrowCursorSize);
    const std::vector<std::uint32_t> pixels = BuildArrowCursorPixels();
    for (int y = 0; y < kArrowCursorSize; ++y)
        for (int x = 0; x < kArrowCursorSize; ++x)
            ASSERT_EQ(arrow->GetPixel(x, y), pixels[static_cast<std::size_t>(y * kArrowCursorSize + x)])
                << x << "," << y;
    EXPECT_EQ(platform->GetCursorHotSpot(1), (Vector2<int>{0, 0}));
}

TEST_F(Win32PlatformTest, EventsOutsideThePumpReachNoSink)
{
    SendMessageW(Window(), WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(sink.events.empty());
}
} // namespace
