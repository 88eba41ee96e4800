#include "Platform/Compat/DirectDraw/DisplayMachine.h"

#include "Platform/Compat/Direct3D/Direct3D.h"
#include "Platform/Compat/DirectDraw/Surface.h"

#include <cstdio>
#include <optional>

namespace Compat
{
namespace
{
std::optional<DisplayMachine>& Described()
{
    static std::optional<DisplayMachine> described;
    return described;
}

const DisplayMachine& ThisMachine()
{
    std::optional<DisplayMachine>& described = Described();
    if (!described)
        described = DescribeThisMachine();
    return *described;
}

DisplayMachine& Machine()
{
    static DisplayMachine machine = ThisMachine();
    return machine;
}

D3DDEVICEDESC7 DeviceCaps(const GUID& guid, bool hardware)
{
    D3DDEVICEDESC7 caps{};
    caps.dwDevCaps = hardware ? D3DDEVCAPS_HWRASTERIZATION : 0;
    caps.dwDeviceRenderBitDepth = DDBD_16 | DDBD_24 | DDBD_32;
    caps.dwDeviceZBufferBitDepth = DDBD_16 | DDBD_24 | DDBD_32;
    caps.dwMinTextureWidth = 1;
    caps.dwMinTextureHeight = 1;
    caps.dwMaxTextureWidth = hardware ? 4096 : 2048;
    caps.dwMaxTextureHeight = hardware ? 4096 : 2048;
    caps.dpcTriCaps.dwTextureCaps = D3DPTEXTURECAPS_POW2;
    caps.dpcLineCaps = caps.dpcTriCaps;
    caps.wMaxTextureBlendStages = 8;
    caps.wMaxSimultaneousTextures = hardware ? 8 : 1;
    caps.wMaxUserClipPlanes = kCompatClipPlanes;
    caps.deviceGUID = guid;
    return caps;
}

Direct3DDeviceDescription Device(const GUID& guid, const char* name, bool hardware)
{
    Direct3DDeviceDescription device;
    device.name = name;
    device.description = std::string("Compat ") + name;
    device.caps = DeviceCaps(guid, hardware);
    device.textureFormats = {RgbFormat(32, 0xFF000000, 0xFF0000, 0xFF00, 0xFF),
                             RgbFormat(32, 0, 0xFF0000, 0xFF00, 0xFF), RgbFormat(16, 0, 0xF800, 0x07E0, 0x001F),
                             RgbFormat(16, 0xF000, 0x0F00, 0x00F0, 0x000F)};
    device.zBufferFormats = {ZBufferFormat(16), ZBufferFormat(24), ZBufferFormat(32)};
    return device;
}
} // namespace

DDPIXELFORMAT RgbFormat(DWORD bits, DWORD alpha, DWORD red, DWORD green, DWORD blue)
{
    DDPIXELFORMAT format{};
    format.dwSize = sizeof format;
    format.dwFlags = DDPF_RGB | (alpha ? DDPF_ALPHAPIXELS : 0);
    format.dwRGBBitCount = bits;
    format.dwRBitMask = red;
    format.dwGBitMask = green;
    format.dwBBitMask = blue;
    format.dwRGBAlphaBitMask = alpha;
    return format;
}

DDPIXELFORMAT ZBufferFormat(DWORD bits)
{
    DDPIXELFORMAT format{};
    format.dwSize = sizeof format;
    format.dwFlags = DDPF_ZBUFFER;
    format.dwZBufferBitDepth = bits;
    format.dwZBitMask = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
    return format;
}

Direct3DDeviceDescription SoftwareDevice(const GUID& guid, const char* name)
{
    return Device(guid, name, false);
}

Direct3DDeviceDescription HardwareDevice(const GUID& guid, const char* name)
{
    return Device(guid, name, true);
}

DisplayDriverDescription DefaultPrimaryDriver()
{
    DisplayDriverDescription driver;
    driver.name = "display";
    driver.description = "Compat Display";
    std::snprintf(driver.identifier.szDriver, sizeof driver.identifier.szDriver, "compat.drv");
    std::snprintf(driver.identifier.szDescription, sizeof driver.identifier.szDescription, "Compat Display Adapter");
    driver.identifier.dwVendorId = 0xC0A7;
    driver.identifier.dwDeviceId = 0x0001;
    driver.videoMemoryTotal = 256u << 20;
    driver.videoMemoryFree = 240u << 20;
    const int sizes[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 720}, {1280, 1024}, {1920, 1080}};
    for (const int bits : {16, 32})
        for (const auto& size : sizes)
            driver.modes.push_back({size[0], size[1], bits});
    driver.devices = {SoftwareDevice(IID_IDirect3DRGBDevice, "RGB Emulation"),
                      HardwareDevice(IID_IDirect3DHALDevice, "Direct3D HAL"),
                      HardwareDevice(IID_IDirect3DTnLHalDevice, "Direct3D T&L HAL")};
    return driver;
}

DisplayMachine DefaultDisplayMachine()
{
    DisplayMachine machine;
    machine.drivers.push_back(DefaultPrimaryDriver());
    return machine;
}

const DisplayMachine& GetDisplayMachine()
{
    return Machine();
}

void SetDisplayMachine(const DisplayMachine& machine)
{
    Machine() = machine;
}

void ResetDisplayMachine()
{
    Machine() = ThisMachine();
}

void StandInForThisMachine(const DisplayMachine& machine)
{
    Described() = machine;
    Machine() = machine;
}

HRESULT InjectedFailure(DisplayCall call)
{
    const auto& failures = Machine().failures;
    const auto found = failures.find(call);
    return found == failures.end() ? DD_OK : found->second;
}

void LoseDisplaySurfaces()
{
    for (Surface* surface : Surface::All())
        surface->Lose();
}

void ForgetRenderedPixels(bool deviceReset)
{
    for (Surface* surface : Surface::All())
        surface->ForgetTexture(deviceReset);
}
} // namespace Compat
