// An X display of the benchmark's own (Xvfb), for the cases that run the real program as a player
// meets it. The server picks a free display number and reports it (-displayfd): several engineers'
// displays may be running. DISPLAY names it from the start; the server ends with the object.
#pragma once

#include <csignal>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace Corvane::Testing
{
class VirtualDisplay
{
public:
    // size as Xvfb takes a screen: "1280x1024x24". Empty Name() when the server did not start.
    explicit VirtualDisplay(const char* size)
    {
        int number[2];
        if (::pipe(number) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, number[1], 3);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const char* argv[] = {"Xvfb", "-displayfd", "3", "-screen", "0", size, "-nolisten", "tcp", nullptr};
        if (posix_spawnp(&mServer, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ) != 0)
            mServer = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(number[1]);
        for (char c; mServer > 0 && ::read(number[0], &c, 1) == 1 && c != '\n';)
            mName.push_back(c);
        ::close(number[0]);
        if (!mName.empty())
            mName.insert(0, ":");
    }
    ~VirtualDisplay()
    {
        if (mServer <= 0)
            return;
        ::kill(mServer, SIGTERM);
        ::waitpid(mServer, nullptr, 0);
    }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // ":<number>", as DISPLAY takes it.
    const std::string& Name() const { return mName; }

private:
    pid_t mServer = -1;
    std::string mName;
};
} // namespace Corvane::Testing
