#include "Platform/Compat/Kernel/Files.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "Platform/Compat/Kernel/NamedMutex.h"
#include "Platform/Compat/User/MessageQueue.h"
#include "Platform/Compat/User/Messages.h"
#include "Platform/Compat/User/Window.h"

#include "Support/SecondStart.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
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

// A login without a runtime folder keeps the lock in a folder of the user's own that nobody else
// can enter, never in /tmp itself where another user's copy would find it.
TEST(NamedMutex, WithoutARuntimeFolderTheLockIsKeptInAPrivateFolderOfTheUser)
{
    const std::wstring name = UniqueName("Private");
    const int result = InChild([&] {
        ::unsetenv("XDG_RUNTIME_DIR");
        HANDLE mutex = CreateMutexW(nullptr, TRUE, name.c_str());
        const std::string folder = "/tmp/corvane-" + std::to_string(::getuid());
        struct stat info{};
        const bool isPrivate = ::stat(folder.c_str(), &info) == 0 && info.st_uid == ::getuid() &&
                              (info.st_mode & 0777) == 0700 && Compat::RuntimeFolder() == folder;
        const std::string lock = folder + "/CorvaneTest" + std::to_string(::getppid()) + "Private.lock";
        const bool there = ::access(lock.c_str(), F_OK) == 0;
        CloseHandle(mutex);
        ::unlink(lock.c_str());
        return mutex && isPrivate && there ? 0 : 1;
    });
    EXPECT_EQ(result, 0);
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
