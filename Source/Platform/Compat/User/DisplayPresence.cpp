#include "Platform/Compat/User/DisplayPresence.h"

#include <cstdlib>
#include <cstring>

namespace Compat
{
bool IsScreenlessDriver(const char* driver)
{
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

bool HasDisplay()
{
    if (IsScreenlessDriver(std::getenv("SDL_VIDEODRIVER")))
        return false;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}
} // namespace Compat
