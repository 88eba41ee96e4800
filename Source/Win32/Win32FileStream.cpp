#include "Win32/Win32FileStream.h"

#include "Platform/Compat/Kernel/Files.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "RuntimeError.h"
#include "Utf8.h"
#include "Win32/Win32Error.h"

namespace Win32
{
namespace
{
struct AccessMode
{
    DWORD desired;
    DWORD share;
    unsigned capabilities;
};

AccessMode ModeFor(int access)
{
    using Corvane::IStream;
    switch (access)
    {
    case 1: return {GENERIC_READ, FILE_SHARE_READ, IStream::kCanRead | IStream::kCanSeek};
    case 2: return {GENERIC_WRITE, 0, IStream::kCanWrite | IStream::kCanSeek};
    case 3: return {GENERIC_READ | GENERIC_WRITE, 0, IStream::kCanRead | IStream::kCanWrite | IStream::kCanSeek};
    default: return {0, 0, IStream::kCanSeek};
    }
}

DWORD CreationFor(int disposition)
{
    switch (disposition)
    {
    case 0: return CREATE_ALWAYS;
    case 1: return CREATE_NEW;
    case 2: return OPEN_ALWAYS;
    case 3: return OPEN_EXISTING;
    default: return 0; // refused by CreateFileW
    }
}
} // namespace

FileStream::FileStream(const std::wstring& path, int access, int disposition) : mPath(path)
{
    const AccessMode mode = ModeFor(access & 3);
    mCapabilities = mode.capabilities;
    mHandle = CreateFileW(path.c_str(), mode.desired, mode.share, nullptr, CreationFor(disposition),
                          access & 4 ? FILE_FLAG_OPEN_REPARSE_POINT : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (mHandle == INVALID_HANDLE_VALUE)
    {
        const DWORD code = GetLastError();
        throw Win32Error("Could not open file '" + Corvane::Utf8::FromWide(path) + "'.", code, __FILE__, __LINE__,
                         "Win32::FileStream::FileStream");
    }
}

FileStream::~FileStream()
{
    if (mHandle != INVALID_HANDLE_VALUE)
        CloseHandle(mHandle);
}

std::wstring& FileStream::GetName(std::wstring& out)
{
    out = mPath;
    return out;
}

unsigned FileStream::GetCapabilities()
{
    return mCapabilities;
}

std::uint32_t FileStream::GetSize()
{
    const DWORD size = GetFileSize(mHandle, nullptr);
    return size == INVALID_FILE_SIZE ? 0 : size;
}

bool FileStream::IsEOF()
{
    return Tell() >= GetSize();
}

unsigned FileStream::Read(void* buffer, unsigned count)
{
    DWORD read = 0;
    return ReadFile(mHandle, buffer, count, &read, nullptr) ? read : 0;
}

unsigned FileStream::ReadOptimized(const void**, unsigned)
{
    throw Corvane::RuntimeError("Win32FileStream does not implement ReadOptimized.", __FILE__, __LINE__,
                                "Win32::FileStream::ReadOptimized");
}

unsigned FileStream::Write(const void* buffer, unsigned count)
{
    DWORD written = 0;
    return WriteFile(mHandle, buffer, count, &written, nullptr) ? written : 0;
}

void FileStream::Seek(int origin, std::int64_t offset)
{
    const DWORD method = origin == 1 ? FILE_CURRENT : origin == 2 ? FILE_END : FILE_BEGIN;
    SetFilePointer(mHandle, static_cast<LONG>(static_cast<std::uint32_t>(offset)), nullptr, method);
}

std::uint32_t FileStream::Tell()
{
    const DWORD position = SetFilePointer(mHandle, 0, nullptr, FILE_CURRENT);
    return position == INVALID_SET_FILE_POINTER ? 0 : position;
}
} // namespace Win32
