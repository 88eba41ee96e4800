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

#include <csignal>

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

// The lock of a folder as copies of the program meet it: the first holds it, a second sees it held
// until the first closes it or is killed.
TEST(NamedMutex, OneProcessAtATimeHoldsTheLockOfAFolder)
{
    const Corvane::Testing::TempFolder folder;
    const std::wstring name = UniqueName("Mutex");
    const auto second = [&](DWORD expected) {
        return InChild([&] {
            HANDLE theirs = Compat::CreateMutexInFolder(folder.WidePath(), TRUE, name.c_str());
            const int result = theirs && GetLastError() == expected ? 0 : 1;
            CloseHandle(theirs);
            return result;
        });
    };
    HANDLE mine = Compat::CreateMutexInFolder(folder.WidePath(), TRUE, name.c_str());
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_EQ(second(ERROR_ALREADY_EXISTS), 0);
    CloseHandle(mine);
    EXPECT_EQ(second(ERROR_SUCCESS), 0);

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0)
    {
        Compat::CreateMutexInFolder(folder.WidePath(), TRUE, name.c_str());
        ::write(ready[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    EXPECT_EQ(second(ERROR_ALREADY_EXISTS), 0);
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_EQ(second(ERROR_SUCCESS), 0) << "a killed holder leaves the lock free";
    ::close(ready[0]);
    ::close(ready[1]);
}

// A lock file that is not one: no lock is taken through a link or on a FIFO (without waiting on
// it), and the reason names the file.
TEST(NamedMutex, OnlyARegularFileIsLocked)
{
    const Corvane::Testing::TempFolder folder;
    const std::wstring name = UniqueName("Odd");
    const std::filesystem::path lock = folder.Path() / (std::string(name.begin(), name.end()) + ".lock");
    const std::filesystem::path target = folder.Path() / "target";
    const struct
    {
        std::function<void()> make;
        const char* why;
    } cases[] = {
        {[&] { std::filesystem::create_symlink(target, lock); }, "It is a link"},
        {[&] { ::mkfifo(lock.c_str(), 0600); }, "It is not a regular file."},
    };
    for (const auto& test : cases)
    {
        std::filesystem::remove_all(lock);
        test.make();
        EXPECT_EQ(Compat::CreateMutexInFolder(folder.WidePath(), TRUE, name.c_str()), nullptr) << test.why;
        EXPECT_EQ(Compat::LastLockProblem().rfind(lock.string() + ": " + test.why, 0), 0u) << Compat::LastLockProblem();
    }
    EXPECT_FALSE(std::filesystem::exists(target)) << "the link was not followed";
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
