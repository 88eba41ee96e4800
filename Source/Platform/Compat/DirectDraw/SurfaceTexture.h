// The copy of a surface's pixels on a window's SDL renderer: what a Direct3D device draws from
// (a texture surface) or into (its render target). Always 32-bit ARGB, whatever the surface's
// own format. Internal to the layer.
#pragma once

#include "Platform/Compat/DirectDraw/DirectDrawTypes.h"
#include "Platform/Compat/DirectDraw/Presenter.h"

#include <cstdint>
#include <vector>

namespace Compat
{
class SurfaceTexture
{
public:
    // A width x height texture on the window's renderer that a device can draw into (target) or
    // only read from; IsUsable is false when SDL cannot make it.
    SurfaceTexture(HWND window, int width, int height, bool target);
    ~SurfaceTexture();
    SurfaceTexture(const SurfaceTexture&) = delete;
    SurfaceTexture& operator=(const SurfaceTexture&) = delete;

    // Made, and its renderer (its window) still exists.
    bool IsUsable() const { return mTexture && mRenderer.Alive(); }
    bool IsTarget() const { return mTarget; }
    HWND GetWindow() const { return mWindow; }
    SDL_Renderer* GetRenderer() const { return mRenderer.renderer; }
    SDL_Texture* Get() const { return mTexture; }

    // Replaces the pixels with the surface's rows (pitch bytes apart) in format.
    void Upload(const std::uint8_t* pixels, int pitch, const DDPIXELFORMAT& format);
    // The pixels into the surface's rows in format.
    bool ReadBack(std::uint8_t* pixels, int pitch, const DDPIXELFORMAT& format) const;

private:
    HWND mWindow = nullptr;
    RendererRef mRenderer;
    SDL_Texture* mTexture = nullptr;
    int mWidth = 0;
    int mHeight = 0;
    bool mTarget = false;
};
} // namespace Compat
