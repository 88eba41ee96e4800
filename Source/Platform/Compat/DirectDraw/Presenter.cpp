#include "Platform/Compat/DirectDraw/Presenter.h"

#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/DirectDraw/WindowPixels.h"
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

// How a window shows its pictures: its own pixels until a renderer is made, then the renderer and
// its textures.
struct Presentation
{
    WindowPixels pixels;
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
        pixels.Release();
        // The renderer takes its textures along: a picture still to be read is read now.
        if (Frames().pendingRenderer == renderer)
            ReadPendingFrame();
        if (renderer)
            SDL_DestroyRenderer(renderer);
    }
};

Presentation* PresentationOf(HWND window)
{
    if (!GetSdlWindow(window))
        return nullptr;
    if (!window->presentation)
        window->presentation = std::make_shared<Presentation>();
    return static_cast<Presentation*>(window->presentation.get());
}

// The window's presentation when it has one already.
Presentation* ExistingPresentation(HWND window)
{
    return IsWindow(window) && window->presentation ? static_cast<Presentation*>(window->presentation.get()) : nullptr;
}

// The window's presentation with its renderer, made on first use: the window's own pixels are
// given up for good.
Presentation* RendererPresentation(HWND window)
{
    Presentation* presentation = PresentationOf(window);
    if (!presentation || presentation->renderer)
        return presentation;
    presentation->pixels.Release();
    SDL_Window* sdl = GetSdlWindow(window);
    // The GPU where there is one; render targets are what the Direct3D devices draw into.
    SDL_Renderer* renderer = HasAcceleratedRenderer()
                                 ? SDL_CreateRenderer(sdl, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE)
                                 : nullptr;
    if (!renderer)
        renderer = SDL_CreateRenderer(sdl, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
    if (!renderer)
        return nullptr;
    presentation->renderer = renderer;
    UpdateBoxOwner();
    SDL_RendererInfo info{};
    presentation->software = SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE);
    return presentation;
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
    SDL_SetTextureScaleMode(texture,
                            target.w == width && target.h == height ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    if (!destination)
        FillBars(presentation.renderer, target);
    SDL_RenderCopy(presentation.renderer, texture, nullptr, &target);
    SDL_RenderPresent(presentation.renderer);
}
} // namespace

SDL_Renderer* GetWindowRenderer(HWND window)
{
    Presentation* presentation = RendererPresentation(window);
    return presentation ? presentation->renderer : nullptr;
}

RendererRef GetRendererRef(HWND window)
{
    RendererRef ref;
    if (Presentation* presentation = RendererPresentation(window))
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
// Keeps frame, opaque, as the last presented frame when frames are kept, and counts it.
void RecordFrame(HWND window, int width, int height, const std::function<void(int y, std::uint32_t* out)>& row)
{
    std::vector<std::uint32_t> kept =
        KeepFrames() ? TakeFramePixels(std::size_t(width) * std::size_t(height)) : std::vector<std::uint32_t>();
    for (int y = 0; !kept.empty() && y < height; ++y)
    {
        std::uint32_t* out = kept.data() + std::size_t(y) * std::size_t(width);
        row(y, out);
        for (int x = 0; x < width; ++x)
            out[x] |= 0xFF000000u;
    }
    PresentedFrame& record = NewRecord(window, width, height);
    Frames().spare = std::move(record.pixels);
    record.pixels = std::move(kept);
}

// Where the window's picture goes in its own pixels: destination, or the picture area with bars.
SDL_Rect PixelTarget(HWND window, const RECT* destination)
{
    return destination ? ToSdl(*destination) : PictureArea(window);
}

// Through the renderer: the frame's rows into the window's streaming texture, shown from there.
void PresentThroughRenderer(HWND window, const MemoryFrame& frame, const RECT* destination)
{
    Presentation* presentation = RendererPresentation(window);
    SDL_Texture* texture = presentation ? FrameTexture(*presentation, frame.width, frame.height) : nullptr;
    void* pixels = nullptr;
    int pitch = 0;
    if (!texture || SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0)
        return;
    for (int y = 0; y < frame.height; ++y)
        frame.Row(y, reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(pixels) + std::size_t(y) * pitch));
    SDL_UnlockTexture(texture);
    Show(*presentation, window, texture, destination);
}
} // namespace

void MemoryFrame::Row(int y, std::uint32_t* out) const
{
    if (pixels)
        std::memcpy(out, pixels + std::size_t(y) * std::size_t(pitch), std::size_t(width) * 4);
    else
        fill(y, out);
}

void PresentFrame(HWND window, const MemoryFrame& frame, const RECT* destination)
{
    const int width = std::max(frame.width, 0), height = std::max(frame.height, 0);
    RecordFrame(window, width, height, [&](int y, std::uint32_t* out) { frame.Row(y, out); });
    Presentation* presentation = PresentationOf(window);
    if (!presentation || width == 0 || height == 0)
        return;
    if (!presentation->renderer &&
        presentation->pixels.Present(GetSdlWindow(window), frame, PixelTarget(window, destination), !destination))
        return;
    PresentThroughRenderer(window, frame, destination);
}

std::uint8_t* AdoptWindowPixels(HWND window, WindowResident* resident, int width, int height, int& pitch)
{
    Presentation* presentation = PresentationOf(window);
    if (!presentation || presentation->renderer || window->logicalWidth != 0)
        return nullptr;
    return presentation->pixels.Adopt(GetSdlWindow(window), resident, width, height, pitch);
}

bool PresentWindowPixels(HWND window, WindowResident* resident)
{
    Presentation* presentation = PresentationOf(window);
    int pitch = 0;
    const std::uint8_t* pixels = presentation ? presentation->pixels.ResidentPixels(resident, pitch) : nullptr;
    SDL_Window* sdl = GetSdlWindow(window);
    if (!pixels || !presentation->pixels.ShowResident(sdl, resident))
        return false;
    int width = 0, height = 0;
    SDL_GetWindowSize(sdl, &width, &height);
    RecordFrame(window, width, height, [&](int y, std::uint32_t* out) {
        std::memcpy(out, pixels + std::size_t(y) * std::size_t(pitch), std::size_t(width) * 4);
    });
    return true;
}

void ForgetWindowResident(HWND window, WindowResident* resident)
{
    if (Presentation* presentation = ExistingPresentation(window))
        presentation->pixels.Forget(resident);
}

void ForgetShownPicture(HWND window)
{
    if (Presentation* presentation = ExistingPresentation(window))
        presentation->pixels.Lost();
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
    Presentation* presentation = RendererPresentation(window);
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
    // The window's memory changes size.
    presentation->pixels.Release();
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
    Presentation* presentation = sdl ? ExistingPresentation(window) : nullptr;
    if (!presentation || window->logicalWidth == 0)
        return;
    window->logicalWidth = 0;
    window->logicalHeight = 0;
    presentation->pixels.Release();
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
