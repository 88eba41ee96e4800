#include "Platform/Win32/GraphicsPlatformMakers.h"

#include "Platform/Win32/D3D7GraphicsPlatform.h"
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
    makers.makeDirect3D = &D3D7GraphicsPlatform::Create;
    makers.makeDirectDraw = &DDraw7GraphicsPlatform::Create;
    return makers;
}
} // namespace Corvane::Internal
