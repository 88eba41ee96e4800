#include "Platform/Compat/DirectDraw/Presenter.h"

#include "Platform/Compat/User/Window.h"
#include "Platform/Compat/User/WindowObject.h"

#include <utility>

namespace Compat
{
namespace
{
// The renderer and the streaming texture that show a window's pictures.
struct Presentation
{
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int width = 0;
    int height = 0;
    // The window's own client size while a display mode fills the screen.
    int windowedWidth = 0;
    int windowedHeight = 0;

    ~Presentation()
    {
        if (texture)
            SDL_DestroyTexture(texture);
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
        SDL_Renderer* renderer = SDL_CreateRenderer(sdl, -1, 0);
        if (!renderer)
            renderer = SDL_CreateRenderer(sdl, -1, SDL_RENDERER_SOFTWARE);
        if (!renderer)
            return nullptr;
        auto presentation = std::make_shared<Presentation>();
        presentation->renderer = renderer;
        window->presentation = presentation;
    }
    return static_cast<Presentation*>(window->presentation.get());
}

struct FrameRecord
{
    PresentedFrame last;
    int count = 0;
};

FrameRecord& Frames()
{
    static FrameRecord record;
    return record;
}
} // namespace

SDL_Renderer* GetWindowRenderer(HWND window)
{
    Presentation* presentation = PresentationOf(window);
    return presentation ? presentation->renderer : nullptr;
}

void PresentFrame(PresentedFrame&& frame, const RECT* destination)
{
    Presentation* presentation = PresentationOf(frame.window);
    if (presentation && frame.width > 0 && frame.height > 0)
    {
        if (!presentation->texture || presentation->width != frame.width || presentation->height != frame.height)
        {
            if (presentation->texture)
                SDL_DestroyTexture(presentation->texture);
            presentation->texture = SDL_CreateTexture(presentation->renderer, SDL_PIXELFORMAT_ARGB8888,
                                                      SDL_TEXTUREACCESS_STREAMING, frame.width, frame.height);
            presentation->width = frame.width;
            presentation->height = frame.height;
        }
        if (presentation->texture)
        {
            SDL_UpdateTexture(presentation->texture, nullptr, frame.pixels.data(), frame.width * 4);
            SDL_Rect target{0, 0, 0, 0};
            if (destination)
                target = {destination->left, destination->top, destination->right - destination->left,
                          destination->bottom - destination->top};
            SDL_RenderCopy(presentation->renderer, presentation->texture, nullptr, destination ? &target : nullptr);
            SDL_RenderPresent(presentation->renderer);
        }
    }
    FrameRecord& record = Frames();
    record.last = std::move(frame);
    ++record.count;
}

void EnterExclusiveMode(HWND window, int width, int height)
{
    Presentation* presentation = PresentationOf(window);
    if (!presentation)
        return;
    SDL_Window* sdl = GetSdlWindow(window);
    if (window->logicalWidth == 0)
        SDL_GetWindowSize(sdl, &presentation->windowedWidth, &presentation->windowedHeight);
    window->logicalWidth = width;
    window->logicalHeight = height;
    SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN_DESKTOP);
    // The renderer scales mode pixels to the desktop and maps mouse positions back to them.
    SDL_RenderSetLogicalSize(presentation->renderer, width, height);
}

void LeaveExclusiveMode(HWND window)
{
    SDL_Window* sdl = GetSdlWindow(window);
    auto* presentation = sdl ? static_cast<Presentation*>(window->presentation.get()) : nullptr;
    if (!presentation || window->logicalWidth == 0)
        return;
    window->logicalWidth = 0;
    window->logicalHeight = 0;
    SDL_SetWindowFullscreen(sdl, 0);
    // Not every video driver puts the window back at its size.
    SDL_SetWindowSize(sdl, presentation->windowedWidth, presentation->windowedHeight);
    SDL_RenderSetLogicalSize(presentation->renderer, 0, 0);
}

const PresentedFrame& GetLastPresentedFrame()
{
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
