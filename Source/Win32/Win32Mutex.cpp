#include "Win32/Win32Mutex.h"

namespace Corvane
{
IMutex* CreateMutex()
{
    return new Win32::Mutex;
}
} // namespace Corvane
