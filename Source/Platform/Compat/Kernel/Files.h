// Files and folders with the Windows calls' meanings, on POSIX. Paths are resolved with
// NativePath (both separators, case-insensitive lookup). Failures set the last error.
//
// Sharing modes hold between every open of a file through this layer, in this process and in
// others (open file description locks): an open for writing that shares no writing is refused
// while the file is open anywhere else without sharing writing, and then keeps every such open
// out; reads that share reading go together. (Whether readers let other readers in is not told
// apart: readers always share reading.)
#pragma once

#include "Platform/Compat/Kernel/Types.h"

constexpr DWORD MAX_PATH = 1024;

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(-1);

// Access rights.
constexpr DWORD GENERIC_READ = 0x1;
constexpr DWORD GENERIC_WRITE = 0x2;
// Sharing.
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
// Creation dispositions.
constexpr DWORD CREATE_NEW = 1;        // fails when the file exists
constexpr DWORD CREATE_ALWAYS = 2;     // creates or truncates
constexpr DWORD OPEN_EXISTING = 3;     // fails when the file is missing
constexpr DWORD OPEN_ALWAYS = 4;       // opens or creates
constexpr DWORD TRUNCATE_EXISTING = 5; // opens and truncates; fails when missing
// Attributes.
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
// CreateFileW: the name itself, never a symbolic link's target (a link there fails the open with
// ERROR_CANT_RESOLVE_FILENAME).
constexpr DWORD FILE_FLAG_OPEN_REPARSE_POINT = 0x00200000;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
// Seek origins.
constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;
// MoveFileExW.
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;

// Opens or creates a file; INVALID_HANDLE_VALUE on failure (ERROR_SHARING_VIOLATION when the
// sharing modes forbid it, before anything is truncated). CREATE_NEW fails on any existing name,
// a symbolic link included, so it never writes through a link. CREATE_ALWAYS and OPEN_ALWAYS on an
// existing file succeed and set the last error to ERROR_ALREADY_EXISTS. Only a regular file opens,
// never waiting: a FIFO, socket or device there fails with ERROR_CANT_ACCESS_FILE.
HANDLE CreateFileW(const wchar_t* path, DWORD access, DWORD share, void* security, DWORD disposition, DWORD flags,
                   HANDLE templateFile);
BOOL ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read, void* overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written, void* overlapped);
// Low 32 bits of the size; the high ones into *high when given. INVALID_FILE_SIZE on failure.
DWORD GetFileSize(HANDLE file, DWORD* high);
// Moves the file pointer by the 64-bit distance (high part optional); returns the new position's
// low 32 bits (and the high ones into *distanceHigh), INVALID_SET_FILE_POINTER on failure.
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method);
// Writes the file's data through to the disk.
BOOL FlushFileBuffers(HANDLE file);
// Closes any handle the layer gave out.
BOOL CloseHandle(HANDLE handle);

BOOL DeleteFileW(const wchar_t* path);
// Renames existing to target in one step; with MOVEFILE_REPLACE_EXISTING an existing target is
// replaced atomically; with MOVEFILE_WRITE_THROUGH it returns once the rename is on the disk (the
// target's folder synced).
BOOL MoveFileExW(const wchar_t* existing, const wchar_t* target, DWORD flags);
// Creates one folder; an existing one fails with ERROR_ALREADY_EXISTS, a missing parent with
// ERROR_PATH_NOT_FOUND.
BOOL CreateDirectoryW(const wchar_t* path, void* security);
DWORD GetFileAttributesW(const wchar_t* path);

// 100-nanosecond intervals since the start of 1601 (UTC).
struct FILETIME
{
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAW
{
    DWORD dwFileAttributes;
    FILETIME ftLastWriteTime; // a folder's changes when an entry is added, removed or renamed
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    wchar_t cFileName[MAX_PATH];
};

enum GET_FILEEX_INFO_LEVELS
{
    GetFileExInfoStandard = 0,
};

struct WIN32_FILE_ATTRIBUTE_DATA
{
    DWORD dwFileAttributes;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
};

// The attributes, last write time and size of a file or folder (info: a WIN32_FILE_ATTRIBUTE_DATA).
BOOL GetFileAttributesExW(const wchar_t* path, GET_FILEEX_INFO_LEVELS level, void* info);
void GetSystemTimeAsFileTime(FILETIME* time);

// Lists the entries of the pattern's folder whose names match its last component ('*' and '?',
// without regard to case; "*.*" matches every name), "." and ".." included as Windows gives them.
// INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when nothing matches.
HANDLE FindFirstFileW(const wchar_t* pattern, WIN32_FIND_DATAW* data);
// FALSE with ERROR_NO_MORE_FILES at the end.
BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* data);
BOOL FindClose(HANDLE find);
