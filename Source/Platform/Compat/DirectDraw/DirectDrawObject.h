// The DirectDraw object of one driver: cooperative level, display modes, surfaces, clippers and
// the driver's caps; its Direct3D interface is the object of Direct3D/Direct3DObject.h. Internal
// to the layer.
#pragma once

#include "Platform/Compat/DirectDraw/ComObject.h"
#include "Platform/Compat/DirectDraw/DirectDrawState.h"

#include <memory>

namespace Compat
{
class DirectDrawObject final : public ComObject<IDirectDraw7>
{
public:
    explicit DirectDrawObject(const DisplayDriverDescription& driver);

    HRESULT QueryInterface(const IID& iid, void** out) override;
    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** out, IUnknown* outer) override;
    HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** out, IUnknown* outer) override;
    HRESULT EnumDisplayModes(DWORD flags, DDSURFACEDESC2* filter, void* context,
                             LPDDENUMMODESCALLBACK2 callback) override;
    HRESULT GetCaps(DDCAPS* driver, DDCAPS* emulation) override;
    HRESULT GetDisplayMode(DDSURFACEDESC2* desc) override;
    HRESULT GetDeviceIdentifier(DDDEVICEIDENTIFIER2* identifier, DWORD flags) override;
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bits, DWORD refreshRate, DWORD flags) override;
    HRESULT TestCooperativeLevel() override;
    HRESULT RestoreAllSurfaces() override;

    const std::shared_ptr<DirectDrawState>& GetState() const { return mState; }

private:
    ~DirectDrawObject() override;
    // Gives an exclusive full-screen window back.
    void LeaveExclusive();

    std::shared_ptr<DirectDrawState> mState;
};
} // namespace Compat
