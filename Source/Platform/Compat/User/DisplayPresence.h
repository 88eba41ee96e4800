// Whether the program has a screen to show things on.
#pragma once

#include <string>

namespace Compat
{
// True for SDL's video drivers that have no screen (the dummy and offscreen drivers).
bool IsScreenlessDriver(const char* driver);
// Before video starts: a display is named in the environment and SDL is not told to do without.
bool HasDisplay();
// The drivers SDL may try when the environment asks for none: X11, and Wayland where a Wayland
// display is named. Never one without a screen, which SDL would fall back to when the display
// cannot be opened, leaving the game running where nobody sees it.
const char* WindowSystemDrivers();
// Why no screen could be had, to follow the program's name: the display the environment names
// could not be opened, or none is named.
std::string WhyNoDisplay();
} // namespace Compat
