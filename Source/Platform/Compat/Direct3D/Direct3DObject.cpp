#include "Platform/Compat/Direct3D/Direct3DObject.h"

#include "Platform/Compat/Direct3D/Device.h"
#include "Platform/Compat/DirectDraw/DirectDrawObject.h"
#include "Platform/Compat/DirectDraw/Surface.h"

#include <algorithm>
#include <string>

const IID IID_IDirect3D7 = {0x6c1d0002, 0xc0a7, 0x4e11, {0x9a, 0x31, 0x44, 0x33, 0x44, 0x37, 0x00, 0x01}};
const GUID IID_IDirect3DRGBDevice = {0x6c1d0101, 0xc0a7, 0x4e11, {0x9a, 0x31, 0x52, 0x47, 0x42, 0x00, 0x00, 0x01}};
const GUID IID_IDirect3DRefDevice = {0x6c1d0102, 0xc0a7, 0x4e11, {0x9a, 0x31, 0x52, 0x45, 0x46, 0x00, 0x00, 0x01}};
const GUID IID_IDirect3DHALDevice = {0x6c1d0103, 0xc0a7, 0x4e11, {0x9a, 0x31, 0x48, 0x41, 0x4c, 0x00, 0x00, 0x01}};
const GUID IID_IDirect3DTnLHalDevice = {0x6c1d0104, 0xc0a7, 0x4e11, {0x9a, 0x31, 0x54, 0x4e, 0x4c, 0x00, 0x00, 0x01}};

namespace Compat
{
namespace
{
class Direct3DObject final : public ComObject<IDirect3D7>
{
public:
    explicit Direct3DObject(DirectDrawObject* owner) : mOwner(owner) { mOwner->AddRef(); }

    HRESULT QueryInterface(const IID& iid, void** out) override
    {
        if (!out)
            return DDERR_INVALIDPARAMS;
        *out = nullptr;
        if (!(iid == IID_IDirect3D7))
            return DDERR_UNSUPPORTED;
        AddRef();
        *out = static_cast<IDirect3D7*>(this);
        return D3D_OK;
    }

    HRESULT EnumDevices(LPD3DENUMDEVICESCALLBACK7 callback, void* context) override
    {
        if (!callback)
            return DDERR_INVALIDPARAMS;
        for (const Direct3DDeviceDescription& device : Devices())
        {
            std::string description = device.description, name = device.name;
            D3DDEVICEDESC7 caps = device.caps;
            if (callback(description.data(), name.data(), &caps, context) == D3DENUMRET_CANCEL)
                break;
        }
        return D3D_OK;
    }

    HRESULT CreateDevice(const GUID& guid, IDirectDrawSurface7* target, IDirect3DDevice7** out) override
    {
        if (!out)
            return DDERR_INVALIDPARAMS;
        *out = nullptr;
        const Direct3DDeviceDescription* device = Find(guid);
        Surface* surface = Surface::From(target);
        if (!device || !surface)
            return DDERR_INVALIDPARAMS;
        DDSURFACEDESC2 desc;
        surface->GetSurfaceDesc(&desc);
        if (!surface->HasPixels() || !(desc.ddsCaps.dwCaps & DDSCAPS_3DDEVICE))
            return DDERR_INVALIDCAPS;
        if (const HRESULT failure = InjectedFailure(DisplayCall::CreateDevice))
            return failure;
        *out = new Device(*device, surface);
        return D3D_OK;
    }

    HRESULT EnumZBufferFormats(const GUID& guid, LPD3DENUMPIXELFORMATSCALLBACK callback, void* context) override
    {
        const Direct3DDeviceDescription* device = Find(guid);
        if (!callback || !device)
            return DDERR_INVALIDPARAMS;
        for (DDPIXELFORMAT format : device->zBufferFormats)
            if (callback(&format, context) == D3DENUMRET_CANCEL)
                break;
        return D3D_OK;
    }

private:
    ~Direct3DObject() override { mOwner->Release(); }

    const std::vector<Direct3DDeviceDescription>& Devices() const { return mOwner->GetState()->driver.devices; }
    const Direct3DDeviceDescription* Find(const GUID& guid) const
    {
        const auto& devices = Devices();
        const auto found = std::find_if(devices.begin(), devices.end(),
                                        [&](const Direct3DDeviceDescription& d) { return d.caps.deviceGUID == guid; });
        return found == devices.end() ? nullptr : &*found;
    }

    DirectDrawObject* mOwner;
};
} // namespace

IDirect3D7* CreateDirect3D(DirectDrawObject* owner)
{
    return new Direct3DObject(owner);
}
} // namespace Compat
