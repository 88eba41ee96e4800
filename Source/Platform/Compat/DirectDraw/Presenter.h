// Showing pictures in a window through an SDL renderer and a streaming texture, and the exclusive
// full-screen state of a window. Internal to the layer.
#pragma once

#include "Platform/Compat/DirectDraw/PresentedFrame.h"

struct SDL_Renderer;

namespace Compat
{
// Shows the frame in its window (stretched over destination, client coordinates, or over the
// whole client area when destination is null) and keeps it as the last presented frame.
void PresentFrame(PresentedFrame&& frame, const RECT* destination);
// The window fills the desktop and shows width x height pixels scaled to fit; its client
// rectangle and mouse positions are in those pixels.
void EnterExclusiveMode(HWND window, int width, int height);
// Back to the window it was.
void LeaveExclusiveMode(HWND window);
// The window's renderer, made on first use; null when SDL cannot make one.
SDL_Renderer* GetWindowRenderer(HWND window);
} // namespace Compat
