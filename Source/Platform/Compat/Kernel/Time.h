// The tick counter and sleeping, on the monotonic clock. The 1 ms timer-resolution calls have
// nothing to change here and succeed.
#pragma once

#include "Platform/Compat/Kernel/Types.h"

// Milliseconds since an arbitrary start; wraps at 2^32 like the desktop's counter.
DWORD GetTickCount();
void Sleep(DWORD milliseconds);

constexpr UINT TIMERR_NOERROR = 0;
UINT timeBeginPeriod(UINT period);
UINT timeEndPeriod(UINT period);
