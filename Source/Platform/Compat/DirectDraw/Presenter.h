// Showing pictures in a window through its SDL renderer, and the exclusive full-screen state of a
// window. Each window has one renderer, made on first use (accelerated where the machine can,
// SDL's software renderer otherwise), which the DirectDraw presentation and the Direct3D devices
// drawing for that window share: whoever uses it sets the render target it needs. Internal to
// the layer.
#pragma once

#include "Platform/Compat/DirectDraw/PresentedFrame.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct SDL_Renderer;
struct SDL_Texture;

namespace Compat
{
// A window's renderer and a way to tell that it is gone (it goes with its window, and takes
// every texture made on it along).
struct RendererRef
{
    SDL_Renderer* renderer = nullptr;
    std::weak_ptr<void> lifetime;

    bool Alive() const { return renderer && !lifetime.expired(); }
};

// Shows a frame of width x height in window (stretched over destination, client coordinates, or
// over the whole client area when destination is null) whose rows fill writes: row y into out,
// width 0xAARRGGBB pixels whose alpha the window ignores, straight into the memory the window
// shows them from. Kept, opaque, as the last presented frame when frames are kept.
void PresentRows(HWND window, int width, int height, const std::function<void(int y, std::uint32_t* out)>& fill,
                 const RECT* destination);
// Pixels for the next frame to be presented, count of them with undefined contents: the buffer of
// the frame the last present replaced, so that presenting a frame each step allocates nothing.
std::vector<std::uint32_t> TakeFramePixels(std::size_t count);
// Shows source of texture (made on the window's renderer) in the window the same way. The last
// presented frame is read back from the renderer only when asked for.
void PresentTexture(HWND window, SDL_Texture* texture, const RECT& source, const RECT* destination);
// The window covers its display and shows width x height pixels scaled to the largest size that
// keeps their shape, centred between black bars; its client rectangle and mouse positions are in
// those pixels.
void EnterExclusiveMode(HWND window, int width, int height);
// Back to the window it was.
void LeaveExclusiveMode(HWND window);
// The window's renderer, made on first use; null when SDL cannot make one.
SDL_Renderer* GetWindowRenderer(HWND window);
RendererRef GetRendererRef(HWND window);
// Makes texture (null: the window) the renderer's target unless it already is.
void UseRenderTarget(SDL_Renderer* renderer, SDL_Texture* texture);
} // namespace Compat
