// What the machine offers the DirectDraw and Direct3D layer: its display drivers with their
// display modes, video memory and identity, each driver's 3D devices with their caps, texture
// formats and z-buffer formats, and the desktop's colour depth. One description, of this machine
// as SDL sees it (made on first use); tests replace it to stage other machines, inject failures
// of single calls and lose the surfaces. Main thread.
#pragma once

#include "Platform/Compat/Direct3D/Direct3DTypes.h"

#include <map>
#include <string>
#include <vector>

namespace Compat
{
struct DisplayModeDescription
{
    int width = 0;
    int height = 0;
    int bits = 32;
};

struct Direct3DDeviceDescription
{
    std::string name;
    std::string description;
    D3DDEVICEDESC7 caps{}; // caps.deviceGUID identifies the device
    std::vector<DDPIXELFORMAT> textureFormats;
    std::vector<DDPIXELFORMAT> zBufferFormats;
};

struct DisplayDriverDescription
{
    bool primary = true; // the primary display driver is enumerated with a null GUID
    GUID guid{};
    std::string name;
    std::string description;
    DDDEVICEIDENTIFIER2 identifier{};
    DWORD caps2 = DDCAPS2_CANRENDERWINDOWED;
    DWORD videoMemoryTotal = 0;
    DWORD videoMemoryFree = 0;
    bool canOpen = true;                       // DirectDrawCreateEx succeeds
    bool hasDirect3D = true;                   // the DirectDraw object answers IID_IDirect3D7
    std::vector<DisplayModeDescription> modes; // in the driver's own order
    std::vector<Direct3DDeviceDescription> devices;
};

// Calls whose failure a test can inject; a surface creation is told apart by what it makes.
enum class DisplayCall
{
    CreateDirectDraw,
    SetCooperativeLevel,
    GetDisplayMode,
    SetDisplayMode,
    GetCaps,
    CreatePrimarySurface,
    CreateRenderSurface, // an off-screen surface that a 3D device may draw into
    CreatePlainSurface,  // any other off-screen surface
    CreateZBufferSurface,
    CreateTextureSurface,
    CreateClipper,
    GetAttachedSurface,
    AddAttachedSurface,
    QueryDirect3D,
    CreateDevice,
    SetViewport,
    SetRenderTarget,
    GetDeviceCaps,
    TestCooperativeLevel,
    Lock,
    Blt,
    BltFast,
    Flip,
    BeginScene,
    EndScene,
    DrawPrimitive, // DrawPrimitive and DrawIndexedPrimitive
};

struct DisplayMachine
{
    std::vector<DisplayDriverDescription> drivers; // the primary display driver first
    int desktopWidth = 1920;
    int desktopHeight = 1080;
    int desktopBits = 32;
    // The 16-bit layout of the display (red, green, blue masks).
    DWORD red16 = 0xF800;
    DWORD green16 = 0x07E0;
    DWORD blue16 = 0x001F;
    // Calls that fail with the given code until the description is replaced.
    std::map<DisplayCall, HRESULT> failures;
};

// The machine in force.
const DisplayMachine& GetDisplayMachine();
// Replaces the machine (objects made before keep what they were made with).
void SetDisplayMachine(const DisplayMachine& machine);
// Back to this machine's description.
void ResetDisplayMachine();
// Makes machine this machine's description from now on, for test programs that must not depend
// on the machine they run on.
void StandInForThisMachine(const DisplayMachine& machine);

// This machine: the desktop mode and the display's modes from SDL; the software device, and the
// two hardware devices only when SDL can make an accelerated renderer (their largest texture is
// that renderer's); the default driver's video memory and formats, which SDL cannot tell. Starts
// SDL's video when it is not running.
DisplayMachine DescribeThisMachine();

// A typical PC, for tests that stage a machine: one primary driver ("Compat Display", 256 MiB of
// video memory) with 640x480 to 1920x1080 at 16 and 32 bits, and the devices "RGB Emulation" (software), "Direct3D HAL"
// and "Direct3D T&L HAL" (hardware, textures up to 4096 pixels, 32-bit ARGB and RGB, 16-bit textures, 16, 24 and 32-bit
// z-buffers).
DisplayMachine DefaultDisplayMachine();
// The parts of the default machine, for tests that stage their own.
DisplayDriverDescription DefaultPrimaryDriver();
Direct3DDeviceDescription SoftwareDevice(const GUID& guid, const char* name);
Direct3DDeviceDescription HardwareDevice(const GUID& guid, const char* name);
// An RGB pixel format (alpha mask 0 for none) and a z-buffer format.
DDPIXELFORMAT RgbFormat(DWORD bits, DWORD alpha, DWORD red, DWORD green, DWORD blue);
DDPIXELFORMAT ZBufferFormat(DWORD bits);

// Whether windows have an accelerated SDL renderer to draw with: one that SDL can make here and
// that is not a GL driver drawing on the processor (Mesa's), which costs more than SDL's software
// renderer, unless SDL_RENDER_DRIVER names it. Asked once, with a hidden window.
bool HasAcceleratedRenderer();

// Display changes (a display added, removed or turned) counted from SDL's events; a DirectDraw
// object set up before the latest one reports the wrong mode until the display is set up again.
void NoteDisplayChange();
unsigned CountDisplayChanges();
// The desktop's mode now, as SDL tells it ({0, 0, 0} without a display).
DisplayModeDescription CurrentDesktopMode();

// The injected failure of a call, DD_OK when none.
HRESULT InjectedFailure(DisplayCall call);

// Makes every surface that exists lost (as when another program took the screen or the display
// mode changed): locks, blits and flips fail with DDERR_SURFACELOST until the surface is restored.
// Textures that the driver manages (DDSCAPS2_TEXTUREMANAGE) or that live in system memory keep
// their pixels, as they do on a real display.
void LoseDisplaySurfaces();
// The window renderers lost the pixels of their render targets (SDL reported a reset): surfaces
// whose pixels were only there are lost; after a reset of the device itself every surface's
// texture is made again at its next use.
void ForgetRenderedPixels(bool deviceReset);
} // namespace Compat
