#include "Platform/Win32/UserDataFolder.h"

#include "Debug.h"
#include "Platform/Compat/Kernel/Files.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "Platform/Compat/Shell/PathFunctions.h"
#include "Platform/Compat/Shell/Shell.h"
#include "RuntimeError.h"
#include "TextConversion.h"

namespace Corvane
{
namespace
{
bool IsFolderNameCharacter(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L' ' ||
           c == L'\'' || c == L',';
}

// Appends one folder to path and creates it; false when the path is too long.
bool AppendFolder(wchar_t* path, const std::wstring& name)
{
    if (!PathAppendW(path, name.c_str()))
        return false;
    if (!CreateDirectoryW(path, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    {
        std::string narrow;
        Narrow::FromWide(narrow, path);
        DebugPrint("Could not create the folder %s (error %u).\n", narrow.c_str(), GetLastError());
    }
    return true;
}
} // namespace

std::wstring CleanFolderName(const std::wstring& name)
{
    std::wstring clean;
    for (wchar_t c : name)
        if (IsFolderNameCharacter(c))
            clean += c;
    return clean;
}

std::wstring CreateUserDataFolder(const std::wstring& company, const std::wstring& product)
{
    wchar_t path[MAX_PATH] = {};
    // Without it the profiles would land in the working folder, which may be the program's own.
    if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, TRUE))
        throw RuntimeError("The folder for the player profiles cannot be found: the user has no home folder and "
                           "neither XDG_DATA_HOME nor HOME names one.",
                           __FILE__, __LINE__, "Corvane::CreateUserDataFolder");
    if (!AppendFolder(path, CleanFolderName(company)) || !AppendFolder(path, CleanFolderName(product)))
        DebugPrint("The per-user folder's path is too long.\n");
    return path;
}
} // namespace Corvane
