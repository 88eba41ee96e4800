// SDL events as the desktop sends them to a window, for tests that inject input into a real
// window on SDL's headless video driver.
#pragma once

#include <SDL.h>

namespace Corvane::Testing
{
inline SDL_Event KeyEvent(Uint32 window, Uint32 type, SDL_Keycode sym, SDL_Scancode scancode, Uint16 mod = KMOD_NONE,
                          Uint8 repeat = 0)
{
    SDL_Event event{};
    event.key.type = type;
    event.key.windowID = window;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.sym = sym;
    event.key.keysym.scancode = scancode;
    event.key.keysym.mod = mod;
    return event;
}

inline SDL_Event TextEvent(Uint32 window, const char* text)
{
    SDL_Event event{};
    event.text.type = SDL_TEXTINPUT;
    event.text.windowID = window;
    SDL_strlcpy(event.text.text, text, sizeof event.text.text);
    return event;
}

inline SDL_Event MotionEvent(Uint32 window, int x, int y)
{
    SDL_Event event{};
    event.motion.type = SDL_MOUSEMOTION;
    event.motion.windowID = window;
    event.motion.x = x;
    event.motion.y = y;
    return event;
}

inline SDL_Event ButtonEvent(Uint32 window, Uint32 type, Uint8 button, int x, int y)
{
    SDL_Event event{};
    event.button.type = type;
    event.button.windowID = window;
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = x;
    event.button.y = y;
    return event;
}

inline SDL_Event WindowEvent(Uint32 window, SDL_WindowEventID id)
{
    SDL_Event event{};
    event.window.type = SDL_WINDOWEVENT;
    event.window.windowID = window;
    event.window.event = id;
    return event;
}

// precise: the amount with a fraction, as touchpads give it (0: none given).
inline SDL_Event WheelEvent(Uint32 window, int notches, float precise = 0.0f)
{
    SDL_Event event{};
    event.wheel.type = SDL_MOUSEWHEEL;
    event.wheel.windowID = window;
    event.wheel.y = notches;
    event.wheel.preciseY = precise;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    return event;
}
} // namespace Corvane::Testing
