#include "Platform/Win32/BrokenHardware.h"

#include "Debug.h"
#include "Framework/CommandLine.h"

#include <cstring>

namespace Corvane
{
namespace
{
struct BrokenAdapter
{
    DWORD vendor;
    DWORD device;
    DWORD subsystem;
    DWORD revision;
    const char* description; // contained in the driver's description
    const char* reason;
};

constexpr BrokenAdapter kBrokenAdapters[] = {
    {0x1002, 0x4C57, 0x01491028, 0, "MOBILITY RADEON 7500C",
     "Broken 3D Hardware: ATI Mobility Radeon 7500C fails to manage texture memory correctly causing display "
     "corruption.\n"},
};
} // namespace

bool IsBrokenHardware(const DDDEVICEIDENTIFIER2& identifier)
{
    // Read for every device examined, so a test can stage it at any time.
    if (CommandLineContains(L"-broken"))
    {
        DebugPrint("Broken 3D Hardware: Faking problems because of -broken command line switch.\n");
        return true;
    }
    for (const BrokenAdapter& adapter : kBrokenAdapters)
    {
        if (identifier.dwVendorId == adapter.vendor && identifier.dwDeviceId == adapter.device &&
            identifier.dwSubSysId == adapter.subsystem && identifier.dwRevision == adapter.revision &&
            std::strstr(identifier.szDescription, adapter.description))
        {
            DebugPrint("%s", adapter.reason);
            return true;
        }
    }
    return false;
}
} // namespace Corvane
