#include "Platform/Compat/DirectDraw/Presenter.h"

#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/User/DisplayConnection.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Compat/User/WindowObject.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace Compat
{
namespace
{
// The last presented frame: its pixels, or the picture texture that holds them until asked for.
struct FrameRecord
{
    PresentedFrame last;
    int count = 0;
    SDL_Renderer* pendingRenderer = nullptr; // with pendingTexture: read back on request
    SDL_Texture* pendingTexture = nullptr;
    // The pixels of the frame before the last, for the next frame to fill.
    std::vector<std::uint32_t> spare;
};

FrameRecord& Frames()
{
    static FrameRecord record;
    return record;
}

bool& KeepFrames()
{
    static bool keep = true;
    return keep;
}

// Reads the picture a pending record points at into its pixels (opaque, as the screen shows
// them). The renderer must still exist.
void ReadPendingFrame()
{
    FrameRecord& record = Frames();
    if (!record.pendingTexture)
        return;
    SDL_Renderer* renderer = record.pendingRenderer;
    SDL_Texture* previous = SDL_GetRenderTarget(renderer);
    PresentedFrame& frame = record.last;
    frame.pixels.assign(std::size_t(frame.width) * frame.height, 0);
    UseRenderTarget(renderer, record.pendingTexture);
    const SDL_Rect area{0, 0, frame.width, frame.height};
    if (SDL_RenderReadPixels(renderer, &area, SDL_PIXELFORMAT_ARGB8888, frame.pixels.data(), frame.width * 4) == 0)
        for (std::uint32_t& pixel : frame.pixels)
            pixel |= 0xFF000000u;
    UseRenderTarget(renderer, previous);
    record.pendingRenderer = nullptr;
    record.pendingTexture = nullptr;
}

// The renderer and the textures that show a window's pictures.
struct Presentation
{
    SDL_Renderer* renderer = nullptr;
    bool software = false;          // SDL's renderer that draws on the processor
    SDL_Texture* texture = nullptr; // streaming: memory frames
    int width = 0;
    int height = 0;
    SDL_Texture* picture = nullptr; // target: the last picture drawn by a device
    int pictureWidth = 0;
    int pictureHeight = 0;
    // The window's own client size while a display mode fills the screen.
    int windowedWidth = 0;
    int windowedHeight = 0;

    ~Presentation()
    {
        // The renderer takes its textures along: a picture still to be read is read now.
        if (Frames().pendingRenderer == renderer)
            ReadPendingFrame();
        if (renderer)
            SDL_DestroyRenderer(renderer);
    }
};

Presentation* PresentationOf(HWND window)
{
    SDL_Window* sdl = GetSdlWindow(window);
    if (!sdl)
        return nullptr;
    if (!window->presentation)
    {
        // The GPU where there is one; render targets are what the Direct3D devices draw into.
        SDL_Renderer* renderer = HasAcceleratedRenderer() ? SDL_CreateRenderer(sdl, -1, SDL_RENDERER_ACCELERATED |
                                                                                              SDL_RENDERER_TARGETTEXTURE)
                                                          : nullptr;
        if (!renderer)
            renderer = SDL_CreateRenderer(sdl, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
        if (!renderer)
            return nullptr;
        auto presentation = std::make_shared<Presentation>();
        presentation->renderer = renderer;
        SDL_RendererInfo info{};
        presentation->software = SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE);
        window->presentation = presentation;
    }
    return static_cast<Presentation*>(window->presentation.get());
}

// A new record; a pending read of an older one is dropped.
PresentedFrame& NewRecord(HWND window, int width, int height)
{
    FrameRecord& record = Frames();
    record.pendingRenderer = nullptr;
    record.pendingTexture = nullptr;
    ++record.count;
    record.last.window = window;
    record.last.width = width;
    record.last.height = height;
    return record.last;
}

SDL_Rect ToSdl(const RECT& r)
{
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Where the window's picture goes in the renderer's output: the window's picture area (the whole
// window, or a display mode's picture scaled to fit) in output pixels.
SDL_Rect OutputArea(SDL_Renderer* renderer, HWND window)
{
    SDL_Rect area = PictureArea(window);
    int windowWidth = 0, windowHeight = 0, outputWidth = 0, outputHeight = 0;
    SDL_GetWindowSize(GetSdlWindow(window), &windowWidth, &windowHeight);
    if (SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight) == 0 && windowWidth > 0 && windowHeight > 0 &&
        (outputWidth != windowWidth || outputHeight != windowHeight))
        area = {area.x * outputWidth / windowWidth, area.y * outputHeight / windowHeight,
                area.w * outputWidth / windowWidth, area.h * outputHeight / windowHeight};
    return area;
}

// Paints what the picture leaves of the output black: the bars beside or above and below it.
void FillBars(SDL_Renderer* renderer, const SDL_Rect& picture)
{
    int width = 0, height = 0;
    if (SDL_GetRendererOutputSize(renderer, &width, &height) != 0)
        return;
    const SDL_Rect bars[] = {{0, 0, width, picture.y},
                             {0, picture.y + picture.h, width, height - picture.y - picture.h},
                             {0, picture.y, picture.x, picture.h},
                             {picture.x + picture.w, picture.y, width - picture.x - picture.w, picture.h}};
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    for (const SDL_Rect& bar : bars)
        if (bar.w > 0 && bar.h > 0)
            SDL_RenderFillRect(renderer, &bar);
}

// Shows texture in the window: over destination (client coordinates), or over the window's picture
// area with black bars around it.
void Show(Presentation& presentation, HWND window, SDL_Texture* texture, const RECT* destination)
{
    UseRenderTarget(presentation.renderer, nullptr);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    const SDL_Rect target = destination ? ToSdl(*destination) : OutputArea(presentation.renderer, window);
    int width = 0, height = 0;
    SDL_QueryTexture(texture, nullptr, nullptr, &width, &height);
    // A picture shown larger or smaller than its pixels is smoothed rather than given uneven steps.
    SDL_SetTextureScaleMode(texture, target.w == width && target.h == height ? SDL_ScaleModeNearest
                                                                              : SDL_ScaleModeLinear);
    if (!destination)
        FillBars(presentation.renderer, target);
    SDL_RenderCopy(presentation.renderer, texture, nullptr, &target);
    SDL_RenderPresent(presentation.renderer);
}
} // namespace

SDL_Renderer* GetWindowRenderer(HWND window)
{
    Presentation* presentation = PresentationOf(window);
    return presentation ? presentation->renderer : nullptr;
}

RendererRef GetRendererRef(HWND window)
{
    RendererRef ref;
    if (Presentation* presentation = PresentationOf(window))
    {
        ref.renderer = presentation->renderer;
        ref.lifetime = window->presentation;
    }
    return ref;
}

void UseRenderTarget(SDL_Renderer* renderer, SDL_Texture* texture)
{
    if (SDL_GetRenderTarget(renderer) != texture)
        SDL_SetRenderTarget(renderer, texture);
}

namespace
{
// The window's texture for memory frames, made or remade at width x height; null when SDL cannot.
SDL_Texture* FrameTexture(Presentation& presentation, int width, int height)
{
    if (!presentation.texture || presentation.width != width || presentation.height != height)
    {
        if (presentation.texture)
            SDL_DestroyTexture(presentation.texture);
        presentation.texture = SDL_CreateTexture(presentation.renderer, SDL_PIXELFORMAT_ARGB8888,
                                                 SDL_TEXTUREACCESS_STREAMING, width, height);
        presentation.width = width;
        presentation.height = height;
    }
    return presentation.texture;
}
} // namespace

namespace
{
// Where the rows of a frame from memory go: the window's own pixels when the renderer draws on
// the processor and shows the frame unscaled over the whole client area (SDL would only copy the
// texture there), else the locked frame texture.
class FrameRows
{
public:
    FrameRows(Presentation* presentation, HWND window, int width, int height, const RECT* destination)
        : mPresentation(presentation), mWindow(window), mDestination(destination)
    {
        if (!presentation || width <= 0 || height <= 0)
            return;
        if ((mSurface = WindowPixels(*presentation, window, width, height, destination)))
        {
            if (SDL_MUSTLOCK(mSurface) && SDL_LockSurface(mSurface) != 0)
            {
                mSurface = nullptr;
                return;
            }
            mPixels = static_cast<std::uint8_t*>(mSurface->pixels);
            mPitch = mSurface->pitch;
            return;
        }
        mTexture = FrameTexture(*presentation, width, height);
        void* pixels = nullptr;
        if (!mTexture || SDL_LockTexture(mTexture, nullptr, &pixels, &mPitch) != 0)
        {
            mTexture = nullptr;
            return;
        }
        mPixels = static_cast<std::uint8_t*>(pixels);
    }

    FrameRows(const FrameRows&) = delete;
    FrameRows& operator=(const FrameRows&) = delete;

    // Row y to write, null when the window cannot show the frame.
    std::uint32_t* Row(int y) const
    {
        return mPixels ? reinterpret_cast<std::uint32_t*>(mPixels + std::size_t(y) * std::size_t(mPitch)) : nullptr;
    }

    // Shows what the rows hold.
    void Show()
    {
        if (mSurface)
        {
            if (SDL_MUSTLOCK(mSurface))
                SDL_UnlockSurface(mSurface);
            SDL_RenderPresent(mPresentation->renderer);
        }
        else if (mTexture)
        {
            SDL_UnlockTexture(mTexture);
            Compat::Show(*mPresentation, mWindow, mTexture, mDestination);
        }
        mPixels = nullptr;
    }

private:
    // The window's pixels when they can take a frame of width x height as it is.
    static SDL_Surface* WindowPixels(Presentation& presentation, HWND window, int width, int height,
                                     const RECT* destination)
    {
        if (!presentation.software)
            return nullptr;
        if (destination && (destination->left != 0 || destination->top != 0 || destination->right != width ||
                            destination->bottom != height))
            return nullptr;
        int logicalWidth = 0, logicalHeight = 0;
        SDL_RenderGetLogicalSize(presentation.renderer, &logicalWidth, &logicalHeight);
        float scaleX = 1, scaleY = 1;
        SDL_RenderGetScale(presentation.renderer, &scaleX, &scaleY);
        SDL_Rect viewport{};
        SDL_RenderGetViewport(presentation.renderer, &viewport);
        if (logicalWidth != 0 || logicalHeight != 0 || scaleX != 1 || scaleY != 1 || viewport.x != 0 ||
            viewport.y != 0 || viewport.w != width || viewport.h != height)
            return nullptr;
        SDL_Surface* surface = SDL_GetWindowSurface(GetSdlWindow(window));
        if (!surface || surface->w != width || surface->h != height || !surface->format ||
            surface->format->BytesPerPixel != 4 || surface->format->Rmask != 0xFF0000u ||
            surface->format->Gmask != 0xFF00u || surface->format->Bmask != 0xFFu)
            return nullptr;
        // Drawing still queued for the window goes first, as it would through the renderer.
        UseRenderTarget(presentation.renderer, nullptr);
        SDL_RenderFlush(presentation.renderer);
        return surface;
    }

    Presentation* mPresentation;
    HWND mWindow;
    const RECT* mDestination;
    SDL_Surface* mSurface = nullptr;
    SDL_Texture* mTexture = nullptr;
    std::uint8_t* mPixels = nullptr;
    int mPitch = 0;
};
} // namespace

void PresentRows(HWND window, int width, int height, const std::function<void(int y, std::uint32_t* out)>& fill,
                 const RECT* destination)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    const std::size_t count = std::size_t(width) * std::size_t(height);
    // Kept frames are filled into their record and copied to the window from there.
    std::vector<std::uint32_t> kept = KeepFrames() ? TakeFramePixels(count) : std::vector<std::uint32_t>();
    FrameRows rows(PresentationOf(window), window, width, height, destination);
    for (int y = 0; y < height; ++y)
    {
        std::uint32_t* out = rows.Row(y);
        if (kept.empty())
        {
            if (!out)
                break;
            fill(y, out);
            continue;
        }
        std::uint32_t* record = kept.data() + std::size_t(y) * std::size_t(width);
        fill(y, record);
        for (int x = 0; x < width; ++x)
            record[x] |= 0xFF000000u;
        if (out)
            std::memcpy(out, record, std::size_t(width) * 4);
    }
    rows.Show();
    PresentedFrame& record = NewRecord(window, width, height);
    Frames().spare = std::move(record.pixels);
    record.pixels = std::move(kept);
}

void KeepPresentedFrames(bool keep)
{
    KeepFrames() = keep;
    if (!keep)
    {
        // The pixels kept so far go.
        Frames().last.pixels = {};
        Frames().spare = {};
    }
}

std::vector<std::uint32_t> TakeFramePixels(std::size_t count)
{
    std::vector<std::uint32_t> pixels = std::move(Frames().spare);
    Frames().spare.clear();
    // Same size as before: nothing is written.
    pixels.resize(count);
    return pixels;
}

void PresentTexture(HWND window, SDL_Texture* texture, const RECT& source, const RECT* destination)
{
    const int width = source.right - source.left;
    const int height = source.bottom - source.top;
    PresentedFrame& record = NewRecord(window, width, height);
    record.pixels.clear();
    Presentation* presentation = PresentationOf(window);
    if (!presentation || width <= 0 || height <= 0)
        return;
    if (!presentation->picture || presentation->pictureWidth != width || presentation->pictureHeight != height)
    {
        if (presentation->picture)
            SDL_DestroyTexture(presentation->picture);
        presentation->picture = SDL_CreateTexture(presentation->renderer, SDL_PIXELFORMAT_ARGB8888,
                                                  SDL_TEXTUREACCESS_TARGET, width, height);
        presentation->pictureWidth = width;
        presentation->pictureHeight = height;
        if (!presentation->picture)
            return;
    }
    // The picture keeps what the window shows until the next present, so the device may go on
    // drawing into its target and the frame can still be read back later.
    UseRenderTarget(presentation->renderer, presentation->picture);
    SDL_RenderSetClipRect(presentation->renderer, nullptr);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(texture, 255, 255, 255);
    SDL_SetTextureAlphaMod(texture, 255);
    const SDL_Rect from = ToSdl(source);
    SDL_RenderCopy(presentation->renderer, texture, &from, nullptr);
    Show(*presentation, window, presentation->picture, destination);
    Frames().pendingRenderer = presentation->renderer;
    Frames().pendingTexture = presentation->picture;
}

void EnterExclusiveMode(HWND window, int width, int height)
{
    Presentation* presentation = PresentationOf(window);
    if (!presentation || IsDisplayLost())
        return;
    SDL_Window* sdl = GetSdlWindow(window);
    if (window->logicalWidth == 0)
        SDL_GetWindowSize(sdl, &presentation->windowedWidth, &presentation->windowedHeight);
    window->logicalWidth = width;
    window->logicalHeight = height;
    // The window covers its display itself as well: without a window manager nobody else would.
    SDL_Rect display{0, 0, 0, 0};
    const int index = SDL_GetWindowDisplayIndex(sdl);
    if (SDL_GetDisplayBounds(index < 0 ? 0 : index, &display) == 0)
    {
        SDL_SetWindowPosition(sdl, display.x, display.y);
        SDL_SetWindowSize(sdl, display.w, display.h);
    }
    SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void LeaveExclusiveMode(HWND window)
{
    SDL_Window* sdl = GetSdlWindow(window);
    auto* presentation = sdl ? static_cast<Presentation*>(window->presentation.get()) : nullptr;
    if (!presentation || window->logicalWidth == 0)
        return;
    window->logicalWidth = 0;
    window->logicalHeight = 0;
    if (IsDisplayLost())
        return; // nobody to show the window again
    SDL_SetWindowFullscreen(sdl, 0);
    // Not every video driver puts the window back at its size.
    SDL_SetWindowSize(sdl, presentation->windowedWidth, presentation->windowedHeight);
    SDL_SetWindowPosition(sdl, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

const PresentedFrame& GetLastPresentedFrame()
{
    ReadPendingFrame();
    return Frames().last;
}

int CountPresentedFrames()
{
    return Frames().count;
}

void ForgetPresentedFrames()
{
    Frames() = FrameRecord();
}
} // namespace Compat
