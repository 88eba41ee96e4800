#include "Win32/Win32Error.h"

#include "Platform/Compat/Kernel/LastError.h"
#include "Win32/GraphicsErrorString.h"

#include <cstdio>

namespace Win32
{
std::string DescribeError(DWORD code)
{
    char buffer[1024];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                             sizeof buffer, nullptr);
    if (n > 0)
    {
        while (n > 0 && (buffer[n - 1] == '\r' || buffer[n - 1] == '\n'))
            --n;
        return std::string(buffer, n);
    }
    GetGraphicsErrorString(static_cast<HRESULT>(code), sizeof buffer, buffer);
    return buffer;
}

namespace
{
std::string Compose(const std::string& message, DWORD code, bool isResult)
{
    std::string text = message;
    const std::string description = DescribeError(code);
    if (!description.empty())
        text += "\n" + description;
    char suffix[40];
    if (isResult)
        std::snprintf(suffix, sizeof suffix, " (HRESULT 0x%x)", code);
    else
        std::snprintf(suffix, sizeof suffix, " (Win32 Error %u)", code);
    return text + suffix;
}
} // namespace

Win32Error::Win32Error(const std::string& message, DWORD code, const char* file, int line, const char* function)
    : RuntimeError(Compose(message, code, false), file, line, function), mCode(code)
{
}

Win32Error::Win32Error(const std::string& message, HRESULT result, const char* file, int line, const char* function)
    : RuntimeError(Compose(message, static_cast<DWORD>(result), true), file, line, function),
      mCode(static_cast<DWORD>(result))
{
}
} // namespace Win32
