// The machine as SDL sees it, described the way the DirectDraw and Direct3D layer offers it.
#include "Platform/Compat/DirectDraw/DisplayMachine.h"

#include "Platform/Compat/Direct3D/Direct3D.h"
#include "Platform/Compat/User/WindowObject.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace Compat
{
namespace
{
// 32 for every four-byte layout (SDL counts its "888" formats as 24 bits).
int BitsOf(Uint32 format)
{
    return SDL_BYTESPERPIXEL(format) == 4 ? 32 : static_cast<int>(SDL_BITSPERPIXEL(format));
}

// What an accelerated renderer of this machine can do, when it has one: a hidden window tries to
// make one (SDL's list of renderers names drivers that may not work here).
std::optional<SDL_RendererInfo> AcceleratedRenderer()
{
    SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN);
    if (!probe)
        return std::nullopt;
    std::optional<SDL_RendererInfo> found;
    if (SDL_Renderer* renderer = SDL_CreateRenderer(probe, -1, SDL_RENDERER_ACCELERATED))
    {
        SDL_RendererInfo info;
        if (SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_ACCELERATED))
            found = info;
        SDL_DestroyRenderer(renderer);
    }
    SDL_DestroyWindow(probe);
    return found;
}
} // namespace

namespace
{
unsigned gDisplayChanges = 0;
} // namespace

void NoteDisplayChange()
{
    ++gDisplayChanges;
}

unsigned CountDisplayChanges()
{
    return gDisplayChanges;
}

DisplayModeDescription CurrentDesktopMode()
{
    SDL_DisplayMode desktop;
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return {0, 0, 0};
    return {desktop.w, desktop.h, BitsOf(desktop.format)};
}

DisplayMachine DescribeThisMachine()
{
    // SDL cannot tell the video memory: the default driver's stated amounts stay.
    DisplayMachine machine = DefaultDisplayMachine();
    DisplayDriverDescription& driver = machine.drivers[0];
    SDL_DisplayMode desktop;
    if (!EnsureVideo() || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
    {
        // No display at all: nothing can be shown, in any mode.
        driver.modes.clear();
        driver.devices.resize(1);
        return machine;
    }
    machine.desktopWidth = desktop.w;
    machine.desktopHeight = desktop.h;
    machine.desktopBits = BitsOf(desktop.format);

    const char* video = SDL_GetCurrentVideoDriver();
    const char* display = SDL_GetDisplayName(0);
    driver.description = display ? display : "Display";
    std::snprintf(driver.identifier.szDriver, sizeof driver.identifier.szDriver, "%s", video ? video : "");
    std::snprintf(driver.identifier.szDescription, sizeof driver.identifier.szDescription, "%s",
                  driver.description.c_str());

    // The display's modes, each size and depth once (SDL lists each refresh rate).
    driver.modes.clear();
    for (int i = 0, n = SDL_GetNumDisplayModes(0); i < n; ++i)
    {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0)
            continue;
        const DisplayModeDescription described{mode.w, mode.h, BitsOf(mode.format)};
        const bool listed = std::any_of(driver.modes.begin(), driver.modes.end(), [&](const DisplayModeDescription& m) {
            return m.width == described.width && m.height == described.height && m.bits == described.bits;
        });
        if (!listed)
            driver.modes.push_back(described);
    }
    if (driver.modes.empty())
        driver.modes.push_back({desktop.w, desktop.h, machine.desktopBits});

    // Without an accelerated renderer only the software device is offered, as on a machine
    // without 3D hardware; with one, the hardware devices take on its largest texture.
    driver.devices = {SoftwareDevice(IID_IDirect3DRGBDevice, "RGB Emulation")};
    if (const std::optional<SDL_RendererInfo> accelerated = AcceleratedRenderer())
    {
        for (Direct3DDeviceDescription device : {HardwareDevice(IID_IDirect3DHALDevice, "Direct3D HAL"),
                                                 HardwareDevice(IID_IDirect3DTnLHalDevice, "Direct3D T&L HAL")})
        {
            if (accelerated->max_texture_width > 0)
                device.caps.dwMaxTextureWidth = static_cast<DWORD>(accelerated->max_texture_width);
            if (accelerated->max_texture_height > 0)
                device.caps.dwMaxTextureHeight = static_cast<DWORD>(accelerated->max_texture_height);
            device.description = std::string("Direct3D on ") + accelerated->name;
            driver.devices.push_back(device);
        }
    }
    return machine;
}
} // namespace Compat
