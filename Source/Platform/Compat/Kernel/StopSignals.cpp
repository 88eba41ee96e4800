#include "Platform/Compat/Kernel/StopSignals.h"

#include "Platform/Compat/Kernel/DebugOutput.h"

#include <fcntl.h>
#include <semaphore.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>

namespace Compat
{
namespace
{
// From the first request to the end at once. An orderly end, its last save included, takes a
// fraction of it; what takes longer is stuck (a hung file system, a download, a lost display).
constexpr long kGraceMilliseconds = 900;
// Then the last line in the log, when it can be written.
constexpr auto kLogWait = std::chrono::milliseconds(500);

std::atomic<int> gFirst{0};
std::atomic<bool> gEndedInOrder{false};
std::atomic<const char*> gUnfinished{nullptr};
int gWake[2] = {-1, -1};
// Posted once per signal; the watch counts them.
sem_t gArrived;

// Only async-signal-safe calls here.
void OnStopSignal(int signal)
{
    const int saved = errno;
    int none = 0;
    gFirst.compare_exchange_strong(none, signal);
    // A full pipe is readable already.
    [[maybe_unused]] const ssize_t written = ::write(gWake[1], "", 1);
    ::sem_post(&gArrived);
    errno = saved;
}

[[noreturn]] void EndAtOnce(const char* why)
{
    const int signal = gFirst.load();
    std::string line = std::string("The game was asked to end (") + StopSignalName() + ") " + why + ": it ends at once";
    if (const char* unfinished = gUnfinished.load())
        line += std::string(", ") + unfinished;
    line += ".\n";
    // Written by a thread of its own: the log may lie on the very file system that hangs, or its
    // lock be held by a thread stuck writing there, and the end waits for it only a moment.
    std::thread([line = std::move(line), signal] {
        OutputDebugStringA(line.c_str());
        ::_exit(128 + signal);
    }).detach();
    std::this_thread::sleep_for(kLogWait);
    ::_exit(128 + signal);
}

void Watch()
{
    while (::sem_wait(&gArrived) != 0)
    {
    }
    timespec deadline{};
    ::clock_gettime(CLOCK_MONOTONIC, &deadline);
    deadline.tv_nsec += kGraceMilliseconds * 1000000L;
    deadline.tv_sec += deadline.tv_nsec / 1000000000L;
    deadline.tv_nsec %= 1000000000L;
    for (;;)
    {
        const int result = ::sem_clockwait(&gArrived, CLOCK_MONOTONIC, &deadline);
        if (result != 0 && errno == EINTR)
            continue;
        if (gEndedInOrder.load())
            return;
        EndAtOnce(result == 0 ? "a second time" : "and had not ended within 0.9 s");
    }
}
} // namespace

void CatchStopSignals()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (::pipe2(gWake, O_CLOEXEC | O_NONBLOCK) != 0 || ::sem_init(&gArrived, 0, 0) != 0)
            return; // the default action stays: the game ends at once, unsaved
        std::thread(&Watch).detach();
        struct sigaction action{};
        action.sa_handler = &OnStopSignal;
        sigemptyset(&action.sa_mask);
        // Waits in progress are woken by the pipe, not by failing with EINTR.
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGTERM, &action, nullptr);
        ::sigaction(SIGINT, &action, nullptr);
    });
}

int StopSignal()
{
    return gFirst.load();
}

const char* StopSignalName()
{
    return gFirst.load() == SIGINT ? "SIGINT" : "SIGTERM";
}

int StopSignalDescriptor()
{
    return gWake[0];
}

void StopSignalsEndedInOrder()
{
    gEndedInOrder = true;
}

void SetUnfinishedWork(const char* text)
{
    gUnfinished = text;
}
} // namespace Compat
