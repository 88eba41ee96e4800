#include "Platform/Compat/DirectDraw/WindowPixels.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace Compat
{
namespace
{
bool SameRect(const SDL_Rect& a, const SDL_Rect& b)
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

std::uint32_t PixelAt(const std::uint8_t* row, int x)
{
    std::uint32_t pixel;
    std::memcpy(&pixel, row + std::size_t(x) * 4, 4);
    return pixel;
}

// The smallest rectangle holding every pixel where two frames of one size and pitch differ;
// empty when they are the same.
RECT Changed(const std::uint8_t* now, const std::uint8_t* before, int pitch, int width, int height)
{
    RECT changed{width, height, 0, 0};
    const std::size_t bytes = std::size_t(width) * 4;
    for (int y = 0; y < height; ++y)
    {
        const std::uint8_t* a = now + std::size_t(y) * std::size_t(pitch);
        const std::uint8_t* b = before + std::size_t(y) * std::size_t(pitch);
        if (std::memcmp(a, b, bytes) == 0)
            continue;
        int first = 0, last = width - 1;
        while (PixelAt(a, first) == PixelAt(b, first))
            ++first;
        while (PixelAt(a, last) == PixelAt(b, last))
            --last;
        changed.left = std::min<LONG>(changed.left, first);
        changed.right = std::max<LONG>(changed.right, last + 1);
        changed.top = std::min<LONG>(changed.top, y);
        changed.bottom = y + 1;
    }
    return changed.left < changed.right ? changed : RECT{0, 0, 0, 0};
}
} // namespace

SDL_Surface* WindowPixels::Surface(SDL_Window* window)
{
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    if (mSurface && (width != mWidth || height != mHeight))
        Release();
    // SDL would otherwise show the surface through a GL texture of its own where it has GL: a
    // renderer on the window after all, and the GL driver loaded. The display server's shared
    // memory shows it for less.
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    const SDL_PixelFormat* format = surface ? surface->format : nullptr;
    if (!format || format->BytesPerPixel != 4 || format->Rmask != 0xFF0000u || format->Gmask != 0xFF00u ||
        format->Bmask != 0xFFu)
        return nullptr;
    if (surface != mSurface)
    {
        mIntact = false;
        mSurface = surface;
    }
    mWidth = width;
    mHeight = height;
    return surface;
}

const std::uint8_t* WindowPixels::SourceOf(const MemoryFrame& frame, int& pitch)
{
    if (frame.pixels)
    {
        pitch = frame.pitch;
        return frame.pixels;
    }
    mConverted.resize(std::size_t(frame.width) * std::size_t(frame.height));
    for (int y = 0; y < frame.height; ++y)
        frame.Row(y, mConverted.data() + std::size_t(y) * std::size_t(frame.width));
    pitch = frame.width * 4;
    return reinterpret_cast<const std::uint8_t*>(mConverted.data());
}

SDL_Rect WindowPixels::Scale(SDL_Surface* surface, const MemoryFrame& frame, const SDL_Rect& target, bool intact)
{
    if (!mScaler || mScaler->SourceWidth() != frame.width || mScaler->SourceHeight() != frame.height ||
        mScaler->TargetWidth() != target.w || mScaler->TargetHeight() != target.h)
        mScaler = std::make_unique<PictureScaler>(frame.width, frame.height, target.w, target.h);
    RECT area{0, 0, target.w, target.h};
    if (intact && frame.version && frame.version == mShownVersion)
        return {0, 0, 0, 0};
    if (intact && frame.pixels && frame.previous && frame.previousVersion && frame.previousVersion == mShownVersion)
        area = mScaler->TargetOf(Changed(frame.pixels, frame.previous, frame.pitch, frame.width, frame.height));
    // Only what lies on the surface.
    area.left = std::max<LONG>(area.left, -target.x);
    area.top = std::max<LONG>(area.top, -target.y);
    area.right = std::min<LONG>(area.right, surface->w - target.x);
    area.bottom = std::min<LONG>(area.bottom, surface->h - target.y);
    if (area.left >= area.right || area.top >= area.bottom)
        return {0, 0, 0, 0};
    int pitch = 0;
    const std::uint8_t* source = SourceOf(frame, pitch);
    auto* pixels = static_cast<std::uint8_t*>(surface->pixels);
    const std::ptrdiff_t origin = std::ptrdiff_t(target.y) * surface->pitch + std::ptrdiff_t(target.x) * 4;
    mScaler->Scale(source, pitch, pixels + origin, surface->pitch, area);
    return {target.x + int(area.left), target.y + int(area.top), int(area.right - area.left),
            int(area.bottom - area.top)};
}

bool WindowPixels::Present(SDL_Window* window, const MemoryFrame& frame, const SDL_Rect& target, bool bars)
{
    SDL_Surface* surface = Surface(window);
    if (!surface)
        return false;
    if (WindowResident* resident = std::exchange(mResident, nullptr))
        resident->LeaveWindow();
    const bool intact = mIntact && SameRect(target, mShownArea);
    if (!intact && bars)
        SDL_FillRect(surface, nullptr, 0);
    SDL_Rect written{0, 0, 0, 0};
    if (target.w != frame.width || target.h != frame.height)
        written = Scale(surface, frame, target, intact);
    else if (!intact || !frame.version || frame.version != mShownVersion)
    {
        SDL_Rect visible{0, 0, surface->w, surface->h};
        SDL_IntersectRect(&target, &visible, &written);
        auto* pixels = static_cast<std::uint8_t*>(surface->pixels);
        const bool whole = SameRect(written, target);
        // Rows that fill writes go straight into the window when all of them fit.
        int pitch = 0;
        const std::uint8_t* source = whole && !frame.pixels ? nullptr : SourceOf(frame, pitch);
        for (int y = written.y; y < written.y + written.h; ++y)
        {
            std::uint8_t* out = pixels + std::size_t(y) * std::size_t(surface->pitch) + std::size_t(written.x) * 4;
            if (!source)
                frame.Row(y - target.y, reinterpret_cast<std::uint32_t*>(out));
            else
                std::memcpy(out,
                            source + std::size_t(y - target.y) * std::size_t(pitch) +
                                std::size_t(written.x - target.x) * 4,
                            std::size_t(written.w) * 4);
        }
    }
    if (!intact && bars)
        SDL_UpdateWindowSurface(window);
    else if (written.w > 0 && written.h > 0)
        SDL_UpdateWindowSurfaceRects(window, &written, 1);
    mIntact = true;
    mShownArea = target;
    mShownVersion = frame.version;
    return true;
}

std::uint8_t* WindowPixels::Adopt(SDL_Window* window, WindowResident* resident, int width, int height, int& pitch)
{
    SDL_Surface* surface = Surface(window);
    if (!surface || surface->w != width || surface->h != height)
        return nullptr;
    if (mResident != resident)
        if (WindowResident* other = std::exchange(mResident, nullptr))
            other->LeaveWindow();
    mResident = resident;
    // The resident writes without telling which frame it shows.
    mShownVersion = 0;
    pitch = surface->pitch;
    return static_cast<std::uint8_t*>(surface->pixels);
}

bool WindowPixels::ShowResident(SDL_Window* window, WindowResident* resident)
{
    if (!resident || mResident != resident || !Surface(window) || mResident != resident)
        return false;
    mIntact = true;
    mShownArea = {0, 0, mSurface->w, mSurface->h};
    mShownVersion = 0;
    SDL_UpdateWindowSurface(window);
    return true;
}

const std::uint8_t* WindowPixels::ResidentPixels(WindowResident* resident, int& pitch) const
{
    if (!resident || resident != mResident || !mSurface)
        return nullptr;
    pitch = mSurface->pitch;
    return static_cast<const std::uint8_t*>(mSurface->pixels);
}

void WindowPixels::Forget(WindowResident* resident)
{
    if (mResident == resident)
        mResident = nullptr;
}

void WindowPixels::Release()
{
    if (WindowResident* resident = std::exchange(mResident, nullptr))
        resident->LeaveWindow();
    mSurface = nullptr;
    mIntact = false;
}
} // namespace Compat
