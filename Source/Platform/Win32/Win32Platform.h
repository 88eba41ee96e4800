// The general window-system side of the engine's platform: the window handle and its flags
// (active, quit requested, needs repaint), the system cursor, mouse capture, and the window
// procedure that turns window messages into the engine's input events for the sink that the
// message pump holds. Main thread only: the thread that created the window.
#pragma once

#include "Framework/IPlatform.h"
#include "Platform/Compat/User/UserTypes.h"

#include <string>

namespace Corvane
{
class Win32Platform : public IPlatform
{
public:
    // Flags word bits.
    static constexpr unsigned kActive = 1u << 0;
    static constexpr unsigned kQuitRequested = 1u << 1;
    static constexpr unsigned kNeedsRepaint = 1u << 2;

    // Sets the 1 ms timer resolution, takes the arrow cursor and registers for the engine's
    // singleton teardown.
    Win32Platform();
    // Ends the timer resolution; leaves the teardown list when deleted by someone else.
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    // Creates the per-user folder and the engine services on the two folders.
    void Setup() override;
    // Releases the engine services, then the window.
    void Cleanup() override;
    bool ActivateOtherInstance() override { return false; }
    void DestroyWindow() override;
    void RestoreIfMinimized() override;
    void SetCursorVisible(bool visible) override;
    void SetCursor(int kind) override;
    Image* GetCursorImage(int kind) override;
    Vector2<int> GetCursorHotSpot(int kind) override;
    bool IsActive() override { return mFlags & kActive; }
    bool IsQuitRequested() override { return mFlags & kQuitRequested; }
    bool HasPendingMessages() override;
    bool NeedsRepaint() override { return mFlags & kNeedsRepaint; }
    void ClearRepaint() override { mFlags &= ~kNeedsRepaint; }
    void CaptureMouse() override;
    void ReleaseMouse() override;
    void SetWindowTitle(const wchar_t*) override {}
    // Windowed mode first, so the browser is not hidden behind a full-screen game.
    void OpenURL(const std::wstring& url) override;

    // Every message of the game's window comes here from the shared window procedure.
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND GetWindow() const { return mWindow; }
    // The folder the program's file is in.
    static std::wstring GetProgramFolder();
    // The per-user folder made by Setup (empty before).
    const std::wstring& GetUserFolder() const { return mUserFolder; }
    // A client-area position in virtual-screen pixels: scaled by the display size over the
    // client size (unscaled while the client area is empty, e.g. minimised).
    POINT ToVirtualScreen(HWND window, POINT client) const;

protected:
    // Hands event to the sink while the pump runs; dropped otherwise.
    void Deliver(const InputEvent& event);
    // Shows the cursor change at once when the pointer is over the window.
    void RefreshCursor();

    HINSTANCE mInstance = nullptr;
    HWND mWindow = nullptr;
    unsigned mFlags = 0;
    IInputEventSink* mSink = nullptr;
    bool mTrackingMouse = false;
    bool mSystemCursorVisible = true;
    HCURSOR mCursor = nullptr;

private:
    class Teardown;

    LRESULT OnSetCursor(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void DeliverMouse(HWND window, std::int32_t type, std::int32_t button, LPARAM position);
    // Where the file system, the image and font factories and the network platform are set up
    // and released; they come with their own parts of the engine.
    void SetupEngineServices(const std::wstring& programFolder, const std::wstring& userFolder);
    void CleanupEngineServices();

    Teardown* mTeardown = nullptr;
    std::wstring mUserFolder;
};

// Registers the "image", "imagelist", "filmstrip" and "font" resource factories, as the platform's
// set-up does; the data checker registers the same ones. Main thread, before manifests are read.
void RegisterPlatformResourceFactories();
} // namespace Corvane
