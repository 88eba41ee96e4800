// The exception raised by the platform layer: a runtime error whose text appends the system's
// description of a Win32 error code or of a graphics HRESULT, then the code itself:
//   "<message>\n<description> (Win32 Error 5)"   or   "<message>\n<name> (HRESULT 0x887601c2)"
#pragma once

#include "Platform/Compat/Kernel/Types.h"
#include "RuntimeError.h"

namespace Win32
{
class Win32Error : public Corvane::RuntimeError
{
public:
    // A code from GetLastError.
    Win32Error(const std::string& message, DWORD code, const char* file, int line, const char* function);
    // An HRESULT from a DirectX call.
    Win32Error(const std::string& message, HRESULT result, const char* file, int line, const char* function);

    // The Win32 error code or the HRESULT (as its bits).
    DWORD GetCode() const { return mCode; }

private:
    DWORD mCode;
};

// The system's description of a Win32 error code (a graphics HRESULT's name when the system has
// none), without line breaks, for messages that name a failure's reason.
std::string DescribeError(DWORD code);
} // namespace Win32
