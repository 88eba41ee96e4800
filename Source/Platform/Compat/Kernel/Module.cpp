#include "Platform/Compat/Kernel/Module.h"

#include "Platform/Compat/Kernel/LastError.h"
#include "Platform/Compat/Kernel/NativePath.h"
#include "Utf8.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

namespace
{
int gModuleToken = 0;

DWORD CopyOut(const std::wstring& text, wchar_t* buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    const DWORD n = static_cast<DWORD>(std::min<std::size_t>(text.size(), size - 1));
    text.copy(buffer, n);
    buffer[n] = 0;
    return n;
}
} // namespace

HMODULE GetModuleHandleW(const wchar_t*)
{
    return &gModuleToken;
}

DWORD GetModuleFileNameW(HMODULE, wchar_t* buffer, DWORD size)
{
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
    {
        SetLastErrorFromErrno(errno);
        return 0;
    }
    return CopyOut(Corvane::Utf8::ToWide(std::string(path, static_cast<std::size_t>(n))), buffer, size);
}

BOOL SetCurrentDirectoryW(const wchar_t* path)
{
    if (::chdir(Compat::NativePath(path).c_str()) == 0)
        return TRUE;
    SetLastErrorFromErrno(errno);
    return FALSE;
}

DWORD GetCurrentDirectoryW(DWORD size, wchar_t* buffer)
{
    char path[PATH_MAX];
    if (!::getcwd(path, sizeof path))
    {
        SetLastErrorFromErrno(errno);
        return 0;
    }
    const std::wstring wide = Corvane::Utf8::ToWide(path);
    if (!buffer || size <= wide.size())
        return static_cast<DWORD>(wide.size() + 1);
    return CopyOut(wide, buffer, size);
}
