#include "Platform/Win32/GraphicsPlatformMakers.h"

#include "Platform/Win32/DDraw7GraphicsPlatform.h"
#include "Platform/Win32/display.h"

namespace Corvane::Internal
{
GraphicsPlatformMakers DefaultGraphicsPlatformMakers()
{
    GraphicsPlatformMakers makers;
    makers.createDisplay = [] {
        if (!CDisplay::GetInstance())
            CDisplay::CreateInstance();
        return CDisplay::GetInstance() != nullptr;
    };
    // Graphics flag 4 asks the display for a z-buffer.
    makers.addDisplayFlags = [](int flags) {
        if (CDisplay* display = CDisplay::GetInstance())
            display->AddFlags(flags & kDisplayZBuffer);
    };
    makers.makeDirectDraw = &DDraw7GraphicsPlatform::Create;
    // No Direct3D renderer yet: a Direct3D request is refused and the engine falls back.
    return makers;
}
} // namespace Corvane::Internal
