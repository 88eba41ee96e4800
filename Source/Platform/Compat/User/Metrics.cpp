#include "Platform/Compat/User/Metrics.h"

#include "Platform/Compat/User/WindowObject.h"

namespace
{
int gTestWidth = 0;
int gTestHeight = 0;
int gBlackBrush = 0; // its address is the brush handle
} // namespace

int GetSystemMetrics(int index)
{
    if (index != SM_CXSCREEN && index != SM_CYSCREEN)
        return 0;
    if (gTestWidth > 0 && gTestHeight > 0)
        return index == SM_CXSCREEN ? gTestWidth : gTestHeight;
    SDL_DisplayMode mode;
    if (!Compat::EnsureVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return 0;
    return index == SM_CXSCREEN ? mode.w : mode.h;
}

HGDIOBJ GetStockObject(int kind)
{
    return kind == BLACK_BRUSH ? &gBlackBrush : nullptr;
}

UINT GetDoubleClickTime()
{
    return 500;
}

namespace Compat
{
void SetScreenSizeForTesting(int width, int height)
{
    gTestWidth = width;
    gTestHeight = height;
}
} // namespace Compat
