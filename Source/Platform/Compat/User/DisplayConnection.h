// When the display goes away (its X server ended, the session logged out), Xlib would print a line
// and end the process in the middle of whatever call met the broken connection, before the game
// could save. Instead the loss is noted, calls on the dead connection return without effect, and
// the message pump turns the loss into a quit (MessageQueue.h); the window layer then leaves its
// windows to go with the process. Main thread.
#pragma once

#include <string>

struct SDL_Window;
struct _XDisplay;
using Display = _XDisplay;

namespace Compat
{
// Watches the connection of the window's display (an X display; other video drivers are left as
// they are). Each connection is watched once, however many windows it carries.
void WatchDisplayConnection(SDL_Window* window);
// The X window behind an SDL window; 0 on other video drivers.
unsigned long X11WindowOf(SDL_Window* window);
// Gives the window the keyboard when nobody on its X display holds it: the focus went to nobody
// with a window unmapped, and without a window manager nobody hands it on when the window is
// mapped again. False when another window has it, and on other video drivers.
bool TakeUnheldFocus(SDL_Window* window);
// Watches a connection of the program's own (the error box's, on any thread); forgotten before it
// is closed.
void WatchConnection(Display* display);
void ForgetConnection(Display* display);
// The connection of a watched display broke.
bool IsDisplayLost();
// Why the program must end, in one line; empty while the display is there.
std::string DisplayLossReason();
} // namespace Compat
