// Showing pictures in a window, and the exclusive full-screen state of a window. A window shows
// frames from memory in its own pixels (SDL's window surface) until something asks for its SDL
// renderer; from then on everything it shows goes through that renderer (made on first use:
// accelerated where the machine can, SDL's software renderer otherwise), which the DirectDraw
// presentation and the Direct3D devices drawing for that window share: whoever uses it sets the
// render target it needs. One window never uses both. Internal to the layer.
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

// A frame from memory to show: rows of 32-bit pixels with 8-8-8 RGB in their low bytes read where
// they are (pixels, pitch bytes apart), or else rows that fill writes as 0xAARRGGBB (alpha is
// ignored). Frames of one non-zero version are one picture. previous, when not null, holds the
// frame of previousVersion in the same size and pitch: presenting it again, only what changed is
// shown anew.
struct MemoryFrame
{
    int width = 0;
    int height = 0;
    const std::uint8_t* pixels = nullptr;
    int pitch = 0;
    std::function<void(int y, std::uint32_t* out)> fill;
    std::uint64_t version = 0;
    const std::uint8_t* previous = nullptr;
    std::uint64_t previousVersion = 0;

    // Row y as 32-bit pixels into out (width of them).
    void Row(int y, std::uint32_t* out) const;
};

// Shows frame in window, stretched over destination (client coordinates) or, when destination is
// null, over the window's picture area (the whole client area, or a display mode's picture scaled
// to fit between black bars). A window that no Direct3D device draws for shows it from its own
// pixels (SDL's window surface, no renderer: scaled by PictureScaler), any other through a
// streaming texture on its renderer. Kept, opaque, as the last presented frame when frames are
// kept.
void PresentFrame(HWND window, const MemoryFrame& frame, const RECT* destination);
// Pixels for the next frame to be presented, count of them with undefined contents: the buffer of
// the frame the last present replaced, so that presenting a frame each step allocates nothing.
std::vector<std::uint32_t> TakeFramePixels(std::size_t count);

// A surface whose pixels may live in a window's own memory: shown there as they are over the whole
// window, they need no copy to be shown again. The window hands them back (LeaveWindow: the
// surface copies them into memory of its own) before anything else is shown in it, before its
// memory changes size or goes, and before a renderer is made for it.
class WindowResident
{
public:
    virtual void LeaveWindow() = 0;

protected:
    ~WindowResident() = default;
};
// The window's own memory for width x height 32-bit pixels (pitch bytes apart) when it shows them
// from there, unscaled, over its whole client area: resident's from now on, with what the window
// shows now in it. Null when the window has a renderer or another size, or is scaled.
std::uint8_t* AdoptWindowPixels(HWND window, WindowResident* resident, int width, int height, int& pitch);
// Shows what resident, the window's resident, wrote into the window's memory (kept as the last
// presented frame like any other); false when it is not the window's resident (any more).
bool PresentWindowPixels(HWND window, WindowResident* resident);
// The resident is going: window forgets it.
void ForgetWindowResident(HWND window, WindowResident* resident);
// The display lost what the window shows (uncovered, mapped again, restored, its display changed):
// the next present sends the whole window with its bars, even a frame it has shown already.
void ForgetShownPicture(HWND window);

// Shows source of texture (made on the window's renderer) in the window the same way. The last
// presented frame is read back from the renderer only when asked for.
void PresentTexture(HWND window, SDL_Texture* texture, const RECT& source, const RECT* destination);
// The window covers its display and shows width x height pixels scaled to the largest size that
// keeps their shape, centred between black bars; its client rectangle and mouse positions are in
// those pixels.
void EnterExclusiveMode(HWND window, int width, int height);
// Back to the window it was.
void LeaveExclusiveMode(HWND window);
// The window's renderer, made on first use (the window then no longer shows its own pixels); null
// when SDL cannot make one.
SDL_Renderer* GetWindowRenderer(HWND window);
RendererRef GetRendererRef(HWND window);
// Makes texture (null: the window) the renderer's target unless it already is.
void UseRenderTarget(SDL_Renderer* renderer, SDL_Texture* texture);
} // namespace Compat
