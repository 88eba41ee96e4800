#include "Platform/Compat/Kernel/NamedMutex.h"

#include "Platform/Compat/Kernel/DebugOutput.h"
#include "Platform/Compat/Kernel/Handles.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "Utf8.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace
{
class NamedMutex final : public Compat::KernelObject
{
public:
    NamedMutex(int fd, bool owned) : mFd(fd), mOwned(owned) {}
    ~NamedMutex() override
    {
        if (mFd >= 0)
            ::close(mFd); // also drops the lock
    }
    void Release() { mOwned = false; }

private:
    int mFd;
    bool mOwned;
};

thread_local std::string tLastLockProblem;

std::string LockPath(const std::string& folder, const wchar_t* name)
{
    std::string safe;
    for (char c : Corvane::Utf8::FromWide(name))
        safe.push_back((c == '/' || c == '\\') ? '_' : c);
    return folder + "/" + safe + ".lock";
}

// The lock file, opened to be locked, or -1 with why (and its errno). Never through a link, never
// waiting on a FIFO; read-only where it may not be written, which flock does not need.
int OpenLockFile(const std::string& path, std::string& why, int& error)
{
    constexpr int kSafely = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | kSafely, 0600);
    error = errno;
    if (fd < 0 && (error == EACCES || error == EPERM || error == EROFS))
        fd = ::open(path.c_str(), O_RDONLY | kSafely);
    if (fd < 0)
    {
        why = error == ELOOP ? "It is a link, which is not followed." : std::strerror(error);
        return -1;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
    {
        ::close(fd);
        error = EINVAL;
        why = "It is not a regular file.";
        return -1;
    }
    return fd;
}
} // namespace

namespace Compat
{
HANDLE CreateMutexInFolder(const std::wstring& folder, BOOL initialOwner, const wchar_t* name)
{
    tLastLockProblem.clear();
    const std::string where = Corvane::Utf8::FromWide(folder);
    const std::string path = LockPath(where, name ? name : L"");
    std::string why;
    int error = 0;
    const int fd = OpenLockFile(path, why, error);
    if (fd >= 0)
    {
        // The lock stands for the mutex existing, so it is held for as long as the handle is open,
        // whoever owns the mutex.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        {
            SetLastError(ERROR_SUCCESS);
            return ToHandle(new NamedMutex(fd, initialOwner != FALSE));
        }
        error = errno;
        if (error == EWOULDBLOCK)
        {
            SetLastError(ERROR_ALREADY_EXISTS);
            return ToHandle(new NamedMutex(fd, false));
        }
        ::close(fd);
        why = std::strerror(error); // a file system that keeps no locks
    }
    if (::access(where.c_str(), W_OK) != 0)
    {
        OutputDebugStringA((where + " cannot be written, so no copy can save there: none is kept from starting (" +
                            path + ": " + why + ")\n")
                               .c_str());
        SetLastError(ERROR_SUCCESS);
        return ToHandle(new NamedMutex(-1, false));
    }
    tLastLockProblem = path + ": " + why;
    SetLastErrorFromErrno(error);
    return nullptr;
}

std::string LastLockProblem()
{
    return tLastLockProblem;
}
} // namespace Compat

BOOL ReleaseMutex(HANDLE mutex)
{
    NamedMutex* object = Compat::HandleAs<NamedMutex>(mutex);
    if (!object)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    object->Release();
    return TRUE;
}
