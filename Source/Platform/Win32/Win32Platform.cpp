#include "Platform/Win32/Win32Platform.h"

#include "FileSystem.h"
#include "Framework/ResourceManager.h"
#include "Graphics/FilmStripResourceFactory.h"
#include "Graphics/FontResourceFactory.h"
#include "Graphics/Image.h"
#include "Graphics/ImageListResourceFactory.h"
#include "Graphics/ImageResourceFactory.h"
#include "Platform/Win32/ArrowCursor.h"
#include "Platform/Win32/Win32NetworkPlatform.h"

#include "Framework/DisplayChange.h"
#include "Framework/IApplication.h"
#include "Framework/IAudioPlatform.h"
#include "Platform/Compat/Kernel/DebugOutput.h"
#include "Platform/Compat/Kernel/Module.h"
#include "Platform/Compat/Kernel/Time.h"
#include "Platform/Compat/Shell/PathFunctions.h"
#include "Platform/Compat/Shell/Shell.h"
#include "Platform/Compat/User/Cursor.h"
#include "Platform/Compat/User/MessageQueue.h"
#include "Platform/Compat/User/Messages.h"
#include "Platform/Compat/User/VirtualKeys.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Win32/UserDataFolder.h"
#include "RuntimeError.h"
#include "Singleton.h"
#include "Utf8.h"
#include "Win32/Win32FileSystemPartition.h"

namespace Corvane
{
// The platform's entry on the engine's teardown list; the platform forgets it when it is deleted
// some other way, so that the list never deletes it twice.
class Win32Platform::Teardown final : public Internal::SingletonDestructor
{
public:
    explicit Teardown(Win32Platform* platform) : mPlatform(platform) {}
    void Destroy() override
    {
        mPlatform->mTeardown = nullptr;
        delete mPlatform;
        delete this;
    }

private:
    Win32Platform* mPlatform;
};

namespace
{
const wchar_t* CursorName(int kind)
{
    switch (kind)
    {
    case 1: return IDC_ARROW;
    case 2: return IDC_SIZEALL;
    case 3: return IDC_SIZEWE;
    case 4: return IDC_SIZENS;
    case 5:
    case 8: return IDC_SIZENWSE;
    case 6:
    case 7: return IDC_SIZENESW;
    default: return nullptr;
    }
}

const ApplicationInfo& Info()
{
    IApplication* application = IApplication::GetInstance();
    if (!application)
        throw RuntimeError("The platform needs the application's names.", __FILE__, __LINE__, "Win32Platform::Setup");
    return application->GetInfo();
}

InputEvent KeyEvent(std::int32_t type, WPARAM key)
{
    InputEvent event;
    event.type = type;
    event.code = static_cast<std::int32_t>(key);
    return event;
}

InputEvent TypeOnly(std::int32_t type)
{
    InputEvent event;
    event.type = type;
    return event;
}
} // namespace

Win32Platform::Win32Platform()
{
    mInstance = GetModuleHandleW(nullptr);
    timeBeginPeriod(1);
    mCursor = LoadCursorW(nullptr, IDC_ARROW);
    mTeardown = new Teardown(this);
}

Win32Platform::~Win32Platform()
{
    timeEndPeriod(1);
    if (mTeardown)
    {
        Teardown* teardown = mTeardown;
        mTeardown = nullptr;
        delete teardown;
    }
}

std::wstring Win32Platform::GetProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    PathRemoveFileSpecW(path);
    return path;
}

void Win32Platform::Setup()
{
    const ApplicationInfo& info = Info();
    const std::wstring product = info.productName ? info.productName : L"";
    mUserFolder = CreateUserDataFolder(info.companyName ? info.companyName : L"", product);
    // Beside the profiles, where a player asked for it finds it.
    Compat::OpenDebugLog(Utf8::FromWide(mUserFolder + L"/" + CleanFolderName(product) + L".log"));
    SetupEngineServices(GetProgramFolder(), mUserFolder);
}

void Win32Platform::SetupEngineServices(const std::wstring& programFolder, const std::wstring& userFolder)
{
    // The file system registers itself for teardown; a second Setup reuses it with fresh partitions.
    FileSystem* fileSystem = FileSystem::GetInstance();
    if (fileSystem)
        fileSystem->DeletePartitions();
    else
        fileSystem = new FileSystem;
    fileSystem->AddPartition(0, new Win32FileSystemPartition(L"", programFolder));
    fileSystem->AddPartition(1, new Win32FileSystemPartition(L"", programFolder));
    fileSystem->AddPartition(2, new Win32FileSystemPartition(L"", userFolder));
    fileSystem->OnPartitionsAdded();

    RegisterPlatformResourceFactories();
    // The download workers fetch through it; it stays for the whole run (a second Setup keeps it).
    if (!INetworkPlatform::GetInstance())
        new Win32NetworkPlatform; // registers itself and its teardown
}

void RegisterPlatformResourceFactories()
{
    ResourceManager* resources = ResourceManager::Instance();
    resources->RegisterFactory(L"image", new ImageResourceFactory);
    resources->RegisterFactory(L"imagelist", new ImageListResourceFactory);
    resources->RegisterFactory(L"filmstrip", new FilmStripResourceFactory);
    resources->RegisterFactory(L"font", new FontResourceFactory);
}

void Win32Platform::CleanupEngineServices()
{
    if (FileSystem* fileSystem = FileSystem::GetInstance())
        fileSystem->DeletePartitions();
}

void Win32Platform::Cleanup()
{
    CleanupEngineServices();
    DestroyWindow();
}

void Win32Platform::DestroyWindow()
{
    if (!mWindow)
        return;
    HWND window = mWindow;
    mWindow = nullptr;
    ::DestroyWindow(window);
}

void Win32Platform::RestoreIfMinimized()
{
    if (mWindow && IsIconic(mWindow))
        ShowWindow(mWindow, SW_RESTORE);
}

void Win32Platform::SetCursorVisible(bool visible)
{
    mSystemCursorVisible = visible;
    RefreshCursor();
}

void Win32Platform::SetCursor(int kind)
{
    const wchar_t* name = CursorName(kind);
    mCursor = name ? LoadCursorW(nullptr, name) : nullptr;
    RefreshCursor();
}

Image* Win32Platform::GetCursorImage(int kind)
{
    if (kind != 1)
        return nullptr;
    // Built once and kept for the process: renderers may hold its texture until the very end.
    static Image* arrow = [] {
        const std::vector<std::uint32_t> pixels = BuildArrowCursorPixels();
        auto buffer = std::make_unique<PackedColor[]>(pixels.size());
        std::copy(pixels.begin(), pixels.end(), buffer.get());
        return new Image(std::move(buffer), kArrowCursorSize, kArrowCursorSize, true, true);
    }();
    return arrow;
}

Vector2<int> Win32Platform::GetCursorHotSpot(int)
{
    return {0, 0};
}

bool Win32Platform::HasPendingMessages()
{
    MSG message;
    return PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

void Win32Platform::CaptureMouse()
{
    SetCapture(mWindow);
}

void Win32Platform::ReleaseMouse()
{
    ReleaseCapture();
}

void Win32Platform::OpenURL(const std::wstring& url)
{
    SetWindowMode(0);
    ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void Win32Platform::RefreshCursor()
{
    POINT pointer;
    if (!mWindow || !GetCursorPos(&pointer) || WindowFromPoint(pointer) != mWindow)
        return;
    const LRESULT hit = SendMessageW(mWindow, WM_NCHITTEST, 0, MAKELPARAM(pointer.x, pointer.y));
    SendMessageW(mWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(mWindow),
                 MAKELPARAM(static_cast<int>(hit), static_cast<int>(WM_MOUSEMOVE)));
}

LRESULT Win32Platform::OnSetCursor(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT)
    {
        // The engine draws its own pointer while the window is active and the system one is off.
        if (!mSystemCursorVisible && IsActive())
            ::SetCursor(nullptr);
        else if (GetCursor() != mCursor)
            ::SetCursor(mCursor);
        return TRUE;
    }
    // A fixed-size window shows no sizing arrows on its borders.
    if (GetDisplaySettings().sizingMode == 2)
    {
        ::SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

POINT Win32Platform::ToVirtualScreen(HWND window, POINT client) const
{
    RECT rect{0, 0, 0, 0};
    GetClientRect(window, &rect);
    if (rect.right <= 0 || rect.bottom <= 0)
        return client;
    const DisplaySettings& display = GetDisplaySettings();
    return {static_cast<LONG>(static_cast<double>(client.x) * display.width / rect.right),
            static_cast<LONG>(static_cast<double>(client.y) * display.height / rect.bottom)};
}

void Win32Platform::Deliver(const InputEvent& event)
{
    if (mSink)
        mSink->OnInputEvent(event);
}

void Win32Platform::DeliverMouse(HWND window, std::int32_t type, std::int32_t button, LPARAM position)
{
    const POINT point = ToVirtualScreen(window, {GET_X_LPARAM(position), GET_Y_LPARAM(position)});
    InputEvent event;
    event.type = type;
    event.x = point.x;
    event.y = point.y;
    event.code = button;
    Deliver(event);
}

LRESULT Win32Platform::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
        {
            mFlags |= kActive;
            Deliver(TypeOnly(InputEvent::kActivated));
        }
        else
        {
            // The inactive window is redrawn when it is uncovered.
            mFlags = (mFlags & ~kActive) | kNeedsRepaint;
            Deliver(TypeOnly(InputEvent::kDeactivated));
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_PAINT: mFlags |= kNeedsRepaint; return DefWindowProcW(window, message, wParam, lParam);
    case WM_ACTIVATEAPP:
        if (IAudioPlatform* audio = IAudioPlatform::GetInstance())
            audio->SetActive(wParam != 0);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_SETCURSOR: return OnSetCursor(window, message, wParam, lParam);
    case WM_KEYDOWN: Deliver(KeyEvent(InputEvent::kKeyDown, wParam)); return 0;
    case WM_KEYUP: Deliver(KeyEvent(InputEvent::kKeyUp, wParam)); return 0;
    case WM_CHAR:
    {
        // Valid during the call only, as the event's contract says.
        const wchar_t text[2] = {static_cast<wchar_t>(wParam), 0};
        Deliver(InputEvent::Character(text));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_SYSKEYDOWN:
        if (wParam == VK_RETURN)
        {
            // Held down, Alt+Enter repeats: only the first press switches (each switch rebuilds
            // the renderer and the window).
            if (!(lParam & KF_REPEAT_BIT))
                ToggleWindowMode();
            return 0;
        }
        Deliver(KeyEvent(InputEvent::kKeyDown, wParam));
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_SYSKEYUP:
        Deliver(KeyEvent(InputEvent::kKeyUp, wParam));
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_SYSCHAR:
        // No beep and no menu for Alt with a character; Alt+Space keeps the system menu.
        return wParam == L' ' ? DefWindowProcW(window, message, wParam, lParam) : 0;
    case WM_MOUSEMOVE:
        if (!mTrackingMouse)
        {
            mTrackingMouse = true;
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, 0};
            TrackMouseEvent(&track);
        }
        DeliverMouse(window, InputEvent::kMouseMove, 0, lParam);
        return 0;
    case WM_LBUTTONDOWN: DeliverMouse(window, InputEvent::kButtonDown, 0, lParam); return 0;
    case WM_LBUTTONUP: DeliverMouse(window, InputEvent::kButtonUp, 0, lParam); return 0;
    case WM_RBUTTONDOWN: DeliverMouse(window, InputEvent::kButtonDown, 1, lParam); return 0;
    case WM_RBUTTONUP: DeliverMouse(window, InputEvent::kButtonUp, 1, lParam); return 0;
    case WM_MOUSEWHEEL:
    {
        // The wheel reports the pointer in screen coordinates.
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &point);
        point = ToVirtualScreen(window, point);
        InputEvent event;
        event.type = InputEvent::kWheel;
        event.x = point.x;
        event.y = point.y;
        event.code = GET_WHEEL_DELTA_WPARAM(wParam);
        event.extra = WHEEL_DELTA;
        Deliver(event);
        return 0;
    }
    case WM_MOUSELEAVE:
        mTrackingMouse = false;
        Deliver(TypeOnly(InputEvent::kMouseLeave));
        return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}
} // namespace Corvane
