// The process's list of Direct3D devices, one record per usable device of every DirectDraw
// driver with the full-screen modes it can render to, and the choice of the device to use: a
// transform-and-lighting hardware device first, then other hardware, then software rasterisers,
// never hardware marked broken. Filled once on first use, kept until the display frees it.
// Main thread.
#pragma once

#include "Platform/Compat/Direct3D/Direct3DTypes.h"

#include <array>
#include <vector>

namespace Corvane
{
struct DisplayDeviceRecord
{
    DDDEVICEIDENTIFIER2 driverIdentifier{};
    DDCAPS driverCaps{};
    DDCAPS emulationCaps{};
    bool primaryDriver = true; // the driver GUID is null
    GUID driverGuid{};
    char name[40] = {}; // the device's name, or the driver's description for a secondary driver
    GUID deviceGuid{};
    D3DDEVICEDESC7 deviceDescription{};
    bool hardware = false;
    bool desktopCompatible = false;              // the primary driver, able to render into a window
    std::vector<DDSURFACEDESC2> modes;           // usable full-screen modes, by width, height and depth
    const DDSURFACEDESC2* defaultMode = nullptr; // the last 640x480 32-bit mode, if any
    int defaultModeIndex = -1;
    bool stereo = false;
    bool windowed = false;
};

constexpr int kMaxDisplayDevices = 20;

struct DisplayDeviceList
{
    std::array<DisplayDeviceRecord, kMaxDisplayDevices> records;
    int count = 0;
    int driversExamined = 0;
};

// Result codes.
constexpr HRESULT kNoDisplayDriver = static_cast<HRESULT>(0x81000002u);
constexpr HRESULT kNoDisplayDevice = static_cast<HRESULT>(0x81000003u);
constexpr HRESULT kNoSuitableDisplayDevice = static_cast<HRESULT>(0x81000004u);
constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057u);

// Bit of SelectDefaultDevice's flags that rules the hardware devices out.
constexpr DWORD kSelectSoftwareOnly = 1;

// Fills the list from every driver; kNoDisplayDriver when no device of any driver was examined,
// kNoDisplayDevice when none was kept, else 0.
HRESULT EnumerateDisplayDevices();
// Chooses among the desktop-compatible records and marks the choice windowed.
// kInvalidArgument without out, kNoSuitableDisplayDevice when nothing qualifies.
HRESULT SelectDefaultDevice(DWORD flags, DisplayDeviceRecord** out);
// The chosen device, enumerating first when the list is empty. Throws Win32::Win32Error
// "Direct3D device enumeration failed." or "Direct3D device could not be found." with the code.
DisplayDeviceRecord& GetDefaultDevice();
// Frees every record's modes and empties the list (the next use enumerates again).
void FreeDisplayDevices();
const DisplayDeviceList& GetDisplayDeviceList();
} // namespace Corvane
