// Direct3D 7, the device side: device enumeration, texture and z-buffer formats, device creation
// and capabilities, and the device's render states, texture-stage states, transforms, viewport,
// material and clip planes, stored as set. Devices and their formats come from the machine
// description (DisplayMachine.h). Drawing primitives is not part of this layer yet; Clear fills
// the render target. Every call comes from the window thread.
#pragma once

#include "Platform/Compat/Direct3D/Direct3DErrors.h"
#include "Platform/Compat/Direct3D/Direct3DTypes.h"
#include "Platform/Compat/DirectDraw/DirectDraw.h"

using LPD3DENUMDEVICESCALLBACK7 = HRESULT (*)(char* description, char* name, D3DDEVICEDESC7* desc, void* context);
using LPD3DENUMPIXELFORMATSCALLBACK = HRESULT (*)(DDPIXELFORMAT* format, void* context);

class IDirect3DDevice7 : public IUnknown
{
public:
    // The device's description (as enumerated).
    virtual HRESULT GetCaps(D3DDEVICEDESC7* desc) = 0;
    // Calls back with each texture format of the device until the callback cancels.
    virtual HRESULT EnumTextureFormats(LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    // Fills the rectangles (all of the viewport when count is 0) of the render target with
    // colour (D3DCLEAR_TARGET) and of the z-buffer with z (D3DCLEAR_ZBUFFER).
    virtual HRESULT Clear(DWORD count, D3DRECT* rects, DWORD flags, D3DCOLOR color, D3DVALUE z, DWORD stencil) = 0;
    // The render target takes a reference; the old one is released.
    virtual HRESULT SetRenderTarget(IDirectDrawSurface7* surface, DWORD flags) = 0;
    // With a new reference.
    virtual HRESULT GetRenderTarget(IDirectDrawSurface7** surface) = 0;
    virtual HRESULT SetViewport(D3DVIEWPORT7* viewport) = 0;
    virtual HRESULT GetViewport(D3DVIEWPORT7* viewport) = 0;
    virtual HRESULT SetMaterial(D3DMATERIAL7* material) = 0;
    virtual HRESULT GetMaterial(D3DMATERIAL7* material) = 0;
    virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) = 0;
    virtual HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix) = 0;
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
    virtual HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) = 0;
    // Stages 0 to 7.
    virtual HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) = 0;
    virtual HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD* value) = 0;
    // Plane index 0 to 5: a, b, c, d of a x + b y + c z + d >= 0 (the kept side).
    virtual HRESULT SetClipPlane(DWORD index, D3DVALUE* plane) = 0;
    virtual HRESULT GetClipPlane(DWORD index, D3DVALUE* plane) = 0;
};

class IDirect3D7 : public IUnknown
{
public:
    // Calls back with each Direct3D device of the driver until the callback cancels.
    virtual HRESULT EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, void* context) = 0;
    // A device of the given kind drawing into target (which needs DDSCAPS_3DDEVICE).
    virtual HRESULT CreateDevice(const GUID& device, IDirectDrawSurface7* target, IDirect3DDevice7** out) = 0;
    // Calls back with each z-buffer format of the device until the callback cancels.
    virtual HRESULT EnumZBufferFormats(const GUID& device, LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) = 0;
};

// Interface and device identifiers (this layer's own values).
extern const IID IID_IDirect3D7;
extern const GUID IID_IDirect3DRGBDevice;
extern const GUID IID_IDirect3DRefDevice;
extern const GUID IID_IDirect3DHALDevice;
extern const GUID IID_IDirect3DTnLHalDevice;

namespace Compat
{
// For tests: how many render-state, texture-stage-state and clip-plane calls the device took.
int CountDeviceStateChanges(IDirect3DDevice7* device);
} // namespace Compat
