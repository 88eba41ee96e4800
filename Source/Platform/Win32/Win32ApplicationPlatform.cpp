#include "Platform/Win32/Win32ApplicationPlatform.h"

#include "Debug.h"
#include "Framework/DisplayChange.h"
#include "Framework/ProfileNotice.h"
#include "Framework/IApplication.h"
#include "Framework/IAudioPlatform.h"
#include "Framework/Looper.h"
#include "Platform/Compat/Kernel/Files.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "Platform/Compat/Kernel/Module.h"
#include "Platform/Compat/Kernel/NamedMutex.h"
#include "Platform/Compat/Shell/Shell.h"
#include "Platform/Compat/User/DisplayPresence.h"
#include "Platform/Compat/User/MessageQueue.h"
#include "Platform/Compat/User/Messages.h"
#include "Platform/Compat/User/Metrics.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Win32/WindowProcedure.h"
#include "RuntimeError.h"
#include "Utf8.h"
#include "Win32/Win32Error.h"

#include <cwchar>

namespace Corvane
{
namespace
{
constexpr int kMaxMessagesPerPass = 16;
constexpr int kMinimumClientHeight = 100;

// No lock keeps a second copy from running on the same profiles: the player hears why.
void TellNoLock()
{
    TellPlayerAboutProfiles(L"The game cannot keep a second copy of itself from starting:\n\n" +
                            Utf8::ToWide(Compat::LastLockProblem()) +
                            L"\nIt runs, but two copies started at once could each save over the other's progress.");
}

DWORD StyleFor(int windowMode)
{
    return windowMode == 1 ? WS_POPUP | WS_SYSMENU : WS_OVERLAPPEDWINDOW;
}

DWORD StyleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

DWORD ExStyleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
}

bool IsSizingBorder(WPARAM hit)
{
    switch (static_cast<LRESULT>(hit))
    {
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT: return true;
    default: return false;
    }
}

// Truncated toward zero, as the window rules want.
LONG Truncate(double value)
{
    return static_cast<LONG>(value);
}

// Clears the pump's sink however the pump ends.
class SinkScope
{
public:
    SinkScope(IInputEventSink*& slot, IInputEventSink* sink) : mSlot(slot) { mSlot = sink; }
    ~SinkScope() { mSlot = nullptr; }
    SinkScope(const SinkScope&) = delete;
    SinkScope& operator=(const SinkScope&) = delete;

private:
    IInputEventSink*& mSlot;
};
} // namespace

Win32ApplicationPlatform::Win32ApplicationPlatform()
{
    // Relative paths of the game's data start at the program's folder, wherever it was run from.
    SetCurrentDirectoryW(GetProgramFolder().c_str());
}

Win32ApplicationPlatform::~Win32ApplicationPlatform()
{
    Cleanup();
}

const wchar_t* Win32ApplicationPlatform::ProductName() const
{
    IApplication* application = IApplication::GetInstance();
    const wchar_t* product = application ? application->GetInfo().productName : nullptr;
    return product ? product : L"Corvane 2DEngine";
}

POINT Win32ApplicationPlatform::OuterSize(int width, int height, DWORD style, DWORD exStyle)
{
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void Win32ApplicationPlatform::Setup()
{
    Win32Platform::Setup();
    const wchar_t* product = ProductName();
    if (!mMutex)
    {
        // Held in the profiles' own folder, so that two copies never save over each other's
        // profiles, however differently they were started.
        mMutex = Compat::CreateMutexInFolder(GetUserFolder(), TRUE, product);
        // Only a mutex that someone else already holds means another instance; when none could
        // be made at all, this one runs, and the player hears that a second copy would too.
        mSoleInstance = !(mMutex && GetLastError() == ERROR_ALREADY_EXISTS);
        if (!mMutex)
            TellNoLock();
    }

    if (!mLargeIcon && !mSmallIcon)
    {
        wchar_t programFile[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, programFile, MAX_PATH);
        ExtractIconExW(programFile, 0, &mLargeIcon, &mSmallIcon, 1);
    }

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = &SharedWindowProcedure;
    windowClass.hInstance = mInstance;
    windowClass.hIcon = mLargeIcon;
    windowClass.hCursor = nullptr;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = product;
    windowClass.hIconSm = mSmallIcon;
    if (!RegisterClassExW(&windowClass))
        throw Win32::Win32Error("Could not register a window class.", GetLastError(), __FILE__, __LINE__,
                                "Win32ApplicationPlatform::Setup");
    mClassRegistered = true;
}

void Win32ApplicationPlatform::Cleanup()
{
    Win32Platform::Cleanup();
    if (mClassRegistered)
    {
        UnregisterClassW(ProductName(), mInstance);
        mClassRegistered = false;
    }
    DestroyIcon(mLargeIcon);
    DestroyIcon(mSmallIcon);
    mLargeIcon = mSmallIcon = nullptr;
    if (mMutex)
    {
        CloseHandle(mMutex);
        mMutex = nullptr;
    }
}

bool Win32ApplicationPlatform::ActivateOtherInstance()
{
    if (mSoleInstance)
        return false;
    HWND other = FindWindowW(ProductName(), nullptr);
    if (other)
    {
        ShowWindow(other, SW_RESTORE);
        SetForegroundWindow(other);
    }
    DebugPrint(other ? "Another copy runs on these profiles: its window was brought to the front.\n"
                     : "Another copy runs on these profiles (it has no window yet).\n");
    return true;
}

void Win32ApplicationPlatform::CreateWindow(const DisplaySettings& settings)
{
    DestroyWindow();
    mTrackingMouse = false;
    const DWORD style = StyleFor(settings.windowMode);
    const DWORD exStyle = WS_EX_APPWINDOW;
    const POINT outer = OuterSize(settings.width, settings.height, style, exStyle);
    IApplication* application = IApplication::GetInstance();
    const wchar_t* title = application ? application->GetInfo().windowTitle : nullptr;
    HWND window =
        CreateWindowExW(exStyle, ProductName(), title ? title : ProductName(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                        outer.x, outer.y, nullptr, nullptr, mInstance, static_cast<Win32Platform*>(this));
    if (!window)
        throw Win32::Win32Error("Could not create a window.", GetLastError(), __FILE__, __LINE__,
                                "Win32ApplicationPlatform::CreateWindow");
    mWindow = window;
    ShowWindow(window, SW_SHOW);
}

void Win32ApplicationPlatform::GetSupportedWindowConfig(const DisplaySettings& settings)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    // No screen at all is no question of its size.
    if (width <= 0 || height <= 0)
        throw RuntimeError(std::wstring(ProductName()) + L" " + Utf8::ToWide(Compat::WhyNoDisplay()), __FILE__,
                           __LINE__, "Win32ApplicationPlatform::GetSupportedWindowConfig");
    if (settings.width <= width && settings.height <= height)
        return;
    wchar_t text[512];
    std::swprintf(text, sizeof text / sizeof text[0], L"%ls requires a screen resolution of %dx%d.", ProductName(),
                  settings.width, settings.height);
    throw RuntimeError(std::wstring(text), __FILE__, __LINE__, "Win32ApplicationPlatform::GetSupportedWindowConfig");
}

void Win32ApplicationPlatform::HandleEvents(IInputEventSink* sink)
{
    SinkScope scope(mSink, sink);
    for (int i = 0; i < kMaxMessagesPerPass && HasPendingMessages(); ++i)
    {
        MSG message;
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0)
        {
            mFlags |= kQuitRequested;
            return;
        }
        if (result == -1)
            throw Win32::Win32Error("Could not process messages for a window.", GetLastError(), __FILE__, __LINE__,
                                    "Win32ApplicationPlatform::HandleEvents");
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32ApplicationPlatform::WaitForMessage()
{
    WaitMessage();
}

void Win32ApplicationPlatform::SetWindowTitle(const wchar_t* title)
{
    if (mWindow)
        SetWindowTextW(mWindow, title);
}

LRESULT Win32ApplicationPlatform::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SIZE:
        return OnSize(window, wParam, LOWORD(static_cast<std::uintptr_t>(lParam)),
                      HIWORD(static_cast<std::uintptr_t>(lParam)));
    case WM_SIZING: return OnSizing(window, wParam, reinterpret_cast<RECT*>(lParam));
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(window, reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_NCLBUTTONDBLCLK: return OnNonClientDoubleClick(window, wParam, lParam);
    case WM_SYSCOMMAND: return OnSysCommand(window, wParam, lParam);
    case WM_CLOSE: return OnClose(window);
    default: return Win32Platform::HandleMessage(window, message, wParam, lParam);
    }
}

LRESULT Win32ApplicationPlatform::OnSize(HWND window, WPARAM type, int width, int height)
{
    // Sound pauses while the game is minimised. (The screen-saver trick that blocked the task
    // switch keys belonged to an older system family; the version query reports the newer one.)
    if (IAudioPlatform* audio = IAudioPlatform::GetInstance())
    {
        if (type == SIZE_RESTORED)
            audio->SetActive(true);
        else if (type == SIZE_MINIMIZED)
            audio->SetActive(false);
    }
    return DefWindowProcW(window, WM_SIZE, type, MAKELPARAM(width, height));
}

LRESULT Win32ApplicationPlatform::OnSizing(HWND window, WPARAM edge, RECT* proposed)
{
    const DisplaySettings& display = GetDisplaySettings();
    if (display.sizingMode != 1 || !proposed)
        return DefWindowProcW(window, WM_SIZING, edge, reinterpret_cast<LPARAM>(proposed));
    // The aspect of the whole window this size would be created with, frame included.
    const POINT outer = OuterSize(display.width, display.height, StyleOf(window), ExStyleOf(window));
    const double aspect = static_cast<double>(outer.x) / outer.y;
    RECT& r = *proposed;
    switch (edge)
    {
    case WMSZ_LEFT:
    case WMSZ_RIGHT:
    case WMSZ_BOTTOMLEFT:
    case WMSZ_BOTTOMRIGHT: r.bottom = r.top + Truncate((r.right - r.left) / aspect); break;
    case WMSZ_TOP:
    case WMSZ_TOPRIGHT:
    case WMSZ_BOTTOM: r.right = r.left + Truncate((r.bottom - r.top) * aspect); break;
    case WMSZ_TOPLEFT: r.left = r.right - Truncate((r.bottom - r.top) * aspect); break;
    default: break;
    }
    return TRUE;
}

LRESULT Win32ApplicationPlatform::OnGetMinMaxInfo(HWND window, MINMAXINFO* info)
{
    if (!info)
        return 0;
    const DisplaySettings& display = GetDisplaySettings();
    const DWORD style = StyleOf(window);
    const DWORD exStyle = ExStyleOf(window);
    if (display.sizingMode == 2)
    {
        info->ptMinTrackSize = info->ptMaxTrackSize = OuterSize(display.width, display.height, style, exStyle);
        return 0;
    }
    const int minimumWidth =
        display.height > 0 ? static_cast<int>(static_cast<double>(display.width) / display.height * 100) : 100;
    info->ptMinTrackSize = OuterSize(minimumWidth, kMinimumClientHeight, style, exStyle);
    return 0;
}

LRESULT Win32ApplicationPlatform::OnNonClientDoubleClick(HWND window, WPARAM hit, LPARAM position)
{
    const DisplaySettings& display = GetDisplaySettings();
    if (display.sizingMode != 2 && IsSizingBorder(hit))
    {
        // Back to the size the game was made for.
        const POINT outer = OuterSize(display.width, display.height, StyleOf(window), ExStyleOf(window));
        SetWindowPos(window, nullptr, 0, 0, outer.x, outer.y, SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER);
        return 0;
    }
    if (static_cast<LRESULT>(hit) == HTCAPTION)
    {
        SetWindowMode(1);
        return 0;
    }
    return DefWindowProcW(window, WM_NCLBUTTONDBLCLK, hit, position);
}

LRESULT Win32ApplicationPlatform::OnSysCommand(HWND window, WPARAM command, LPARAM position)
{
    if (GetDisplaySettings().windowMode == 1)
    {
        switch (command)
        {
        case SC_SIZE:
        case SC_MOVE:
        case SC_MAXIMIZE:
        case SC_KEYMENU:
        case SC_MONITORPOWER: return 0;
        default: break;
        }
    }
    else if (command == SC_MAXIMIZE)
    {
        SetWindowMode(1);
        return 0;
    }
    return DefWindowProcW(window, WM_SYSCOMMAND, command, position);
}

LRESULT Win32ApplicationPlatform::OnClose(HWND)
{
    // The window stays until the shut-down destroys it.
    RequestQuit();
    return 0;
}
} // namespace Corvane
