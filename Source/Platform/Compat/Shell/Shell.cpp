#include "Platform/Compat/Shell/Shell.h"

#include "Platform/Compat/Kernel/DebugOutput.h"
#include "Platform/Compat/Kernel/Files.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "Platform/Compat/User/DisplayPresence.h"
#include "Utf8.h"

#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace
{
std::mutex gUrlsLock;
std::vector<std::wstring> gUrls;

bool MakeFolders(const std::string& path)
{
    std::string partial;
    for (std::size_t i = 0; i <= path.size(); ++i)
    {
        if (i == path.size() || (path[i] == '/' && i > 0))
        {
            partial = path.substr(0, i);
            if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST)
                return false;
        }
    }
    return true;
}

// The user's home: $HOME when it is an absolute path, else the password database's entry, so that
// a session without HOME never puts the player's files into the working folder. Empty when
// neither knows one.
std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        return home;
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry;
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir &&
        *found->pw_dir == '/')
        return found->pw_dir;
    return {};
}

// xdg-open returns at once after handing over: it is reaped so no zombie stays behind. One that
// keeps running (a browser in the terminal) is waited for a while only, never for ever.
constexpr auto kReapPoll = std::chrono::milliseconds(100);
constexpr int kReapPolls = 600; // a minute

void ReapInTime(pid_t child)
{
    std::thread([child] {
        for (int i = 0; i < kReapPolls; ++i)
        {
            int status;
            const pid_t reaped = ::waitpid(child, &status, WNOHANG);
            if (reaped == child || (reaped < 0 && errno != EINTR))
                return;
            std::this_thread::sleep_for(kReapPoll);
        }
        OutputDebugStringA("xdg-open still runs after a minute: the game no longer waits for it.\n");
    }).detach();
}
} // namespace

BOOL SHGetSpecialFolderPathW(HWND, wchar_t* path, int folder, BOOL create)
{
    if (!path || folder != CSIDL_APPDATA)
        return FALSE;
    std::string base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        base = data;
    else if (const std::string home = HomeFolder(); !home.empty())
        base = home + "/.local/share";
    else
        return FALSE;
    if (create && !MakeFolders(base))
        return FALSE;
    const std::wstring wide = Corvane::Utf8::ToWide(base);
    if (wide.size() >= MAX_PATH)
        return FALSE;
    std::wcscpy(path, wide.c_str());
    return TRUE;
}

HINSTANCE ShellExecuteW(HWND, const wchar_t* operation, const wchar_t* file, const wchar_t*, const wchar_t*, int)
{
    if (!file || (operation && std::wcscmp(operation, L"open") != 0))
        return reinterpret_cast<HINSTANCE>(static_cast<std::intptr_t>(ERROR_NOT_SUPPORTED));
    {
        std::lock_guard<std::mutex> guard(gUrlsLock);
        gUrls.emplace_back(file);
    }
    if (Compat::HasDisplay())
    {
        const std::string target = Corvane::Utf8::FromWide(file);
        char program[] = "xdg-open";
        char* argv[] = {program, const_cast<char*>(target.c_str()), nullptr};
        pid_t child;
        if (::posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ) != 0)
            return reinterpret_cast<HINSTANCE>(static_cast<std::intptr_t>(ERROR_FILE_NOT_FOUND));
        ReapInTime(child);
    }
    return reinterpret_cast<HINSTANCE>(static_cast<std::intptr_t>(42));
}

namespace Compat
{
std::vector<std::wstring> OpenedUrls()
{
    std::lock_guard<std::mutex> guard(gUrlsLock);
    return gUrls;
}
} // namespace Compat
