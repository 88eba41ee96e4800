// Asked by a quit request whether the program may end now (e.g. a loading screen that must finish
// first). Registered with AddQuitHandler; the list holds plain pointers. Main thread.
#pragma once

namespace Corvane
{
class IQuitHandler
{
public:
    virtual ~IQuitHandler() = default;
    // True: the program may end now. False refuses; the handler remembers the request itself.
    virtual bool CanQuit() = 0;
};
} // namespace Corvane
