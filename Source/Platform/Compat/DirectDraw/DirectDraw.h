// DirectDraw 7 on memory surfaces, presented through SDL2.
//
// Surfaces are memory in the pixel formats the display code handles (32, 24 and 16 bits). The
// primary surface is the window: a blit onto it (windowed, through a clipper) or a flip of its
// chain (full screen) shows the picture in the window through an SDL renderer. Exclusive full
// screen becomes a desktop full-screen window whose logical size is the display mode, so that
// client rectangles and mouse positions stay in mode pixels.
//
// What the machine offers (drivers, display modes, video memory, 3D devices) comes from the
// description in DisplayMachine.h. Objects are reference counted: each starts with one reference
// held by its creator. Every call comes from the window thread.
#pragma once

#include "Platform/Compat/DirectDraw/DirectDrawErrors.h"
#include "Platform/Compat/DirectDraw/DirectDrawTypes.h"

// The base of every object: asks for another interface of the object, counts references.
class IUnknown
{
public:
    // DD_OK and *out with a new reference, or an error with *out null.
    virtual HRESULT QueryInterface(const IID& iid, void** out) = 0;
    // Returns the new count.
    virtual ULONG AddRef() = 0;
    // Returns the new count; the object is gone at 0.
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

class IDirectDrawClipper : public IUnknown
{
public:
    // Clips blits onto the primary surface to the window's client area (flags must be 0).
    virtual HRESULT SetHWnd(DWORD flags, HWND window) = 0;
    virtual HRESULT GetHWnd(HWND* window) = 0;
};

class IDirectDrawSurface7 : public IUnknown
{
public:
    // Attaches a z-buffer (a reference is taken).
    virtual HRESULT AddAttachedSurface(IDirectDrawSurface7* surface) = 0;
    // Copies src (whole when srcRect is null) into dst (whole when null), scaled nearest
    // neighbour. Onto a windowed primary the rectangle is in screen coordinates and the picture
    // is shown in the clipper's window. Formats must match.
    virtual HRESULT Blt(RECT* dst, IDirectDrawSurface7* src, RECT* srcRect, DWORD flags, DDBLTFX* fx) = 0;
    // An unscaled copy of src (whole when srcRect is null) with its corner at (x, y), clipped to
    // this surface.
    virtual HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface7* src, RECT* srcRect, DWORD flags) = 0;
    // The next buffer of a primary flip chain becomes the front buffer and is shown; target must
    // be null.
    virtual HRESULT Flip(IDirectDrawSurface7* target, DWORD flags) = 0;
    // The attached back buffer (DDSCAPS_BACKBUFFER) or z-buffer (DDSCAPS_ZBUFFER), with a new
    // reference; DDERR_NOTFOUND when there is none.
    virtual HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** out) = 0;
    // Size, pitch, pixel format and caps.
    virtual HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc) = 0;
    // DDERR_SURFACELOST while the surface is lost, else DD_OK.
    virtual HRESULT IsLost() = 0;
    // desc receives the description with lpSurface at rect's corner (the whole surface when rect
    // is null) and lPitch. One lock at a time.
    virtual HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, HANDLE event) = 0;
    virtual HRESULT Unlock(RECT* rect) = 0;
    // Brings a lost surface back; its pixels are gone (zero).
    virtual HRESULT Restore() = 0;
    // Sets the clipper (a reference is taken; null removes it).
    virtual HRESULT SetClipper(IDirectDrawClipper* clipper) = 0;
    // The DirectDraw object that made the surface (IDirectDraw7*), with a new reference.
    virtual HRESULT GetDDInterface(void** out) = 0;
};

using LPDDENUMMODESCALLBACK2 = HRESULT (*)(DDSURFACEDESC2* mode, void* context);

class IDirectDraw7 : public IUnknown
{
public:
    // flags must be 0.
    virtual HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** out, IUnknown* outer) = 0;
    // A primary surface (with DDSD_BACKBUFFERCOUNT and DDSCAPS_FLIP a flip chain, full screen
    // only), an off-screen or render surface, a z-buffer or a texture. Without DDSD_PIXELFORMAT
    // the surface takes the display's format.
    virtual HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** out, IUnknown* outer) = 0;
    // Calls back with each display mode of the driver, in the driver's order.
    virtual HRESULT EnumDisplayModes(DWORD flags, DDSURFACEDESC2* filter, void* context,
                                     LPDDENUMMODESCALLBACK2 callback) = 0;
    // Driver caps (video memory, windowed rendering); the emulation caps are all zero.
    virtual HRESULT GetCaps(DDCAPS* driver, DDCAPS* emulation) = 0;
    // The current display mode: the one set in exclusive mode, else the desktop's.
    virtual HRESULT GetDisplayMode(DDSURFACEDESC2* desc) = 0;
    virtual HRESULT GetDeviceIdentifier(DDDEVICEIDENTIFIER2* identifier, DWORD flags) = 0;
    // Takes an exclusive full-screen window, or gives it back with DDSCL_NORMAL.
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    // Needs the exclusive level; the window fills the desktop showing width x height pixels.
    virtual HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bits, DWORD refreshRate, DWORD flags) = 0;
    // DD_OK, or DDERR_NOEXCLUSIVEMODE / DDERR_EXCLUSIVEMODEALREADYSET while another program has
    // the screen (tests say when).
    virtual HRESULT TestCooperativeLevel() = 0;
    // Restore on every lost surface of this object.
    virtual HRESULT RestoreAllSurfaces() = 0;
};

// The interface identifiers (this layer's own values).
extern const IID IID_IDirectDraw7;

// A DirectDraw object on the driver (null for the primary display driver).
HRESULT DirectDrawCreateEx(GUID* driver, void** out, const IID& iid, IUnknown* outer);

using LPDDENUMCALLBACKEXA = BOOL (*)(GUID* driver, char* description, char* name, void* context, HMONITOR monitor);
// Calls back with the primary display driver (null GUID), then, when flags ask for them, the
// machine's other drivers; stops when the callback returns FALSE.
HRESULT DirectDrawEnumerateExA(LPDDENUMCALLBACKEXA callback, void* context, DWORD flags);
