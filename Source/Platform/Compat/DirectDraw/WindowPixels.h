// A window's own pixels (SDL's window surface: on X11 memory shared with the display server) as
// the place where frames from memory are shown, for a window without an SDL renderer. A frame of
// the target's size is copied as it is; another is scaled (PictureScaler) into the target, black
// bars around it. What the window shows is remembered: a frame already shown is not shown again,
// and of a frame whose predecessor is still at hand only the part that changed is scaled and
// sent. Internal to the presenter; main thread.
#pragma once

#include "Platform/Compat/DirectDraw/PictureScaler.h"
#include "Platform/Compat/DirectDraw/Presenter.h"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace Compat
{
class WindowPixels
{
public:
    WindowPixels() = default;
    WindowPixels(const WindowPixels&) = delete;
    WindowPixels& operator=(const WindowPixels&) = delete;

    // Shows frame over target (window pixels; bars: the rest of the window black); false when the
    // window cannot show pixels of its own.
    bool Present(SDL_Window* window, const MemoryFrame& frame, const SDL_Rect& target, bool bars);
    // The window's memory for a resident (Presenter.h) of the window's whole size, null otherwise.
    std::uint8_t* Adopt(SDL_Window* window, WindowResident* resident, int width, int height, int& pitch);
    // Sends what the resident wrote to the display; false without a resident.
    bool ShowResident(SDL_Window* window, WindowResident* resident);
    // The resident's pixels, else null (pitch out).
    const std::uint8_t* ResidentPixels(WindowResident* resident, int& pitch) const;
    void Forget(WindowResident* resident);
    // The display server lost what the window showed (it was covered, unmapped, ...): the next
    // present sends the whole window, bars and all, even a frame already shown.
    void Lost() { mIntact = false; }
    // The resident leaves and what the window shows is forgotten: before its memory changes or
    // goes (a renderer is made for it, it changes mode, it is destroyed).
    void Release();

private:
    // The window's surface at the window's size, or null; a resident leaves first when the size
    // changed (SDL frees the old memory when it makes the new).
    SDL_Surface* Surface(SDL_Window* window);
    // The source pixels of frame: in place, or its rows converted into memory of this object's.
    const std::uint8_t* SourceOf(const MemoryFrame& frame, int& pitch);
    // Scales the part of frame that differs from what the window shows into target (clipped to
    // the surface); the window pixels written, empty when none.
    SDL_Rect Scale(SDL_Surface* surface, const MemoryFrame& frame, const SDL_Rect& target, bool intact);

    SDL_Surface* mSurface = nullptr;
    int mWidth = 0;
    int mHeight = 0;
    WindowResident* mResident = nullptr;
    std::unique_ptr<PictureScaler> mScaler;
    std::vector<std::uint32_t> mConverted;
    // What the window shows: the frame of mShownVersion (0: unknown) over mShownArea, its bars
    // painted.
    bool mIntact = false;
    std::uint64_t mShownVersion = 0;
    SDL_Rect mShownArea{0, 0, 0, 0};
};
} // namespace Compat
