#include "Platform/Compat/User/DisplayPresence.h"

#include <cstdlib>
#include <cstring>

namespace Compat
{
namespace
{
const char* Named(const char* variable)
{
    const char* value = std::getenv(variable);
    return value && *value ? value : nullptr;
}
} // namespace

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

const char* WindowSystemDrivers()
{
    return Named("WAYLAND_DISPLAY") ? "x11,wayland" : "x11";
}

std::string WhyNoDisplay()
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (const char* display = Named(variable))
            return "could not open the display \"" + std::string(display) + "\" (named by " + variable +
                   "): nothing answers there, or it does not let this user in.";
    return "found no display to show itself on: neither DISPLAY nor WAYLAND_DISPLAY names one.";
}
} // namespace Compat
