// The test that keeps the display away from Direct3D hardware known not to work.
#pragma once

#include "Platform/Compat/DirectDraw/DirectDrawTypes.h"

namespace Corvane
{
// True (with a debug line saying why) when the command line holds "-broken", or the driver is
// the ATI Mobility Radeon 7500C, which corrupts the display because it mismanages texture
// memory. The display never chooses a device marked broken.
bool IsBrokenHardware(const DDDEVICEIDENTIFIER2& identifier);
} // namespace Corvane
