// Whether the program has a screen to show things on.
#pragma once

namespace Compat
{
// True for SDL's video drivers that have no screen (the dummy and offscreen drivers).
bool IsScreenlessDriver(const char* driver);
// Before video starts: a display is named in the environment and SDL is not told to do without.
bool HasDisplay();
} // namespace Compat
