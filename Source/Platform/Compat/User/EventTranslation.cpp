#include "Platform/Compat/User/EventTranslation.h"

#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/DirectDraw/Presenter.h"
#include "Platform/Compat/User/Cursor.h"
#include "Platform/Compat/User/DisplayConnection.h"
#include "Platform/Compat/User/MessageQueue.h"
#include "Platform/Compat/User/Messages.h"
#include "Platform/Compat/User/VirtualKeys.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Compat/User/WindowObject.h"
#include "Utf8.h"

#include <algorithm>
#include <map>
#include <utility>

namespace Compat
{
namespace
{
HWND TargetOf(Uint32 windowId)
{
    if (HWND window = WindowFromSdlId(windowId))
        return window;
    return MainWindow(); // events injected without a window go to the game's window
}

// A key held while the game's window is made again (Alt+Enter does that as the key goes down): SDL
// lets go of the keys of the window that went, but the player did not, and the held key goes on
// repeating into the new window once it has the keyboard. That is the same press held, so it
// arrives as a repeat, which switches nothing a second time. A key let go of meanwhile is
// forgotten after a while.
constexpr Uint32 kHeldKeyRepeatsWithin = 1000; // ms; desktops start repeating a held key sooner

std::map<SDL_Scancode, Uint32>& KeysLeftByGoneWindows()
{
    static std::map<SDL_Scancode, Uint32> keys;
    return keys;
}

Uint32 gKeyboardCameAt = 0; // when a window of the game last took the keyboard

void PostKey(HWND window, const SDL_KeyboardEvent& key, bool windowGone)
{
    const WPARAM vk = VirtualKeyFromSdl(key.keysym);
    if (vk == 0)
        return;
    const bool down = key.type == SDL_KEYDOWN;
    const SDL_Scancode code = key.keysym.scancode;
    auto& left = KeysLeftByGoneWindows();
    if (windowGone && !down)
    {
        left[code] = key.timestamp;
        return;
    }
    bool held = false;
    if (const auto found = left.find(code); found != left.end())
    {
        held = down && key.timestamp - std::max(found->second, gKeyboardCameAt) < kHeldKeyRepeatsWithin;
        left.erase(found);
    }
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0 || vk == VK_MENU;
    LPARAM lParam = 1 | (static_cast<LPARAM>(key.keysym.scancode & 0xFF) << 16);
    if (alt)
        lParam |= KF_ALTDOWN_BIT;
    if (!down || key.repeat || held)
        lParam |= KF_REPEAT_BIT;
    if (!down)
        lParam |= KF_UP_BIT;
    const UINT message = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    PostToWindow(window, message, vk, lParam);
}

void PostText(HWND window, const char* text)
{
    const bool alt = (SDL_GetModState() & KMOD_ALT) != 0;
    const char* p = text;
    const char* end = text + SDL_strlen(text);
    while (p < end)
    {
        const std::uint32_t cp = Corvane::Utf8::Decode(p, end);
        if (cp >= 32 && cp != 127) // control characters come from TranslateMessage
            PostToWindow(window, alt ? WM_SYSCHAR : WM_CHAR, cp, 1);
    }
}

WPARAM ButtonState()
{
    const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
    return ((buttons & SDL_BUTTON_LMASK) ? 0x1 : 0) | ((buttons & SDL_BUTTON_RMASK) ? 0x2 : 0);
}

void PostButton(HWND window, const SDL_MouseButtonEvent& button)
{
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    UINT message;
    switch (button.button)
    {
    case SDL_BUTTON_LEFT: message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
    case SDL_BUTTON_RIGHT: message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
    case SDL_BUTTON_MIDDLE: message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
    default: return;
    }
    window->lastMouse = ClientFromWindowPosition(window, button.x, button.y);
    PostToWindow(window, message, ButtonState(), MAKELPARAM(window->lastMouse.x, window->lastMouse.y));
}

// The pointer moved to (x, y) of the SDL window.
void PostMotion(HWND window, int x, int y)
{
    window->lastMouse = ClientFromWindowPosition(window, x, y);
    NoteCursorPosition(window, window->lastMouse);
    // The cursor is chosen before the move arrives, as the desktop does.
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    PostToWindow(window, WM_MOUSEMOVE, ButtonState(), MAKELPARAM(window->lastMouse.x, window->lastMouse.y));
}

void PostWheel(HWND window, const SDL_MouseWheelEvent& wheel)
{
    // Touchpads scroll in fractions of a notch: they add up until they make whole notches. A turn
    // the other way starts afresh.
    float amount = wheel.preciseY != 0.0f ? wheel.preciseY : static_cast<float>(wheel.y);
    if (wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
        amount = -amount;
    if ((amount > 0.0f && window->wheelRemainder < 0.0f) || (amount < 0.0f && window->wheelRemainder > 0.0f))
        window->wheelRemainder = 0.0f;
    window->wheelRemainder += amount;
    const int notches = static_cast<int>(window->wheelRemainder);
    if (notches == 0)
        return;
    window->wheelRemainder -= static_cast<float>(notches);
    POINT screen = window->lastMouse;
    ClientToScreen(window, &screen);
    PostToWindow(window, WM_MOUSEWHEEL, MAKEWPARAM(0, notches * WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
}

// Where a key sits, for keys whose symbol the key table does not know (letters of other layouts).
WPARAM VirtualKeyFromScancode(SDL_Scancode code)
{
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z)
        return 'A' + static_cast<WPARAM>(code - SDL_SCANCODE_A);
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9)
        return '1' + static_cast<WPARAM>(code - SDL_SCANCODE_1);
    switch (code)
    {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_MINUS: return VK_OEM_MINUS;
    case SDL_SCANCODE_EQUALS: return VK_OEM_PLUS;
    case SDL_SCANCODE_LEFTBRACKET: return VK_OEM_4;
    case SDL_SCANCODE_RIGHTBRACKET: return VK_OEM_6;
    case SDL_SCANCODE_BACKSLASH:
    case SDL_SCANCODE_NONUSHASH: return VK_OEM_5;
    case SDL_SCANCODE_SEMICOLON: return VK_OEM_1;
    case SDL_SCANCODE_APOSTROPHE: return VK_OEM_7;
    case SDL_SCANCODE_GRAVE: return VK_OEM_3;
    case SDL_SCANCODE_COMMA: return VK_OEM_COMMA;
    case SDL_SCANCODE_PERIOD: return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH: return VK_OEM_2;
    case SDL_SCANCODE_NONUSBACKSLASH: return VK_OEM_102;
    default: return 0;
    }
}

// The edge (or corner) of a user's resize, from the outer rectangle before and after it: a side
// whose opposite side stayed put is the one that moved.
WPARAM SizingEdge(const RECT& before, const RECT& after)
{
    const bool wider = after.right - after.left != before.right - before.left;
    const bool taller = after.bottom - after.top != before.bottom - before.top;
    const bool left = wider && after.left != before.left;
    const bool top = taller && after.top != before.top;
    if (wider && taller)
        return top ? (left ? WMSZ_TOPLEFT : WMSZ_TOPRIGHT) : (left ? WMSZ_BOTTOMLEFT : WMSZ_BOTTOMRIGHT);
    if (wider)
        return left ? WMSZ_LEFT : WMSZ_RIGHT;
    if (taller)
        return top ? WMSZ_TOP : WMSZ_BOTTOM;
    return 0;
}

// The user resized the window: let the game correct the outer rectangle for the edge that moved,
// then report the size.
void OfferSizing(HWND window)
{
    RECT outer{0, 0, 0, 0};
    GetWindowRect(window, &outer);
    const RECT proposed = outer;
    if (window->logicalWidth > 0)
    {
        // A display mode's window follows the display, not the user: nothing to correct.
        window->sizingPending = false;
        window->sizedOuter = proposed;
        return;
    }
    // Measured from where the resize started, however many steps it took.
    const WPARAM edge = SizingEdge(window->sizedOuter, proposed);
    if (edge == 0)
    {
        window->sizingPending = false;
        return; // the size the window was given, come back
    }
    if (SDL_GetGlobalMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK)
    {
        // The window manager is still dragging the frame: correcting now would fight it.
        window->sizingPending = true;
        return;
    }
    window->sizingPending = false;
    window->sizedOuter = proposed;
    if (!SendMessageW(window, WM_SIZING, edge, reinterpret_cast<LPARAM>(&outer)))
        return;
    const bool moved = outer.left != proposed.left || outer.top != proposed.top;
    const bool sized = outer.right - outer.left != proposed.right - proposed.left ||
                       outer.bottom - outer.top != proposed.bottom - proposed.top;
    if (moved || sized)
        SetWindowPos(window, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOZORDER | (moved ? 0 : SWP_NOMOVE));
}

void PostSize(HWND window, WPARAM type)
{
    RECT client{0, 0, 0, 0};
    GetClientRect(window, &client);
    PostToWindow(window, WM_SIZE, type, MAKELPARAM(client.right, client.bottom));
}

// Whether the display server may have dropped what the window showed: it was uncovered, mapped
// again, restored, given or robbed of the keyboard (a screen locker, another full-screen window),
// or moved to another display.
bool LosesPicture(Uint8 event)
{
    switch (event)
    {
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_DISPLAY_CHANGED: return true;
    default: return false;
    }
}

void PostWindowEvent(HWND window, const SDL_WindowEvent& event)
{
    if (LosesPicture(event.event))
        ForgetShownPicture(window);
    switch (event.event)
    {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        gKeyboardCameAt = event.timestamp;
        window->focusLost = false;
        PostToWindow(window, WM_ACTIVATE, WA_ACTIVE, 0);
        PostToWindow(window, WM_ACTIVATEAPP, TRUE, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        window->focusLost = true;
        PostToWindow(window, WM_ACTIVATE, WA_INACTIVE, 0);
        PostToWindow(window, WM_ACTIVATEAPP, FALSE, 0);
        break;
    case SDL_WINDOWEVENT_EXPOSED: PostToWindow(window, WM_PAINT, 0, 0); break;
    case SDL_WINDOWEVENT_SHOWN:
        // Shown again (restored) is brought to the front, as on the desktop the game was made for.
        if (window->focusLost)
            TakeUnheldFocus(window->sdl);
        break;
    case SDL_WINDOWEVENT_ENTER: window->pointerEntered = true; break;
    case SDL_WINDOWEVENT_LEAVE:
        if (window->leaveTracking)
        {
            window->leaveTracking = false;
            PostToWindow(window, WM_MOUSELEAVE, 0, 0);
        }
        break;
    case SDL_WINDOWEVENT_CLOSE: PostCloseRequest(window); break;
    case SDL_WINDOWEVENT_RESIZED: OfferSizing(window); break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: PostSize(window, SIZE_RESTORED); break;
    case SDL_WINDOWEVENT_MINIMIZED:
        window->minimized = true;
        PostSize(window, SIZE_MINIMIZED);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        window->minimized = false;
        PostSize(window, SIZE_RESTORED);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        window->minimized = false;
        // The window manager has maximised already; the game hears it as the maximise command.
        PostToWindow(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        PostSize(window, SIZE_MAXIMIZED);
        break;
    default: break;
    }
}
} // namespace

void FinishUserSizing()
{
    if (SDL_GetGlobalMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK)
        return;
    for (HWND window : LocalWindows())
        if (window->sizingPending)
            OfferSizing(window);
}

void FinishPointerEntries()
{
    for (HWND window : LocalWindows())
    {
        if (!std::exchange(window->pointerEntered, false))
            continue;
        int x = 0, y = 0, left = 0, top = 0;
        SDL_GetGlobalMouseState(&x, &y);
        SDL_GetWindowPosition(window->sdl, &left, &top);
        PostMotion(window, x - left, y - top);
    }
}

void TranslateEvent(const SDL_Event& event)
{
    switch (event.type)
    {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (HWND window = TargetOf(event.key.windowID))
            PostKey(window, event.key, event.key.windowID != 0 && !WindowFromSdlId(event.key.windowID));
        break;
    case SDL_TEXTINPUT:
        if (HWND window = TargetOf(event.text.windowID))
            PostText(window, event.text.text);
        break;
    case SDL_MOUSEMOTION:
        if (HWND window = TargetOf(event.motion.windowID))
            PostMotion(window, event.motion.x, event.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (HWND window = TargetOf(event.button.windowID))
            PostButton(window, event.button);
        break;
    case SDL_MOUSEWHEEL:
        if (HWND window = TargetOf(event.wheel.windowID))
            PostWheel(window, event.wheel);
        break;
    case SDL_WINDOWEVENT:
        if (HWND window = WindowFromSdlId(event.window.windowID))
            PostWindowEvent(window, event.window);
        break;
    case SDL_DISPLAYEVENT:
        // A display came, went or turned: the displays set up before it are in the wrong mode.
        NoteDisplayChange();
        for (HWND window : LocalWindows())
            ForgetShownPicture(window);
        break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        // The renderer lost what the device drew (and, reset, every texture): a device loss.
        ForgetRenderedPixels(event.type == SDL_RENDER_DEVICE_RESET);
        break;
    case SDL_QUIT:
        // The session ending: ask the game's window to close, as its close box would.
        PostCloseRequest(MainWindow());
        break;
    default: break;
    }
}

WPARAM VirtualKeyFromSdl(const SDL_Keysym& key)
{
    const SDL_Keycode code = key.sym;
    if (code >= 'a' && code <= 'z')
        return static_cast<WPARAM>(code - 'a' + 'A');
    if (code >= '0' && code <= '9')
        return static_cast<WPARAM>(code);
    if (code >= SDLK_F1 && code <= SDLK_F12)
        return VK_F1 + static_cast<WPARAM>(code - SDLK_F1);
    if (code >= SDLK_F13 && code <= SDLK_F16)
        return VK_F1 + 12 + static_cast<WPARAM>(code - SDLK_F13);
    if (key.scancode >= SDL_SCANCODE_KP_1 && key.scancode <= SDL_SCANCODE_KP_9)
        return VK_NUMPAD0 + 1 + static_cast<WPARAM>(key.scancode - SDL_SCANCODE_KP_1);
    switch (code)
    {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_CLEAR: return VK_CLEAR;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_PRINTSCREEN: return VK_SNAPSHOT;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_LGUI: return VK_LWIN;
    case SDLK_RGUI: return VK_RWIN;
    case SDLK_APPLICATION: return VK_APPS;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDLK_SCROLLLOCK: return VK_SCROLL;
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_EQUALS: return VK_OEM_PLUS;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_QUOTE: return VK_OEM_7;
    default: return VirtualKeyFromScancode(key.scancode);
    }
}
} // namespace Compat
