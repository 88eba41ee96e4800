#include "Platform/Compat/DirectDraw/SurfaceTexture.h"

#include "Platform/Compat/DirectDraw/PixelFormat.h"

#include <SDL.h>

namespace Compat
{
namespace
{
// 8-8-8-8 ARGB in 32 bits: the texture's own layout, copied as it is.
bool IsArgb8888(const DDPIXELFORMAT& format)
{
    return format.dwRGBBitCount == 32 && format.dwRBitMask == 0xFF0000 && format.dwGBitMask == 0xFF00 &&
           format.dwBBitMask == 0xFF && format.dwRGBAlphaBitMask == 0xFF000000u;
}
} // namespace

SurfaceTexture::SurfaceTexture(HWND window, int width, int height, bool target)
    : mWindow(window), mRenderer(GetRendererRef(window)), mWidth(width), mHeight(height), mTarget(target)
{
    if (!mRenderer.Alive() || width <= 0 || height <= 0)
        return;
    mTexture = SDL_CreateTexture(mRenderer.renderer, SDL_PIXELFORMAT_ARGB8888,
                                 target ? SDL_TEXTUREACCESS_TARGET : SDL_TEXTUREACCESS_STATIC, width, height);
}

SurfaceTexture::~SurfaceTexture()
{
    // A renderer that is gone has destroyed its textures itself.
    if (IsUsable())
        SDL_DestroyTexture(mTexture);
}

void SurfaceTexture::Upload(const std::uint8_t* pixels, int pitch, const DDPIXELFORMAT& format)
{
    if (!IsUsable() || !pixels)
        return;
    if (IsArgb8888(format))
    {
        SDL_UpdateTexture(mTexture, nullptr, pixels, pitch);
        return;
    }
    // Other layouts are opaque: the display's formats and the textures without alpha.
    std::vector<std::uint32_t> argb(std::size_t(mWidth) * mHeight);
    const ArgbConverter converter(format);
    for (int y = 0; y < mHeight; ++y)
        converter.Row(pixels + std::size_t(y) * pitch, mWidth, argb.data() + std::size_t(y) * mWidth);
    SDL_UpdateTexture(mTexture, nullptr, argb.data(), mWidth * 4);
}

bool SurfaceTexture::ReadBack(std::uint8_t* pixels, int pitch, const DDPIXELFORMAT& format) const
{
    if (!IsUsable() || !mTarget || !pixels)
        return false;
    SDL_Renderer* renderer = mRenderer.renderer;
    SDL_Texture* previous = SDL_GetRenderTarget(renderer);
    std::vector<std::uint32_t> argb(std::size_t(mWidth) * mHeight);
    UseRenderTarget(renderer, mTexture);
    const SDL_Rect whole{0, 0, mWidth, mHeight};
    const bool read = SDL_RenderReadPixels(renderer, &whole, SDL_PIXELFORMAT_ARGB8888, argb.data(), mWidth * 4) == 0;
    UseRenderTarget(renderer, previous);
    if (!read)
        return false;
    const int bytes = BytesPerPixel(format);
    for (int y = 0; y < mHeight; ++y)
    {
        std::uint8_t* row = pixels + std::size_t(y) * pitch;
        for (int x = 0; x < mWidth; ++x)
            WritePixel(row + std::size_t(x) * bytes, bytes, PackColor(argb[std::size_t(y) * mWidth + x], format));
    }
    return true;
}
} // namespace Compat
