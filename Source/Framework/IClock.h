// The millisecond tick counter and sleep the main loop paces itself with. Tests substitute their
// own clock to say exactly how much time passed.
#pragma once

#include <cstdint>

namespace Corvane
{
class IClock
{
public:
    virtual ~IClock() = default;
    // Milliseconds since an arbitrary start; wraps at 2^32, so callers subtract in unsigned
    // arithmetic.
    virtual std::uint32_t GetTickCount() = 0;
    // Blocks the calling thread for about milliseconds.
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};

// The system's tick counter and sleep.
IClock& GetSystemClock();
} // namespace Corvane
