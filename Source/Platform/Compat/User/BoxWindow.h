// The error box as a window of its own on the X display, drawn and waited for by the calling
// thread itself. Nothing outlives it and nothing waits for ever: it ends when the player answers,
// when the game is asked to end (a stop signal) and when its display goes. (SDL's box waits on a
// child process of its own, which nothing can end from here.)
#pragma once

#include <string>

namespace Compat
{
enum class BoxEnd
{
    kAnswered,    // the button, Enter, Escape or the window's close box
    kNotShown,    // no display to open, or no font on it
    kStopped,     // a stop signal came before or while it was up
    kDisplayLost, // the connection broke while it was up
};

// The game's window (its X window, 0 for none), which a box is made transient for: a window manager
// then keeps the box above it, full screen as well. Set on the window thread; boxes come on any.
void SetBoxOwner(unsigned long window);

// Caption and text in UTF-8; the text's lines are wrapped to the box's width. Blocks the calling
// thread (any thread) until the box ends.
BoxEnd ShowBoxWindow(const std::string& caption, const std::string& text);
} // namespace Compat
