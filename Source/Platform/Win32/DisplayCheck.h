// Turning a failed DirectDraw or Direct3D call of the display's set-up into its exception.
#pragma once

#include "Platform/Compat/DirectDraw/DirectDrawErrors.h"
#include "Win32/Win32Error.h"

namespace Corvane::Internal
{
// Throws Win32::Win32Error with message and the result when result is a failure.
inline void ThrowIfFailed(HRESULT result, const char* message, const char* file, int line, const char* function)
{
    if (FAILED(result))
        throw Win32::Win32Error(message, result, file, line, function);
}

// The same for a surface creation, which says so when video memory ran out.
inline void ThrowIfCreateFailed(HRESULT result, const char* message, const char* outOfMemoryMessage, const char* file,
                                int line, const char* function)
{
    ThrowIfFailed(result, result == DDERR_OUTOFVIDEOMEMORY ? outOfMemoryMessage : message, file, line, function);
}
} // namespace Corvane::Internal
