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
// its own settings: the first private folder (the user's own, mode 0700, not a link) of
// $TMPDIR/corvane-<uid> and corvane-runtime in the data folder, where a second copy meets the
// first; with none, no lock, and the reason names the folders passed over.
TEST(NamedMutex, WithoutAUsableRuntimeFolderTheLockIsKeptInAPrivateFolderOfTheUser)
{
    const Corvane::Testing::TempFolder base;
    const std::filesystem::path root = base.Path();
    const std::string shared = (root / "tmp/corvane-").string() + std::to_string(::getuid());
    const std::string own = (root / "data/corvane-runtime").string();
    const auto open = [](const std::string& path) {
        std::filesystem::create_directories(path);
        std::filesystem::permissions(path, std::filesystem::perms::all);
    };
    const struct
    {
        std::function<void()> arrange;
        std::string expected; // empty: no lock
    } cases[] = {
        {[] {}, shared},
        {[&] { open(shared); }, own},
        {[&] { std::filesystem::create_directory_symlink(root, shared); }, own},
        {[&] { open(shared), open(own); }, ""},
    };
    const std::wstring name = UniqueName("Private");
    for (const auto& test : cases)
    {
        std::filesystem::remove_all(root / "tmp");
        std::filesystem::remove_all(root / "data");
        std::filesystem::create_directories(root / "tmp");
        test.arrange();
        const int result = InChild([&] {
            ::setenv("XDG_RUNTIME_DIR", (root / "missing").c_str(), 1);
            ::setenv("TMPDIR", (root / "tmp").c_str(), 1);
            ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
            HANDLE mutex = CreateMutexW(nullptr, TRUE, name.c_str());
            const std::string problem = Compat::LastLockProblem();
            if (test.expected.empty())
                return !mutex && problem.find(shared + ": ") != problem.npos && problem.find(own + ": ") != problem.npos;
            struct stat info{};
            const bool isPrivate = ::lstat(test.expected.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
                                   (info.st_mode & 0777) == 0700 && Compat::RuntimeFolder() == test.expected;
            const int second = InChild([&] {
                return CreateMutexW(nullptr, TRUE, name.c_str()) && GetLastError() == ERROR_ALREADY_EXISTS;
            });
            return mutex && isPrivate && second == 1;
        });
        EXPECT_EQ(result, 1) << test.expected;
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
