// What both renderers do with the display device at the start of a frame, and how they reach it.
// Main thread.
#pragma once

namespace Corvane
{
class CDisplay;

namespace Internal
{
// The engine-wide display; throws RuntimeError with message and function when there is none.
CDisplay& RequireDisplay(const char* message, const char* function);
// 0 after clearing the display and beginning its scene; 1 to skip the frame while the window is
// minimised, while another program holds the screen (after waiting 50 ms for it), after a lost
// surface (which the display restored) and after the display mode changed under it (the display
// is then set up again, which replaces the renderer: the caller must not touch itself). Throws
// Win32::Win32Error with function on any other failure.
int BeginDisplayFrame(CDisplay& display, const char* function);
} // namespace Internal
} // namespace Corvane
