#include "Platform/Compat/Kernel/NamedMutex.h"

#include "Platform/Compat/Kernel/Handles.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "Utf8.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
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

std::string LockPath(const std::string& folder, const wchar_t* name)
{
    std::string safe;
    for (char c : Corvane::Utf8::FromWide(name))
        safe.push_back((c == '/' || c == '\\') ? '_' : c);
    return folder + "/" + safe + ".lock";
}
} // namespace

namespace Compat
{
std::string RuntimeFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime == '/')
        return runtime;
    // A login without one: a folder of this user's own, as private as the runtime folder would be.
    const std::string folder = "/tmp/corvane-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    struct stat info;
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid() ||
        (info.st_mode & 077) != 0)
        return {};
    return folder;
}
} // namespace Compat

HANDLE CreateMutexW(void*, BOOL initialOwner, const wchar_t* name)
{
    if (!name || !*name)
    {
        // An unnamed mutex has no one to share it with: always ours.
        SetLastError(ERROR_SUCCESS);
        return Compat::ToHandle(new NamedMutex(-1, initialOwner != FALSE));
    }
    const std::string folder = Compat::RuntimeFolder();
    if (folder.empty())
    {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    const int fd = ::open(LockPath(folder, name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
    {
        SetLastErrorFromErrno(errno);
        return nullptr;
    }
    // The lock stands for the mutex existing, so it is held for as long as the handle is open,
    // whoever owns the mutex.
    const bool mine = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    SetLastError(mine ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
    return Compat::ToHandle(new NamedMutex(fd, mine && initialOwner));
}

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
