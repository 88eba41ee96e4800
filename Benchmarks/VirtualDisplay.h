// A virtual X display of its own for the benchmarks that measure the program as a player's
// display shows it: Xvfb, started on first use (UseVirtualDisplay) and ended with the process;
// SDL, the program and the rig find it through DISPLAY. Also the helpers those benchmarks share to
// start and end the real program.
#pragma once

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace Benchmarks
{
inline pid_t Spawn(const std::vector<std::string>& arguments, posix_spawn_file_actions_t* actions)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], actions, nullptr, argv.data(), environ) != 0)
        return -1;
    return pid;
}

// Asks pid to end, and kills it when it has not within five seconds.
inline void End(pid_t pid)
{
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i)
    {
        if (::waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

class VirtualDisplay
{
public:
    explicit VirtualDisplay(const char* size)
    {
        int reported[2];
        if (::pipe(reported) != 0)
            std::abort();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, reported[1], 3);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        mServer = Spawn({"Xvfb", "-displayfd", "3", "-screen", "0", size, "-nolisten", "tcp"}, &actions);
        posix_spawn_file_actions_destroy(&actions);
        ::close(reported[1]);
        std::string number;
        char c;
        while (::read(reported[0], &c, 1) == 1 && c != '\n')
            number.push_back(c);
        ::close(reported[0]);
        if (mServer < 0 || number.empty())
            std::abort();
        ::setenv("DISPLAY", (":" + number).c_str(), 1);
        ::setenv("SDL_VIDEODRIVER", "x11", 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        ::setenv("CORVANE_ERROR_BOX", "stderr", 1);
    }
    ~VirtualDisplay() { End(mServer); }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

private:
    pid_t mServer = -1;
};

// The display of 1280 x 1024 (24 bits) the benchmarks measure full screen on.
inline void UseVirtualDisplay()
{
    static VirtualDisplay display("1280x1024x24");
}

// Processor seconds of the calling thread so far.
inline double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
} // namespace Benchmarks
