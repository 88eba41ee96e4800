#include "Platform/Compat/Kernel/StopSignals.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>

namespace
{
struct Ending
{
    int status = -1;
    std::string said; // its standard error
};

// Runs body in a child process that catches the stop signals; its standard error is collected.
Ending RunInChild(void (*body)())
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0)
    {
        ::dup2(pipe[1], STDERR_FILENO);
        Compat::CatchStopSignals();
        body();
        ::_exit(0);
    }
    ::close(pipe[1]);
    Ending ending;
    char buffer[512];
    for (ssize_t got; (got = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
        ending.said.append(buffer, static_cast<std::size_t>(got));
    ::close(pipe[0]);
    ::waitpid(child, &ending.status, 0);
    return ending;
}

// Sleeps through the signals' handlers.
void Linger(int milliseconds)
{
    for (int slept = 0; slept < milliseconds; slept += 10)
        ::usleep(10000);
}

TEST(StopSignalsTest, AGameThatDoesNotEndInTimeOrIsAskedTwiceEndsAtOnceSayingWhatWasLeft)
{
    struct Case
    {
        const char* name;
        void (*body)();
        int exitCode;
        const char* said;
    };
    const Case cases[] = {
        {"ended in order, however long the C library's exit takes",
         [] {
             std::raise(SIGTERM);
             Compat::StopSignalsEndedInOrder();
             Linger(1500);
         },
         0, ""},
        {"stuck in its last save",
         [] {
             Compat::SetUnfinishedWork("in the middle of its last save");
             std::raise(SIGTERM);
             Linger(10000);
         },
         128 + SIGTERM,
         "The game was asked to end (SIGTERM) and had not ended within 0.9 s: it ends at once, in the middle of "
         "its last save.\n"},
        {"asked a second time",
         [] {
             std::raise(SIGINT);
             std::raise(SIGTERM);
             Linger(10000);
         },
         128 + SIGINT, "The game was asked to end (SIGINT) a second time: it ends at once.\n"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const Ending ending = RunInChild(c.body);
        ASSERT_TRUE(WIFEXITED(ending.status));
        EXPECT_EQ(WEXITSTATUS(ending.status), c.exitCode);
        EXPECT_EQ(ending.said, c.said);
    }
}
} // namespace
