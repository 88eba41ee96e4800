#include "Platform/Win32/RendererFrame.h"

#include "Framework/DisplayChange.h"
#include "Platform/Compat/Kernel/Time.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Win32/display.h"
#include "RuntimeError.h"
#include "Win32/Win32Error.h"

namespace Corvane::Internal
{
CDisplay& RequireDisplay(const char* message, const char* function)
{
    CDisplay* display = CDisplay::GetInstance();
    if (!display)
        throw RuntimeError(message, __FILE__, __LINE__, function);
    return *display;
}

int BeginDisplayFrame(CDisplay& display, const char* function)
{
    if (IsIconic(display.GetWindow()))
        return 1;
    if (IDirectDraw7* draw = display.GetDirectDraw())
    {
        const HRESULT level = draw->TestCooperativeLevel();
        if (level == DDERR_EXCLUSIVEMODEALREADYSET || level == DDERR_NOEXCLUSIVEMODE)
        {
            // Another program has the screen: wait for it, a frame at a time.
            Sleep(50);
            return 1;
        }
        if (level == DDERR_WRONGMODE)
        {
            // The desktop changed its mode under the display: everything is set up again.
            ResetDisplay();
            return 1;
        }
        if (FAILED(level))
            throw Win32::Win32Error("TestCooperativeLevel failed", level, __FILE__, __LINE__, function);
    }
    display.Clear();
    const HRESULT begun = display.BeginScene();
    // The display has restored the lost surfaces already: the next frame draws again.
    if (begun == DDERR_SURFACELOST)
        return 1;
    if (FAILED(begun))
        throw Win32::Win32Error("BeginScene failed", begun, __FILE__, __LINE__, function);
    return 0;
}
} // namespace Corvane::Internal
