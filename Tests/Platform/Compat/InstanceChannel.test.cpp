#include "Platform/Compat/Kernel/Files.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "Platform/Compat/Kernel/NamedMutex.h"
#include "Platform/Compat/User/MessageQueue.h"
#include "Platform/Compat/User/Messages.h"
#include "Platform/Compat/User/Window.h"

#include "Support/SecondStart.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

namespace
{
LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring UniqueName(const char* what)
{
    return L"CorvaneTest" + std::to_wstring(::getpid()) + std::wstring(what, what + std::strlen(what));
}

int RunProbe(const std::wstring& className)
{
    return Corvane::Testing::RunSecondStart(COMPAT_INSTANCE_PROBE, className);
}

// Runs body in a child process and returns its exit code.
template <typename Body> int InChild(Body body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
} // namespace

TEST(NamedMutex, ASecondProcessSeesTheFirstOwner)
{
    const std::wstring name = UniqueName("Mutex");
    HANDLE mine = CreateMutexW(nullptr, TRUE, name.c_str());
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    const int childSaw = InChild([&] {
        HANDLE theirs = CreateMutexW(nullptr, TRUE, name.c_str());
        const int result = theirs && GetLastError() == ERROR_ALREADY_EXISTS ? 0 : 1;
        CloseHandle(theirs);
        return result;
    });
    EXPECT_EQ(childSaw, 0);
    CloseHandle(mine);
    const int afterClose = InChild([&] {
        HANDLE theirs = CreateMutexW(nullptr, TRUE, name.c_str());
        const int result = theirs && GetLastError() == ERROR_SUCCESS ? 0 : 1;
        CloseHandle(theirs);
        return result;
    });
    EXPECT_EQ(afterClose, 0);
}

// Where the lock is kept when the runtime folder cannot be used, each case in a child process with
// its own settings: the first private folder (the user's own, mode 0700, not a link) of the runtime
// folder, $TMPDIR/corvane-<uid> and corvane-runtime in the data folder, where a second copy meets
// the first; with none, no lock, and the reason names the folders passed over.
TEST(NamedMutex, WithoutAUsableRuntimeFolderTheLockIsKeptInAPrivateFolderOfTheUser)
{
    const Corvane::Testing::TempFolder base;
    const std::filesystem::path root = base.Path();
    const std::string runtime = (root / "runtime").string(), temporary = (root / "tmp").string();
    const std::string shared = temporary + "/corvane-" + std::to_string(::getuid());
    const std::string data = (root / "data").string(), own = data + "/corvane-runtime";
    const auto folder = [](const std::string& path, mode_t mode) {
        std::filesystem::create_directories(path);
        ::chmod(path.c_str(), mode);
    };
    const struct
    {
        const char* what;
        const char* runtimeSetting;
        std::function<void()> arrange;
        std::string expected; // empty: no lock
    } cases[] = {
        {"a private runtime folder", runtime.c_str(), [&] { folder(runtime, 0700); }, runtime},
        {"no runtime folder set", nullptr, [] {}, shared},
        {"a runtime folder that is missing", runtime.c_str(), [] {}, shared},
        {"a runtime folder open to others", runtime.c_str(), [&] { folder(runtime, 0755); }, shared},
        {"the fallback open to others", runtime.c_str(), [&] { folder(shared, 0777); }, own},
        {"the fallback a link to a private folder", runtime.c_str(),
         [&] {
             folder((root / "elsewhere").string(), 0700);
             std::filesystem::create_symlink(root / "elsewhere", shared);
         },
         own},
        {"the fallback another user's", runtime.c_str(),
         [&] {
             folder(shared, 0700);
             if (::chown(shared.c_str(), 65534, 65534) != 0) // only root can give a folder away
                 ::chmod(shared.c_str(), 0711);
         },
         own},
        {"no private folder anywhere", runtime.c_str(),
         [&] {
             folder(shared, 0777);
             folder(own, 0777);
         },
         ""},
    };
    const std::wstring name = UniqueName("Private");
    const std::string lock = "/CorvaneTest" + std::to_string(::getpid()) + "Private.lock";
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.what);
        for (const char* part : {"runtime", "tmp", "data", "elsewhere"})
            std::filesystem::remove_all(root / part);
        folder(temporary, 0700);
        test.arrange();
        const int result = InChild([&] {
            if (test.runtimeSetting)
                ::setenv("XDG_RUNTIME_DIR", test.runtimeSetting, 1);
            else
                ::unsetenv("XDG_RUNTIME_DIR");
            ::setenv("TMPDIR", temporary.c_str(), 1);
            ::setenv("XDG_DATA_HOME", data.c_str(), 1);
            HANDLE mutex = CreateMutexW(nullptr, TRUE, name.c_str());
            if (test.expected.empty())
            {
                const std::string problem = Compat::LastLockProblem();
                return !mutex && problem.find(shared + ": ") != std::string::npos &&
                               problem.find(own + ": ") != std::string::npos
                           ? 0
                           : 1;
            }
            struct stat info{};
            const bool isPrivate = ::lstat(test.expected.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
                                   info.st_uid == ::getuid() && (info.st_mode & 0777) == 0700 &&
                                   Compat::RuntimeFolder() == test.expected;
            const bool there = ::access((test.expected + lock).c_str(), F_OK) == 0;
            const int second = InChild([&] {
                HANDLE theirs = CreateMutexW(nullptr, TRUE, name.c_str());
                return theirs && GetLastError() == ERROR_ALREADY_EXISTS ? 0 : 1;
            });
            CloseHandle(mutex);
            return mutex && isPrivate && there && second == 0 ? 0 : 2;
        });
        EXPECT_EQ(result, 0);
    }
}

TEST(InstanceChannel, ASecondProcessFindsAndRestoresTheFirstWindow)
{
    const std::wstring className = UniqueName("Window");
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Procedure;
    windowClass.lpszClassName = className.c_str();
    ASSERT_NE(RegisterClassExW(&windowClass), 0);
    HWND window = CreateWindowExW(0, className.c_str(), L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));

    EXPECT_EQ(RunProbe(className), 0);
    Compat::PumpEvents(); // serves the request
    EXPECT_FALSE(IsIconic(window));

    DestroyWindow(window);
    EXPECT_EQ(RunProbe(className), 1); // nobody answers any more
    UnregisterClassW(className.c_str(), nullptr);
}
