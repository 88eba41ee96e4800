// The operating-system platform: the window, the cursor, mouse capture and the message pump that
// turns window messages into input events. One object, stored engine-wide by its constructor and
// released by its destructor. Everything here runs on the main thread (the thread that created
// the window).
#pragma once

#include "EngineWide.h"
#include "Framework/IGraphicsPlatform.h"
#include "Graphics/Vector2.h"

#include <cstdint>
#include <string>

namespace Corvane
{
class Image;

// One input event. Types: see the constants below. x, y: the mouse position in virtual-screen
// pixels. code: the virtual-key code, the mouse button (0 left, 1 right) or the signed wheel
// delta. extra: 120 per notch for a wheel event; for a character event the address of the
// zero-terminated wide text of the character, valid during the call only, which is why the field
// is pointer-sized.
struct InputEvent
{
    std::int32_t type = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t code = 0;
    std::intptr_t extra = 0;

    static constexpr std::int32_t kMouseMove = 0;
    static constexpr std::int32_t kButtonUp = 1;
    static constexpr std::int32_t kButtonDown = 2;
    static constexpr std::int32_t kKeyUp = 3;
    static constexpr std::int32_t kKeyDown = 4;
    static constexpr std::int32_t kMouseLeave = 5;
    static constexpr std::int32_t kActivated = 6;
    static constexpr std::int32_t kDeactivated = 7;
    static constexpr std::int32_t kCharacter = 8;
    static constexpr std::int32_t kWheel = 9;

    // A character event carrying text (which must outlive the delivery).
    static InputEvent Character(const wchar_t* text)
    {
        InputEvent event;
        event.type = kCharacter;
        event.extra = reinterpret_cast<std::intptr_t>(text);
        return event;
    }
    // The text of a character event; an empty text for any other event or a missing text.
    const wchar_t* GetText() const
    {
        const auto* text = type == kCharacter ? reinterpret_cast<const wchar_t*>(extra) : nullptr;
        return text ? text : L"";
    }
};

// Receives the input events of one HandleEvents call, synchronously.
class IInputEventSink
{
public:
    virtual void OnInputEvent(const InputEvent& event) = 0;

protected:
    ~IInputEventSink() = default;
};

class IPlatform
{
public:
    // Clears the engine-wide pointer when it still points here.
    virtual ~IPlatform() { ReleaseInstance(this); }
    // Prepares the platform: file system, resource factories, the single-instance guard and the
    // window class. Throws RuntimeError on failure.
    virtual void Setup() = 0;
    // Releases what Setup made, the window included.
    virtual void Cleanup() = 0;
    // True when another instance of the program runs (its window, when found, is brought to the
    // front): this one should end without running its loop.
    virtual bool ActivateOtherInstance() = 0;
    // Creates and shows the window for settings. Throws RuntimeError "Could not create a window."
    virtual void CreateWindow(const DisplaySettings& settings) = 0;
    // Destroys the window when there is one.
    virtual void DestroyWindow() = 0;
    // Restores the window when it is minimised.
    virtual void RestoreIfMinimized() = 0;
    // Shows or hides the system cursor over the window.
    virtual void SetCursorVisible(bool visible) = 0;
    // Sets the system cursor: 1 arrow, 2 four-way move, 3 to 8 sizing arrows; any other kind
    // hides the pointer over the window.
    virtual void SetCursor(int kind) = 0;
    // The image of a cursor kind (owned by the platform), or null.
    virtual Image* GetCursorImage(int kind) = 0;
    // The hot spot of a cursor kind's image, in its pixels.
    virtual Vector2<int> GetCursorHotSpot(int kind) = 0;
    // Throws RuntimeError "<product> requires a screen resolution of <w>x<h>." when the screen is
    // smaller than the settings ask.
    virtual void GetSupportedWindowConfig(const DisplaySettings& settings) = 0;
    // The window is the active one.
    virtual bool IsActive() = 0;
    // The message queue received its quit message.
    virtual bool IsQuitRequested() = 0;
    // A message waits for this thread.
    virtual bool HasPendingMessages() = 0;
    // A repaint was asked for since the last ClearRepaint.
    virtual bool NeedsRepaint() = 0;
    virtual void ClearRepaint() = 0;
    // Dispatches at most 16 waiting messages, handing input events to sink at once. Throws
    // RuntimeError "Could not process messages for a window." when retrieval fails.
    virtual void HandleEvents(IInputEventSink* sink) = 0;
    // Blocks until a message arrives.
    virtual void WaitForMessage() = 0;
    // Captures the mouse to the window (it keeps receiving mouse events outside it).
    virtual void CaptureMouse() = 0;
    // Releases the mouse capture.
    virtual void ReleaseMouse() = 0;
    // Sets the window's title text.
    virtual void SetWindowTitle(const wchar_t* title) = 0;
    // Switches to windowed mode, then opens url in the user's browser.
    virtual void OpenURL(const std::wstring& url) = 0;

    static IPlatform* GetInstance() { return Internal::EngineWide<IPlatform>::Get(); }
    static void ReleaseInstance(IPlatform* instance) { Internal::EngineWide<IPlatform>::Release(instance); }

protected:
    // Implementations store themselves as the engine's platform.
    IPlatform() { Internal::EngineWide<IPlatform>::Set(this); }
};

// Creates the application platform, which stores itself engine-wide. Defined by the platform
// library.
IPlatform* CreatePlatform();
} // namespace Corvane
