#include "Platform/Compat/User/InstanceChannel.h"

#include "Platform/Compat/Kernel/Files.h"
#include "Platform/Compat/Kernel/NativePath.h"
#include "Platform/Compat/Shell/Shell.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Compat/User/WindowObject.h"
#include "Utf8.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace Compat::InstanceChannel
{
namespace
{
constexpr char kRestore = 'R';
constexpr char kRaise = 'F';

std::string Key(const std::wstring& className)
{
    std::wstring folded;
    for (wchar_t c : className)
        folded.push_back(FoldCase(c));
    return Corvane::Utf8::FromWide(folded);
}

// The session the instances belong to: one user's copies on one folder of the user's data, where
// the profiles and the lock that lets one copy run on them lie, found by what it is rather than by
// how each copy's environment names it. Other users, and other data folders (separate test
// sessions), never meet.
std::string Session()
{
    std::string session = std::to_string(::getuid());
    wchar_t data[MAX_PATH] = {};
    struct stat info{};
    if (SHGetSpecialFolderPathW(nullptr, data, CSIDL_APPDATA, FALSE) &&
        ::stat(Corvane::Utf8::FromWide(data).c_str(), &info) == 0)
        session += ":" + std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
    return session;
}

// An abstract socket address (leading zero byte): nothing on disk to clean up, and it vanishes
// with the process that holds it.
socklen_t AddressFor(const std::wstring& className, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const std::string name = "corvane-instance:" + Session() + ":" + Key(className);
    const std::size_t n = std::min(name.size(), sizeof address.sun_path - 2);
    std::memcpy(address.sun_path + 1, name.data(), n);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + n);
}

std::map<std::string, int>& Listeners()
{
    static std::map<std::string, int> listeners;
    return listeners;
}

std::vector<std::unique_ptr<HWND__>>& Remotes()
{
    static std::vector<std::unique_ptr<HWND__>> remotes;
    return remotes;
}

bool Send(HWND remote, char command)
{
    sockaddr_un address;
    const socklen_t length = AddressFor(remote->className, address);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool sent =
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 && ::send(fd, &command, 1, MSG_NOSIGNAL) == 1;
    ::close(fd);
    return sent;
}

void Serve(const std::string& key, int client)
{
    char command = 0;
    if (::recv(client, &command, 1, 0) != 1)
        return;
    HWND window = FindLocalWindow(Corvane::Utf8::ToWide(key), nullptr);
    if (!window)
        return;
    if (command == kRestore)
        ShowWindow(window, SW_RESTORE);
    else if (command == kRaise)
        SetForegroundWindow(window);
}
} // namespace

void Listen(const std::wstring& className)
{
    const std::string key = Key(className);
    if (Listeners().count(key))
        return;
    sockaddr_un address;
    const socklen_t length = AddressFor(className, address);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(fd, 4) != 0)
    {
        ::close(fd); // another instance already answers for this class
        return;
    }
    Listeners()[key] = fd;
}

void StopListening(const std::wstring& className)
{
    auto it = Listeners().find(Key(className));
    if (it == Listeners().end())
        return;
    ::close(it->second);
    Listeners().erase(it);
}

void Poll()
{
    for (const auto& [key, fd] : Listeners())
    {
        for (;;)
        {
            const int client = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0)
                break;
            Serve(key, client);
            ::close(client);
        }
    }
}

HWND FindRemote(const std::wstring& className)
{
    if (Listeners().count(Key(className)))
        return nullptr; // that listener is ours
    sockaddr_un address;
    const socklen_t length = AddressFor(className, address);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return nullptr;
    const bool found = ::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0;
    ::close(fd);
    if (!found)
        return nullptr;
    for (const auto& remote : Remotes())
        if (Key(remote->className) == Key(className))
            return remote.get();
    auto remote = std::make_unique<HWND__>();
    remote->className = className;
    remote->remote = true;
    Remotes().push_back(std::move(remote));
    return Remotes().back().get();
}

bool IsRemoteWindow(HWND window)
{
    for (const auto& remote : Remotes())
        if (remote.get() == window)
            return true;
    return false;
}

bool AskToRestore(HWND remote)
{
    return Send(remote, kRestore);
}

bool AskToRaise(HWND remote)
{
    return Send(remote, kRaise);
}
} // namespace Compat::InstanceChannel
