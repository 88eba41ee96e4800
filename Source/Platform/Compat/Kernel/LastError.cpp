#include "Platform/Compat/Kernel/LastError.h"

#include <cerrno>
#include <cstdio>

namespace
{
thread_local DWORD tLastError = ERROR_SUCCESS;

const char* SystemText(DWORD code)
{
    switch (code)
    {
    case ERROR_SUCCESS: return "The operation completed successfully.";
    case ERROR_FILE_NOT_FOUND: return "The system cannot find the file specified.";
    case ERROR_PATH_NOT_FOUND: return "The system cannot find the path specified.";
    case ERROR_ACCESS_DENIED: return "Access is denied.";
    case ERROR_INVALID_HANDLE: return "The handle is invalid.";
    case ERROR_NOT_ENOUGH_MEMORY: return "Not enough memory resources are available to process this command.";
    case ERROR_INVALID_PARAMETER: return "The parameter is incorrect.";
    case ERROR_FILE_EXISTS: return "The file exists.";
    case ERROR_ALREADY_EXISTS: return "Cannot create a file when that file already exists.";
    case ERROR_NO_MORE_FILES: return "There are no more files.";
    case ERROR_DISK_FULL: return "There is not enough space on the disk.";
    case ERROR_TOO_MANY_OPEN_FILES: return "The system cannot open the file.";
    case ERROR_DIR_NOT_EMPTY: return "The directory is not empty.";
    case ERROR_INVALID_NAME: return "The filename, directory name, or volume label syntax is incorrect.";
    case ERROR_BUSY: return "The requested resource is in use.";
    case ERROR_NOT_SUPPORTED: return "The request is not supported.";
    case ERROR_GEN_FAILURE: return "A device attached to the system is not functioning.";
    case ERROR_SHARING_VIOLATION:
        return "The process cannot access the file because it is being used by another process.";
    case ERROR_FILE_TOO_LARGE: return "The file size exceeds the limit allowed and cannot be saved.";
    case ERROR_CANT_RESOLVE_FILENAME: return "The name of the file cannot be resolved by the system.";
    case ERROR_CANT_ACCESS_FILE: return "The file cannot be accessed by the system.";
    default: return nullptr;
    }
}
} // namespace

DWORD GetLastError()
{
    return tLastError;
}

void SetLastError(DWORD code)
{
    tLastError = code;
}

DWORD SetLastErrorFromErrno(int error)
{
    DWORD code = ERROR_GEN_FAILURE;
    switch (error)
    {
    case 0: code = ERROR_SUCCESS; break;
    case ENOENT: code = ERROR_FILE_NOT_FOUND; break;
    case ENOTDIR: code = ERROR_PATH_NOT_FOUND; break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: code = ERROR_ACCESS_DENIED; break;
    case EBADF: code = ERROR_INVALID_HANDLE; break;
    case ENOMEM: code = ERROR_NOT_ENOUGH_MEMORY; break;
    case EINVAL: code = ERROR_INVALID_PARAMETER; break;
    case EEXIST: code = ERROR_ALREADY_EXISTS; break;
    case ENOSPC:
    case EDQUOT: code = ERROR_DISK_FULL; break;
    case EFBIG: code = ERROR_FILE_TOO_LARGE; break;
    case ELOOP: code = ERROR_CANT_RESOLVE_FILENAME; break;
    case EMFILE:
    case ENFILE: code = ERROR_TOO_MANY_OPEN_FILES; break;
    case ENOTEMPTY: code = ERROR_DIR_NOT_EMPTY; break;
    case ENAMETOOLONG: code = ERROR_INVALID_NAME; break;
    case EBUSY:
    case EAGAIN: code = ERROR_BUSY; break;
    case ENOSYS:
    case EOPNOTSUPP: code = ERROR_NOT_SUPPORTED; break;
    default: break;
    }
    SetLastError(code);
    return code;
}

DWORD FormatMessageA(DWORD flags, const void*, DWORD messageId, DWORD, char* buffer, DWORD size, void*)
{
    if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM) || !buffer || size == 0)
        return 0;
    const char* text = SystemText(messageId);
    if (!text)
        return 0;
    const int n = std::snprintf(buffer, size, "%s\r\n", text);
    if (n < 0 || static_cast<DWORD>(n) >= size)
    {
        buffer[0] = '\0'; // the system gives nothing rather than a cut text
        return 0;
    }
    return static_cast<DWORD>(n);
}
