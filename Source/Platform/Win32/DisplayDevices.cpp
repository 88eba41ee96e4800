#include "Platform/Win32/DisplayDevices.h"

#include "Platform/Compat/Direct3D/Direct3D.h"
#include "Platform/Win32/BrokenHardware.h"
#include "Win32/Win32Error.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <tuple>

namespace Corvane
{
namespace
{
DisplayDeviceList& List()
{
    static DisplayDeviceList list;
    return list;
}

// What one driver offers its devices while they are enumerated.
struct DriverScan
{
    DisplayDeviceRecord driver; // the driver's part of every record
    std::vector<DDSURFACEDESC2> modes;
};

void CopyName(char (&to)[40], const char* from)
{
    std::snprintf(to, sizeof to, "%s", from ? from : "");
}

bool UsableDepth(DWORD bits, DWORD renderDepths)
{
    switch (bits)
    {
    case 32: return (renderDepths & DDBD_32) != 0;
    case 24: return (renderDepths & DDBD_24) != 0;
    case 16: return (renderDepths & DDBD_16) != 0;
    default: return false;
    }
}

HRESULT CollectMode(DDSURFACEDESC2* mode, void* context)
{
    static_cast<DriverScan*>(context)->modes.push_back(*mode);
    return DDENUMRET_OK;
}

HRESULT AddDevice(char*, char* name, D3DDEVICEDESC7* desc, void* context)
{
    const DriverScan& scan = *static_cast<DriverScan*>(context);
    DisplayDeviceList& list = List();
    ++list.driversExamined;
    const bool hardware = (desc->dwDevCaps & D3DDEVCAPS_HWRASTERIZATION) != 0;
    if (!scan.driver.primaryDriver && !hardware)
        return D3DENUMRET_OK;
    if (list.count >= kMaxDisplayDevices)
        return D3DENUMRET_OK; // the list is full: further devices are left out

    DisplayDeviceRecord& record = list.records[list.count];
    record = scan.driver;
    CopyName(record.name, scan.driver.primaryDriver ? name : scan.driver.name);
    record.deviceGuid = desc->deviceGUID;
    record.deviceDescription = *desc;
    record.hardware = hardware;
    record.windowed = record.desktopCompatible;
    for (const DDSURFACEDESC2& mode : scan.modes)
    {
        if (!UsableDepth(mode.ddpfPixelFormat.dwRGBBitCount, desc->dwDeviceRenderBitDepth))
            continue;
        record.modes.push_back(mode);
        if (mode.ddsCaps.dwCaps2 & DDSCAPS2_STEREOSURFACELEFT)
            record.stereo = true;
        if (mode.dwWidth == 640 && mode.dwHeight == 480 && mode.ddpfPixelFormat.dwRGBBitCount == 32)
            record.defaultModeIndex = static_cast<int>(record.modes.size()) - 1;
    }
    if (record.modes.empty())
    {
        record = DisplayDeviceRecord();
        return D3DENUMRET_OK;
    }
    if (record.defaultModeIndex >= 0)
        record.defaultMode = &record.modes[record.defaultModeIndex];
    ++list.count;
    return D3DENUMRET_OK;
}

BOOL ExamineDriver(GUID* guid, char* description, char*, void*, HMONITOR)
{
    void* object = nullptr;
    if (FAILED(DirectDrawCreateEx(guid, &object, IID_IDirectDraw7, nullptr)))
        return TRUE;
    auto* draw = static_cast<IDirectDraw7*>(object);
    if (FAILED(draw->QueryInterface(IID_IDirect3D7, &object)))
    {
        draw->Release();
        return TRUE;
    }
    auto* direct3D = static_cast<IDirect3D7*>(object);

    DriverScan scan;
    DisplayDeviceRecord& driver = scan.driver;
    CopyName(driver.name, description);
    driver.driverCaps.dwSize = sizeof driver.driverCaps;
    driver.emulationCaps.dwSize = sizeof driver.emulationCaps;
    draw->GetCaps(&driver.driverCaps, &driver.emulationCaps);
    driver.primaryDriver = guid == nullptr;
    if (guid)
        driver.driverGuid = *guid;
    draw->GetDeviceIdentifier(&driver.driverIdentifier, 0);
    driver.desktopCompatible = driver.primaryDriver && (driver.driverCaps.dwCaps2 & DDCAPS2_CANRENDERWINDOWED);
    draw->EnumDisplayModes(0, nullptr, &scan, &CollectMode);
    std::stable_sort(scan.modes.begin(), scan.modes.end(), [](const DDSURFACEDESC2& a, const DDSURFACEDESC2& b) {
        return std::tie(a.dwWidth, a.dwHeight, a.ddpfPixelFormat.dwRGBBitCount) <
               std::tie(b.dwWidth, b.dwHeight, b.ddpfPixelFormat.dwRGBBitCount);
    });
    direct3D->EnumDevices(&AddDevice, &scan);
    direct3D->Release();
    draw->Release();
    return TRUE;
}
} // namespace

HRESULT EnumerateDisplayDevices()
{
    FreeDisplayDevices();
    DirectDrawEnumerateExA(&ExamineDriver, nullptr,
                           DDENUM_ATTACHEDSECONDARYDEVICES | DDENUM_DETACHEDSECONDARYDEVICES |
                               DDENUM_NONDISPLAYDEVICES);
    const DisplayDeviceList& list = List();
    if (list.driversExamined == 0)
        return kNoDisplayDriver;
    return list.count == 0 ? kNoDisplayDevice : 0;
}

HRESULT SelectDefaultDevice(DWORD flags, DisplayDeviceRecord** out)
{
    if (!out)
        return kInvalidArgument;
    DisplayDeviceRecord* transformAndLighting = nullptr;
    DisplayDeviceRecord* hardware = nullptr;
    DisplayDeviceRecord* reference = nullptr;
    DisplayDeviceRecord* software = nullptr;
    DisplayDeviceList& list = List();
    for (int i = 0; i < list.count; ++i)
    {
        DisplayDeviceRecord& record = list.records[i];
        if (!record.desktopCompatible)
            continue;
        if (record.hardware)
        {
            if (IsBrokenHardware(record.driverIdentifier))
                continue;
            (record.deviceGuid == IID_IDirect3DTnLHalDevice ? transformAndLighting : hardware) = &record;
        }
        else
            (record.deviceGuid == IID_IDirect3DRefDevice ? reference : software) = &record;
    }
    DisplayDeviceRecord* chosen = nullptr;
    if (!(flags & kSelectSoftwareOnly))
        chosen = transformAndLighting ? transformAndLighting : hardware;
    if (!chosen)
        chosen = software ? software : reference;
    if (!chosen)
        return kNoSuitableDisplayDevice;
    chosen->windowed = true;
    *out = chosen;
    return 0;
}

DisplayDeviceRecord& GetDefaultDevice()
{
    if (List().count == 0)
    {
        const HRESULT result = EnumerateDisplayDevices();
        if (FAILED(result))
            throw Win32::Win32Error("Direct3D device enumeration failed.", result, __FILE__, __LINE__,
                                    "GetDefaultDevice");
    }
    DisplayDeviceRecord* chosen = nullptr;
    const HRESULT result = SelectDefaultDevice(0, &chosen);
    if (FAILED(result))
        throw Win32::Win32Error("Direct3D device could not be found.", result, __FILE__, __LINE__, "GetDefaultDevice");
    return *chosen;
}

void FreeDisplayDevices()
{
    List() = DisplayDeviceList();
}

const DisplayDeviceList& GetDisplayDeviceList()
{
    return List();
}
} // namespace Corvane
