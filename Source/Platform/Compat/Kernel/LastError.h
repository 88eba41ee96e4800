// Per-thread last-error code and the system's description of a code.
//
// The codes are this layer's own numbering; the texts end in "\r\n" like the system's, which
// callers strip. POSIX failures are mapped to a code with SetLastErrorFromErrno.
#pragma once

#include "Platform/Compat/Kernel/Types.h"

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 1;
constexpr DWORD ERROR_PATH_NOT_FOUND = 2;
constexpr DWORD ERROR_ACCESS_DENIED = 3;
constexpr DWORD ERROR_INVALID_HANDLE = 4;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 5;
constexpr DWORD ERROR_INVALID_PARAMETER = 6;
constexpr DWORD ERROR_FILE_EXISTS = 7;
constexpr DWORD ERROR_ALREADY_EXISTS = 8;
constexpr DWORD ERROR_NO_MORE_FILES = 9;
constexpr DWORD ERROR_DISK_FULL = 10;
constexpr DWORD ERROR_TOO_MANY_OPEN_FILES = 11;
constexpr DWORD ERROR_DIR_NOT_EMPTY = 12;
constexpr DWORD ERROR_INVALID_NAME = 13;
constexpr DWORD ERROR_BUSY = 14;
constexpr DWORD ERROR_NOT_SUPPORTED = 15;
constexpr DWORD ERROR_GEN_FAILURE = 16;
constexpr DWORD ERROR_SHARING_VIOLATION = 17;
constexpr DWORD ERROR_FILE_TOO_LARGE = 18;
constexpr DWORD ERROR_CANT_RESOLVE_FILENAME = 19;
constexpr DWORD ERROR_CANT_ACCESS_FILE = 20;

// Calling thread's last error.
DWORD GetLastError();
void SetLastError(DWORD code);
// Maps an errno value to a code and stores it as the last error; returns the code.
DWORD SetLastErrorFromErrno(int error);

constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x1;
constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x2;

// Writes the system text for messageId (with its "\r\n") into buffer, bounded by size including
// the terminator; returns the characters written, 0 when the code has no text or nothing fits.
// Only FORMAT_MESSAGE_FROM_SYSTEM is supported; source, language and arguments are ignored.
DWORD FormatMessageA(DWORD flags, const void* source, DWORD messageId, DWORD languageId, char* buffer, DWORD size,
                     void* arguments);
