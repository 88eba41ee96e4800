#include "Win32/Win32ThreadSignal.h"

#include "Platform/Compat/Kernel/LastError.h"
#include "Win32/Win32Error.h"

#include <system_error>

namespace Win32
{
namespace
{
// The standard primitives report failures as system_error; raise them as the platform's error.
[[noreturn]] void Raise(const std::system_error& error, const char* message, int line, const char* function)
{
    throw Win32Error(message, SetLastErrorFromErrno(error.code().value()), __FILE__, line, function);
}
} // namespace

ThreadSignal::ThreadSignal() = default;

void ThreadSignal::Signal()
{
    try
    {
        std::lock_guard<std::mutex> lock(mLock);
        mSet = true;
        mChanged.notify_one();
    }
    catch (const std::system_error& error)
    {
        Raise(error, "Could not signal an event object.", __LINE__, "Win32::ThreadSignal::Signal");
    }
}

void ThreadSignal::Wait()
{
    try
    {
        std::unique_lock<std::mutex> lock(mLock);
        mChanged.wait(lock, [this] { return mSet; });
        mSet = false;
    }
    catch (const std::system_error& error)
    {
        Raise(error, "An infinite wait on an event object failed.", __LINE__, "Win32::ThreadSignal::Wait");
    }
}

bool ThreadSignal::TryWait()
{
    try
    {
        std::lock_guard<std::mutex> lock(mLock);
        const bool wasSet = mSet;
        mSet = false;
        return wasSet;
    }
    catch (const std::system_error& error)
    {
        Raise(error, "A timed wait on an event object failed.", __LINE__, "Win32::ThreadSignal::TryWait");
    }
}
} // namespace Win32

namespace Corvane
{
IThreadSignal* CreateThreadSignal()
{
    return new Win32::ThreadSignal;
}
} // namespace Corvane
