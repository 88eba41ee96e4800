#include "Platform/Compat/Kernel/StopSignals.h"

#include "Platform/Compat/Kernel/DebugOutput.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>

namespace
{
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
        void (*body)(); // in a child process that catches the stop signals
        int exitCode;
        const char* said; // on its standard error
    } const cases[] = {
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
        {"its log stuck (on a file system that hangs)",
         [] {
             SetDebugOutputSink([](const char*) {
                 for (;;)
                     ::pause();
             });
             std::raise(SIGTERM);
             Linger(10000);
         },
         128 + SIGTERM, ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const pid_t child = ::fork();
        if (child == 0)
        {
            ::dup2(pipe[1], STDERR_FILENO);
            Compat::CatchStopSignals();
            c.body();
            ::_exit(0);
        }
        ::close(pipe[1]);
        std::string said;
        char buffer[512];
        for (ssize_t got; (got = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
            said.append(buffer, static_cast<std::size_t>(got));
        ::close(pipe[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), c.exitCode);
        EXPECT_EQ(said, c.said);
    }
}
} // namespace
