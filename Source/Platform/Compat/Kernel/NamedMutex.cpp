#include "Platform/Compat/Kernel/NamedMutex.h"

#include "Platform/Compat/Kernel/Handles.h"
#include "Platform/Compat/Kernel/DebugOutput.h"
#include "Platform/Compat/Kernel/Files.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "Platform/Compat/Shell/Shell.h"
#include "Utf8.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
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
namespace
{
thread_local std::string tLastLockProblem;

// Why folder cannot hold the user's locks; empty when it can.
std::string WhyNotPrivate(const std::string& folder)
{
    struct stat info;
    if (::lstat(folder.c_str(), &info) != 0)
        return std::strerror(errno);
    if (S_ISLNK(info.st_mode))
        return "It is a link.";
    if (!S_ISDIR(info.st_mode))
        return "It is not a folder.";
    if (info.st_uid != ::getuid())
        return "It belongs to another user.";
    if ((info.st_mode & 077) != 0)
        return "Other users have access to it.";
    return {};
}
} // namespace

std::string RuntimeFolder(std::string* passedOver)
{
    const auto usable = [&](const std::string& folder, bool make) {
        // Made private from the start: the mode is given at creation, never set afterwards.
        if (make)
            ::mkdir(folder.c_str(), 0700);
        const std::string why = folder.front() == '/' ? WhyNotPrivate(folder) : "It is not an absolute path.";
        if (!why.empty() && passedOver)
            *passedOver += folder + ": " + why + "\n";
        return why.empty();
    };
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime && usable(runtime, false))
        return runtime;
    const char* temporary = std::getenv("TMPDIR");
    const std::string shared =
        std::string(temporary && *temporary == '/' ? temporary : "/tmp") + "/corvane-" + std::to_string(::getuid());
    if (usable(shared, true))
        return shared;
    // Someone else holds that name: a place in the user's own files, found again by every copy.
    wchar_t data[MAX_PATH] = {};
    if (SHGetSpecialFolderPathW(nullptr, data, CSIDL_APPDATA, TRUE))
        if (const std::string own = Corvane::Utf8::FromWide(data) + "/corvane-runtime"; usable(own, true))
            return own;
    return {};
}

std::string LastLockProblem()
{
    return tLastLockProblem;
}
} // namespace Compat

HANDLE CreateMutexW(void*, BOOL initialOwner, const wchar_t* name)
{
    Compat::tLastLockProblem.clear();
    if (!name || !*name)
    {
        // An unnamed mutex has no one to share it with: always ours.
        SetLastError(ERROR_SUCCESS);
        return Compat::ToHandle(new NamedMutex(-1, initialOwner != FALSE));
    }
    std::string passedOver;
    const std::string folder = Compat::RuntimeFolder(&passedOver);
    if (!passedOver.empty())
        OutputDebugStringA(("Not usable for the lock of one running copy:\n" + passedOver).c_str());
    if (folder.empty())
    {
        Compat::tLastLockProblem = "No private folder could be found or made:\n" + passedOver;
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    const std::string path = LockPath(folder, name);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
    {
        Compat::tLastLockProblem = path + ": " + std::strerror(errno);
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
