#include "Platform/Compat/User/MessageQueue.h"
#include "Platform/Compat/User/Cursor.h"
#include "Platform/Compat/User/EventTranslation.h"
#include "Platform/Compat/User/Messages.h"
#include "Platform/Compat/User/VirtualKeys.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Compat/User/WindowObject.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

namespace
{
std::vector<MSG> gDispatched;
WPARAM gCursorHitTest = 0;
WPARAM gSizingEdge = 0;

LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETCURSOR)
        gCursorHitTest = static_cast<WPARAM>(LOWORD(static_cast<std::uintptr_t>(lParam)));
    if (message == WM_SIZING)
    {
        gSizingEdge = wParam;
        // Keep the outer width at twice the height.
        auto* rect = reinterpret_cast<RECT*>(lParam);
        rect->right = rect->left + (rect->bottom - rect->top) * 2;
        return TRUE;
    }
    gDispatched.push_back({window, message, wParam, lParam, 0, {0, 0}});
    return DefWindowProcW(window, message, wParam, lParam);
}

class MessageQueueTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &Procedure;
        windowClass.lpszClassName = L"CompatQueueTest";
        RegisterClassExW(&windowClass);
        mWindow =
            CreateWindowExW(0, L"CompatQueueTest", L"", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(mWindow, nullptr);
        Drain();
        gDispatched.clear();
    }
    void TearDown() override
    {
        DestroyWindow(mWindow);
        UnregisterClassW(L"CompatQueueTest", nullptr);
    }

    void Drain()
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

    SDL_Event Key(Uint32 type, SDL_Keycode sym, Uint16 mod = 0, Uint8 repeat = 0)
    {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = SDL_GetWindowID(Compat::GetSdlWindow(mWindow));
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat;
        event.key.keysym.sym = sym;
        event.key.keysym.mod = mod;
        return event;
    }

    std::vector<UINT> Messages() const
    {
        std::vector<UINT> kinds;
        for (const MSG& m : gDispatched)
            kinds.push_back(m.message);
        return kinds;
    }

    HWND mWindow = nullptr;
};
} // namespace

TEST_F(MessageQueueTest, KeyDownComesBeforeItsCharacter)
{
    Push(Key(SDL_KEYDOWN, SDLK_a));
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    text.text.windowID = SDL_GetWindowID(Compat::GetSdlWindow(mWindow));
    std::strcpy(text.text.text, "a\xC3\xA9"); // "aé": two characters
    Push(text);
    Push(Key(SDL_KEYUP, SDLK_a));
    Drain();
    ASSERT_EQ(Messages(), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_CHAR, WM_KEYUP}));
    EXPECT_EQ(gDispatched[0].wParam, WPARAM('A'));
    EXPECT_EQ(gDispatched[1].wParam, WPARAM('a'));
    EXPECT_EQ(gDispatched[2].wParam, WPARAM(0xE9));
}

TEST_F(MessageQueueTest, ControlKeysGetTheirCharacterFromTranslation)
{
    Push(Key(SDL_KEYDOWN, SDLK_BACKSPACE));
    Push(Key(SDL_KEYUP, SDLK_BACKSPACE));
    Push(Key(SDL_KEYDOWN, SDLK_RETURN));
    Drain();
    ASSERT_EQ(Messages(), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYDOWN, WM_CHAR}));
    EXPECT_EQ(gDispatched[1].wParam, 8u);
    EXPECT_EQ(gDispatched[4].wParam, 13u);
}

TEST_F(MessageQueueTest, AltMakesSystemKeysAndRepeatsAreMarked)
{
    Push(Key(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT));
    Push(Key(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT, 1));
    Drain();
    ASSERT_GE(gDispatched.size(), 3u);
    EXPECT_EQ(gDispatched[0].message, WM_SYSKEYDOWN);
    EXPECT_EQ(gDispatched[0].wParam, VK_RETURN);
    EXPECT_FALSE(gDispatched[0].lParam & KF_REPEAT_BIT);
    EXPECT_TRUE(gDispatched[0].lParam & KF_ALTDOWN_BIT);
    EXPECT_EQ(gDispatched[1].message, WM_SYSCHAR);
    EXPECT_EQ(gDispatched[2].message, WM_SYSKEYDOWN);
    EXPECT_TRUE(gDispatched[2].lParam & KF_REPEAT_BIT);
}

TEST_F(MessageQueueTest, MouseMessagesCarryClientPositionsAndWheelNotches)
{
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = SDL_GetWindowID(Compat::GetSdlWindow(mWindow));
    motion.motion.x = 30;
    motion.motion.y = 40;
    Push(motion);
    SDL_Event button{};
    button.type = SDL_MOUSEBUTTONDOWN;
    button.button.windowID = motion.motion.windowID;
    button.button.button = SDL_BUTTON_RIGHT;
    button.button.x = 31;
    button.button.y = 41;
    Push(button);
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.windowID = motion.motion.windowID;
    wheel.wheel.y = -2;
    Push(wheel);
    Drain();
    EXPECT_EQ(gCursorHitTest, WPARAM(HTCLIENT)); // the cursor was asked for before the move
    ASSERT_EQ(Messages(), (std::vector<UINT>{WM_SETCURSOR, WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_MOUSEWHEEL}));
    EXPECT_EQ(GET_X_LPARAM(gDispatched[1].lParam), 30);
    EXPECT_EQ(GET_Y_LPARAM(gDispatched[1].lParam), 40);
    EXPECT_EQ(GET_X_LPARAM(gDispatched[2].lParam), 31);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(gDispatched[3].wParam), -240);
    POINT client{GET_X_LPARAM(gDispatched[3].lParam), GET_Y_LPARAM(gDispatched[3].lParam)};
    ScreenToClient(mWindow, &client);
    EXPECT_EQ(client.x, 31);
    EXPECT_EQ(client.y, 41);
}

TEST_F(MessageQueueTest, LeaveIsReportedOnlyWhileTracked)
{
    SDL_Event leave{};
    leave.type = SDL_WINDOWEVENT;
    leave.window.windowID = SDL_GetWindowID(Compat::GetSdlWindow(mWindow));
    leave.window.event = SDL_WINDOWEVENT_LEAVE;
    Push(leave);
    Drain();
    EXPECT_TRUE(Messages().empty());
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, mWindow, 0};
    EXPECT_TRUE(TrackMouseEvent(&track));
    Push(leave);
    Push(leave);
    Drain();
    EXPECT_EQ(Messages(), (std::vector<UINT>{WM_MOUSELEAVE}));
}

TEST_F(MessageQueueTest, UserResizingIsOfferedForCorrectionByTheEdgeThatMoved)
{
    SDL_Window* sdl = Compat::GetSdlWindow(mWindow);
    const struct
    {
        int dx, w, h; // how the user moved the left edge, and the size he left
        WPARAM edge;
        int correctedWidth;
    } cases[] = {
        {0, 640, 300, WMSZ_BOTTOM, 600},      // the bottom edge alone
        {0, 700, 300, WMSZ_RIGHT, 600},       // the right edge alone
        {-100, 700, 300, WMSZ_LEFT, 600},     // the left edge: the window grew leftwards
        {0, 800, 350, WMSZ_BOTTOMRIGHT, 700}, // a corner
    };
    for (const auto& c : cases)
    {
        int x = 0, y = 0;
        SDL_GetWindowPosition(sdl, &x, &y);
        SDL_SetWindowPosition(sdl, x + c.dx, y);
        SDL_SetWindowSize(sdl, c.w, c.h);
        SDL_Event resized{};
        resized.type = SDL_WINDOWEVENT;
        resized.window.windowID = SDL_GetWindowID(sdl);
        resized.window.event = SDL_WINDOWEVENT_RESIZED;
        gSizingEdge = 0;
        Push(resized);
        Drain();
        EXPECT_EQ(gSizingEdge, c.edge) << c.w << "x" << c.h;
        RECT outer;
        GetWindowRect(mWindow, &outer); // popup: outer equals client
        EXPECT_EQ(outer.right - outer.left, c.correctedWidth);
        EXPECT_EQ(outer.bottom - outer.top, c.h);
        EXPECT_EQ(outer.left, x + c.dx) << "the left edge stays where the user left it";
    }
    // The size the correction gave is not offered again.
    SDL_Event resized{};
    resized.type = SDL_WINDOWEVENT;
    resized.window.windowID = SDL_GetWindowID(sdl);
    resized.window.event = SDL_WINDOWEVENT_RESIZED;
    gSizingEdge = 0;
    Push(resized);
    Drain();
    EXPECT_EQ(gSizingEdge, 0u);
}

TEST_F(MessageQueueTest, QuitComesAfterOtherMessagesAndPostsCrossThreads)
{
    std::thread([this] { PostMessageW(mWindow, WM_USER + 1, 5, 6); }).join();
    PostQuitMessage(3);
    MSG message;
    ASSERT_EQ(GetMessageW(&message, nullptr, 0, 0), 1);
    EXPECT_EQ(message.message, WM_USER + 1);
    EXPECT_EQ(message.wParam, 5u);
    EXPECT_EQ(GetMessageW(&message, nullptr, 0, 0), 0);
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(MessageQueueTest, CloseBoxAsksTheWindow)
{
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.windowID = SDL_GetWindowID(Compat::GetSdlWindow(mWindow));
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    Push(close);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_CLOSE);
    EXPECT_EQ(message.hwnd, mWindow);
}
