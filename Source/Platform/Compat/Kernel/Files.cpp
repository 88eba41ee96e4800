#include "Platform/Compat/Kernel/Files.h"

#include "Platform/Compat/Kernel/Handles.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "Platform/Compat/Kernel/NativePath.h"
#include "Utf8.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace
{
class FileObject final : public Compat::KernelObject
{
public:
    explicit FileObject(int fd) : mFd(fd) {}
    ~FileObject() override { ::close(mFd); }
    int Fd() const { return mFd; }

private:
    int mFd;
};

struct FoundEntry
{
    std::wstring name;
    DWORD attributes;
    unsigned long long size;
    FILETIME written;
};

FILETIME ToFileTime(const timespec& time)
{
    // Seconds from 1601 to 1970.
    constexpr unsigned long long kEpochOffset = 11644473600ULL;
    const unsigned long long ticks = (static_cast<unsigned long long>(time.tv_sec) + kEpochOffset) * 10000000ULL +
                                     static_cast<unsigned long long>(time.tv_nsec) / 100;
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

class FindObject final : public Compat::KernelObject
{
public:
    std::vector<FoundEntry> entries;
    std::size_t next = 0;
};

BOOL Fail(DWORD code)
{
    SetLastError(code);
    return FALSE;
}

BOOL FailFromErrno()
{
    SetLastErrorFromErrno(errno);
    return FALSE;
}

bool IsDirectory(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// '*' any run, '?' any one character, without regard to case.
bool WildcardMatch(const wchar_t* pattern, const wchar_t* name)
{
    const wchar_t* star = nullptr;
    const wchar_t* resume = nullptr;
    while (*name)
    {
        if (*pattern == L'*')
        {
            star = pattern++;
            resume = name;
        }
        else if (*pattern == L'?' || Compat::FoldCase(*pattern) == Compat::FoldCase(*name))
        {
            ++pattern;
            ++name;
        }
        else if (star)
        {
            pattern = star + 1;
            name = ++resume;
        }
        else
            return false;
    }
    while (*pattern == L'*')
        ++pattern;
    return *pattern == 0;
}

bool PatternMatches(const std::wstring& pattern, const std::wstring& name)
{
    if (WildcardMatch(pattern.c_str(), name.c_str()))
        return true;
    // Windows lets a trailing ".*" match names without any dot ("*.*" matches "readme").
    if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, L".*") == 0 && name.find(L'.') == name.npos)
        return WildcardMatch(pattern.substr(0, pattern.size() - 2).c_str(), name.c_str());
    return false;
}

void Fill(const FoundEntry& entry, WIN32_FIND_DATAW* data)
{
    data->dwFileAttributes = entry.attributes;
    data->ftLastWriteTime = entry.written;
    data->nFileSizeHigh = static_cast<DWORD>(entry.size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(entry.size);
    const std::size_t n = std::min<std::size_t>(entry.name.size(), MAX_PATH - 1);
    entry.name.copy(data->cFileName, n);
    data->cFileName[n] = 0;
}
} // namespace

namespace
{
// The lock that stands for an open's sharing mode: opens that keep others from writing hold a
// shared lock, writers among them an exclusive one. Advisory, so reading and writing go on as
// usual; the lock goes with the last descriptor of the open.
bool TakeSharingLock(int fd, DWORD access, DWORD share)
{
    if (share & FILE_SHARE_WRITE)
        return true;
    short type;
    if (access & GENERIC_WRITE)
        type = F_WRLCK;
    else if (access & GENERIC_READ)
        type = F_RDLCK;
    else
        return true;
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET; // the whole file, however it grows
    while (::fcntl(fd, F_OFD_SETLK, &lock) != 0)
        if (errno != EINTR)
            return errno != EAGAIN && errno != EACCES; // no lock support (some file systems): open anyway
    return true;
}
} // namespace

HANDLE CreateFileW(const wchar_t* path, DWORD access, DWORD share, void*, DWORD disposition, DWORD attributes, HANDLE)
{
    if (!path || !*path)
    {
        SetLastError(ERROR_INVALID_NAME);
        return INVALID_HANDLE_VALUE;
    }
    const std::string native = Compat::NativePath(path);
    int flags = O_CLOEXEC;
    if ((access & GENERIC_READ) && (access & GENERIC_WRITE))
        flags |= O_RDWR;
    else if (access & GENERIC_WRITE)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;

    struct stat info;
    const bool existed = ::stat(native.c_str(), &info) == 0;
    if (existed && S_ISDIR(info.st_mode))
    {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    // Truncation waits for the sharing check, so a refused open leaves the file as it was.
    bool truncate = false;
    switch (disposition)
    {
    // A new file is never reached through a link planted in its place.
    case CREATE_NEW: flags |= O_CREAT | O_EXCL | O_NOFOLLOW; break;
    case CREATE_ALWAYS:
        flags |= O_CREAT;
        truncate = true;
        break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING: truncate = true; break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return INVALID_HANDLE_VALUE;
    }
    if (truncate && !(access & GENERIC_WRITE))
        flags = (flags & ~(O_RDONLY | O_WRONLY | O_RDWR)) | O_WRONLY; // truncation needs write access
    if (attributes & FILE_FLAG_OPEN_REPARSE_POINT)
        flags |= O_NOFOLLOW;

    // Without blocking: a FIFO in a file's place would hold the open until a writer came (a reader,
    // for writing). Only regular files are opened, as a path names nothing else on Windows.
    const int fd = ::open(native.c_str(), flags | O_NONBLOCK, 0644);
    if (fd < 0)
    {
        if (errno == ENXIO) // a FIFO without a reader, or a device without its driver
            SetLastError(ERROR_CANT_ACCESS_FILE);
        else
            SetLastErrorFromErrno(errno);
        return INVALID_HANDLE_VALUE;
    }
    struct stat opened;
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
    {
        ::close(fd);
        SetLastError(ERROR_CANT_ACCESS_FILE);
        return INVALID_HANDLE_VALUE;
    }
    if (!TakeSharingLock(fd, access, share))
    {
        ::close(fd);
        SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
    }
    if (truncate && ::ftruncate(fd, 0) != 0)
    {
        SetLastErrorFromErrno(errno);
        ::close(fd);
        return INVALID_HANDLE_VALUE;
    }
    SetLastError(existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) ? ERROR_ALREADY_EXISTS
                                                                                         : ERROR_SUCCESS);
    return Compat::ToHandle(new FileObject(fd));
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read, void*)
{
    if (read)
        *read = 0;
    FileObject* object = Compat::HandleAs<FileObject>(file);
    if (!object)
        return Fail(ERROR_INVALID_HANDLE);
    DWORD total = 0;
    while (total < count)
    {
        const ssize_t n = ::read(object->Fd(), static_cast<char*>(buffer) + total, count - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FailFromErrno();
        if (n == 0)
            break;
        total += static_cast<DWORD>(n);
    }
    if (read)
        *read = total;
    return TRUE;
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written, void*)
{
    if (written)
        *written = 0;
    FileObject* object = Compat::HandleAs<FileObject>(file);
    if (!object)
        return Fail(ERROR_INVALID_HANDLE);
    DWORD total = 0;
    while (total < count)
    {
        const ssize_t n = ::write(object->Fd(), static_cast<const char*>(buffer) + total, count - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
        {
            if (written)
                *written = total;
            return n < 0 ? FailFromErrno() : Fail(ERROR_DISK_FULL);
        }
        total += static_cast<DWORD>(n);
    }
    if (written)
        *written = total;
    return TRUE;
}

DWORD GetFileSize(HANDLE file, DWORD* high)
{
    FileObject* object = Compat::HandleAs<FileObject>(file);
    struct stat info;
    if (!object || ::fstat(object->Fd(), &info) != 0)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    const auto size = static_cast<unsigned long long>(info.st_size);
    if (high)
        *high = static_cast<DWORD>(size >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method)
{
    FileObject* object = Compat::HandleAs<FileObject>(file);
    if (!object)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_SET_FILE_POINTER;
    }
    // Without a high part the distance is a signed 32-bit value; with one, the two form 64 bits.
    const long long offset = distanceHigh
                                 ? static_cast<long long>((static_cast<unsigned long long>(*distanceHigh) << 32) |
                                                          static_cast<DWORD>(distance))
                                 : static_cast<long long>(distance);
    const int whence = method == FILE_CURRENT ? SEEK_CUR : method == FILE_END ? SEEK_END : SEEK_SET;
    const off_t position = ::lseek(object->Fd(), static_cast<off_t>(offset), whence);
    if (position < 0)
    {
        SetLastErrorFromErrno(errno);
        return INVALID_SET_FILE_POINTER;
    }
    if (distanceHigh)
        *distanceHigh = static_cast<LONG>(static_cast<unsigned long long>(position) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(position);
}

BOOL FlushFileBuffers(HANDLE file)
{
    FileObject* object = Compat::HandleAs<FileObject>(file);
    if (!object)
        return Fail(ERROR_INVALID_HANDLE);
    return ::fsync(object->Fd()) == 0 ? TRUE : FailFromErrno();
}

BOOL CloseHandle(HANDLE handle)
{
    Compat::KernelObject* object = Compat::HandleAs<Compat::KernelObject>(handle);
    if (!object)
        return Fail(ERROR_INVALID_HANDLE);
    delete object;
    return TRUE;
}

BOOL DeleteFileW(const wchar_t* path)
{
    const std::string native = Compat::NativePath(path);
    if (IsDirectory(native))
        return Fail(ERROR_ACCESS_DENIED);
    return ::unlink(native.c_str()) == 0 ? TRUE : FailFromErrno();
}

BOOL MoveFileExW(const wchar_t* existing, const wchar_t* target, DWORD flags)
{
    const std::string from = Compat::NativePath(existing);
    const std::string to = Compat::NativePath(target);
    struct stat info;
    if (!(flags & MOVEFILE_REPLACE_EXISTING) && ::stat(to.c_str(), &info) == 0)
        return Fail(ERROR_ALREADY_EXISTS);
    if (::rename(from.c_str(), to.c_str()) != 0)
        return FailFromErrno();
    if (!(flags & MOVEFILE_WRITE_THROUGH))
        return TRUE;
    // The new name is on the disk only once its folder is.
    const std::size_t cut = to.rfind('/');
    const std::string folder = cut == std::string::npos ? "." : cut == 0 ? "/" : to.substr(0, cut);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return FailFromErrno();
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!synced)
    {
        SetLastErrorFromErrno(error);
        return FALSE;
    }
    return TRUE;
}

BOOL CreateDirectoryW(const wchar_t* path, void*)
{
    const std::string native = Compat::NativePath(path);
    if (::mkdir(native.c_str(), 0755) == 0)
        return TRUE;
    if (errno == ENOENT)
        return Fail(ERROR_PATH_NOT_FOUND);
    return FailFromErrno();
}

DWORD GetFileAttributesW(const wchar_t* path)
{
    struct stat info;
    if (::stat(Compat::NativePath(path).c_str(), &info) != 0)
    {
        SetLastErrorFromErrno(errno);
        return INVALID_FILE_ATTRIBUTES;
    }
    return S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

BOOL GetFileAttributesExW(const wchar_t* path, GET_FILEEX_INFO_LEVELS level, void* info)
{
    if (level != GetFileExInfoStandard || !info)
        return Fail(ERROR_INVALID_PARAMETER);
    struct stat status;
    if (::stat(Compat::NativePath(path).c_str(), &status) != 0)
    {
        SetLastErrorFromErrno(errno);
        return FALSE;
    }
    auto* data = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(info);
    const bool folder = S_ISDIR(status.st_mode);
    const unsigned long long size = folder ? 0ULL : static_cast<unsigned long long>(status.st_size);
    data->dwFileAttributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    data->ftLastWriteTime = ToFileTime(status.st_mtim);
    data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(size);
    return TRUE;
}

void GetSystemTimeAsFileTime(FILETIME* time)
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    *time = ToFileTime(now);
}

HANDLE FindFirstFileW(const wchar_t* pattern, WIN32_FIND_DATAW* data)
{
    const std::wstring text(pattern ? pattern : L"");
    const std::size_t cut = text.find_last_of(L"/\\");
    const std::wstring folder = cut == text.npos ? L"." : cut == 0 ? L"/" : text.substr(0, cut);
    const std::wstring namePattern = cut == text.npos ? text : text.substr(cut + 1);

    const std::string native = Compat::NativePath(folder);
    DIR* dir = ::opendir(native.c_str());
    if (!dir)
    {
        SetLastError(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : SetLastErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    auto* find = new FindObject;
    while (const dirent* entry = ::readdir(dir))
    {
        const std::wstring name = Corvane::Utf8::ToWide(entry->d_name);
        if (!PatternMatches(namePattern, name))
            continue;
        struct stat info;
        const std::string full = native + "/" + entry->d_name;
        // A dangling link is listed as the file it is named as (Windows lists links themselves).
        if (::stat(full.c_str(), &info) != 0 && ::lstat(full.c_str(), &info) != 0)
            continue; // removed meanwhile
        find->entries.push_back({name, S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL,
                                 S_ISDIR(info.st_mode) ? 0ULL : static_cast<unsigned long long>(info.st_size),
                                 ToFileTime(info.st_mtim)});
    }
    ::closedir(dir);
    if (find->entries.empty())
    {
        delete find;
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    Fill(find->entries[0], data);
    find->next = 1;
    SetLastError(ERROR_SUCCESS);
    return Compat::ToHandle(find);
}

BOOL FindNextFileW(HANDLE handle, WIN32_FIND_DATAW* data)
{
    FindObject* find = Compat::HandleAs<FindObject>(handle);
    if (!find)
        return Fail(ERROR_INVALID_HANDLE);
    if (find->next >= find->entries.size())
        return Fail(ERROR_NO_MORE_FILES);
    Fill(find->entries[find->next++], data);
    return TRUE;
}

BOOL FindClose(HANDLE handle)
{
    FindObject* find = Compat::HandleAs<FindObject>(handle);
    if (!find)
        return Fail(ERROR_INVALID_HANDLE);
    delete find;
    return TRUE;
}
