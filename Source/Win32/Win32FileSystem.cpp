#include "Win32/Win32FileSystem.h"

#include "Platform/Compat/Kernel/Files.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "Platform/Compat/Shell/PathFunctions.h"
#include "Win32/Win32Error.h"

namespace Corvane
{
namespace
{
// Index of the last separator, or npos.
std::size_t LastSeparator(const std::wstring& path)
{
    return path.find_last_of(L"/\\");
}

// Index of the '.' that starts the last element's extension, or npos.
std::size_t ExtensionStart(const std::wstring& path)
{
    const std::size_t dot = path.rfind(L'.');
    const std::size_t separator = LastSeparator(path);
    if (dot == std::wstring::npos || (separator != std::wstring::npos && dot < separator))
        return std::wstring::npos;
    return dot;
}
} // namespace

void CreateDirectory(const std::wstring& path)
{
    if (path.empty())
        return;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    const std::wstring parent = Path::GetDirectory(path);
    if (parent != path && !parent.empty() && !PathIsRootW(parent.c_str()))
        CreateDirectory(parent);
    if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw Win32::Win32Error("Could not create a folder.", GetLastError(), __FILE__, __LINE__,
                                "Corvane::CreateDirectory");
}

namespace Path
{
std::wstring GetDirectory(const std::wstring& path)
{
    const std::size_t separator = LastSeparator(path);
    return separator == std::wstring::npos ? path : path.substr(0, separator);
}

std::wstring GetBaseName(const std::wstring& path)
{
    const std::size_t separator = LastSeparator(path);
    const std::size_t start = separator == std::wstring::npos ? 0 : separator + 1;
    const std::size_t dot = ExtensionStart(path);
    return path.substr(start, dot == std::wstring::npos ? std::wstring::npos : dot - start);
}

std::wstring GetExtension(const std::wstring& path)
{
    // The last '.' of the whole path, wherever it lies: callers pass file names.
    const std::size_t dot = path.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : path.substr(dot);
}
} // namespace Path
} // namespace Corvane
