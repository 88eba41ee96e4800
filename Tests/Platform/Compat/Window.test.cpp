#include "Platform/Compat/User/Window.h"
#include "Platform/Compat/User/Cursor.h"
#include "Platform/Compat/User/MessageQueue.h"
#include "Platform/Compat/User/Messages.h"
#include "Platform/Compat/User/Metrics.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
struct Seen
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Seen> gSeen;
LONG_PTR gCreateParam = 0;

LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        gCreateParam = reinterpret_cast<LONG_PTR>(create->lpCreateParams);
    }
    if (message == WM_GETMINMAXINFO)
    {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {141, 126};
    }
    gSeen.push_back({message, wParam, lParam});
    return DefWindowProcW(window, message, wParam, lParam);
}

class WindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &Procedure;
        windowClass.lpszClassName = L"CompatWindowTest";
        ASSERT_NE(RegisterClassExW(&windowClass), 0);
        gSeen.clear();
    }
    void TearDown() override
    {
        if (IsWindow(mWindow))
            DestroyWindow(mWindow);
        UnregisterClassW(L"CompatWindowTest", nullptr);
    }

    HWND Create(DWORD style, int width, int height)
    {
        mWindow = CreateWindowExW(0, L"CompatWindowTest", L"Title", style, CW_USEDEFAULT, CW_USEDEFAULT, width, height,
                                  nullptr, nullptr, nullptr, &mParam);
        return mWindow;
    }

    int mParam = 7;
    HWND mWindow = nullptr;
};
} // namespace

TEST_F(WindowTest, CreationSendsTheCreationParameterAndSizesTheClientArea)
{
    RECT outer{0, 0, 800, 600};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW);
    EXPECT_EQ(outer.right - outer.left, 800 + 2 * kCompatSizingBorder);
    EXPECT_EQ(outer.bottom - outer.top, 600 + 2 * kCompatSizingBorder + kCompatCaptionHeight);

    ASSERT_NE(Create(WS_OVERLAPPEDWINDOW, outer.right - outer.left, outer.bottom - outer.top), nullptr);
    EXPECT_EQ(gCreateParam, reinterpret_cast<LONG_PTR>(&mParam));
    EXPECT_EQ(GetWindowLongPtrW(mWindow, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&mParam));
    ASSERT_GE(gSeen.size(), 3u);
    EXPECT_EQ(gSeen[0].message, WM_NCCREATE);
    EXPECT_EQ(gSeen[1].message, WM_CREATE);
    EXPECT_EQ(gSeen[2].message, WM_GETMINMAXINFO);

    RECT client;
    ASSERT_TRUE(GetClientRect(mWindow, &client));
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 600);
    EXPECT_EQ(GetWindowLongPtrW(mWindow, GWL_STYLE), static_cast<LONG_PTR>(WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(FindWindowW(L"compatwindowtest", nullptr), mWindow);
}

TEST_F(WindowTest, ShowingAHeadlessWindowActivatesAndPaintsIt)
{
    ASSERT_NE(Create(WS_POPUP, 320, 200), nullptr);
    ShowWindow(mWindow, SW_SHOW);
    std::vector<UINT> posted;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        posted.push_back(message.message);
    EXPECT_EQ(posted, (std::vector<UINT>{WM_ACTIVATE, WM_ACTIVATEAPP, WM_PAINT}));
}

TEST_F(WindowTest, MinimisedWindowsHaveAnEmptyClientArea)
{
    ASSERT_NE(Create(WS_OVERLAPPEDWINDOW, 400, 300), nullptr);
    ShowWindow(mWindow, SW_SHOW);
    ShowWindow(mWindow, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(mWindow));
    RECT client;
    GetClientRect(mWindow, &client);
    EXPECT_EQ(client.right, 0);
    EXPECT_EQ(client.bottom, 0);
    ShowWindow(mWindow, SW_RESTORE);
    EXPECT_FALSE(IsIconic(mWindow));
    GetClientRect(mWindow, &client);
    EXPECT_EQ(client.right, 400 - 2 * kCompatSizingBorder);
}

TEST_F(WindowTest, DestroyingDropsQueuedMessagesAndTheHandle)
{
    ASSERT_NE(Create(WS_POPUP, 100, 100), nullptr);
    PostMessageW(mWindow, WM_USER, 1, 2);
    HWND gone = mWindow;
    EXPECT_TRUE(DestroyWindow(mWindow));
    EXPECT_FALSE(IsWindow(gone));
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) && message.hwnd == gone);
    EXPECT_FALSE(PostMessageW(gone, WM_USER, 0, 0));
}

TEST(Metrics, TestScreenSizeOverridesTheDesktop)
{
    Compat::SetScreenSizeForTesting(640, 480);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
    Compat::SetScreenSizeForTesting(0, 0);
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
}

TEST(Cursor, SystemCursorsAndHiding)
{
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorW(nullptr, IDC_ARROW), arrow);
    EXPECT_EQ(LoadCursorW(nullptr, reinterpret_cast<const wchar_t*>(1)), nullptr);
    SetCursor(arrow);
    EXPECT_EQ(GetCursor(), arrow);
    EXPECT_EQ(SetCursor(nullptr), arrow);
    EXPECT_EQ(GetCursor(), nullptr);
}
