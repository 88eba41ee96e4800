#include "Platform/Compat/Kernel/DebugOutput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>

namespace
{
constexpr std::size_t kMaxWaitingText = 256 * 1024;
constexpr off_t kMaxLogSize = 1024 * 1024;

struct Log
{
    std::mutex lock;
    bool inUse = false; // UseDebugLog was called
    bool terminalToo = false;
    std::FILE* file = nullptr;
    std::string path; // of the open file
    std::string waiting; // written before the file opened
};

Log& TheLog()
{
    static Log* const log = new Log; // never destroyed: threads may still write at exit
    return *log;
}

// (Re)opens the log at log.path, the file first set aside as path + ".old" when it has grown past
// the limit (or begun anew when it cannot be set aside), and starts it with the date, so that the
// runs kept in one file can be told apart. Called with the lock held; false when the file cannot
// be opened.
bool Reopen(Log& log, const char* how)
{
    if (log.file)
        std::fclose(log.file);
    struct stat info;
    const bool tooLarge = ::stat(log.path.c_str(), &info) == 0 && info.st_size > kMaxLogSize;
    const bool setAside = tooLarge && std::rename(log.path.c_str(), (log.path + ".old").c_str()) == 0;
    log.file = std::fopen(log.path.c_str(), tooLarge && !setAside ? "we" : "ae");
    if (!log.file)
        return false;
    char date[64] = "";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local))
        std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", &local);
    std::fprintf(log.file, "---- %s, process %d %s ----\n", date, static_cast<int>(::getpid()), how);
    std::fflush(log.file);
    return true;
}

void WriteToDefault(const char* text)
{
    Log& log = TheLog();
    std::lock_guard<std::mutex> guard(log.lock);
    if (!log.inUse || log.terminalToo)
        std::fputs(text, stderr);
    if (!log.inUse)
        return;
    if (log.file)
    {
        // Flushed at once: the lines before a crash are the ones that tell what happened.
        std::fputs(text, log.file);
        std::fflush(log.file);
        // A long run that keeps writing is set aside as often as it grows past the limit.
        if (std::ftell(log.file) > kMaxLogSize)
            Reopen(log, "continued");
    }
    else if (log.waiting.size() < kMaxWaitingText)
        log.waiting.append(text, std::min(std::strlen(text), kMaxWaitingText - log.waiting.size()));
}

std::atomic<DebugOutputSink> gSink{&WriteToDefault};
} // namespace

void OutputDebugStringA(const char* text)
{
    if (text)
        gSink.load(std::memory_order_acquire)(text);
}

DebugOutputSink SetDebugOutputSink(DebugOutputSink sink)
{
    return gSink.exchange(sink ? sink : &WriteToDefault, std::memory_order_acq_rel);
}

namespace Compat
{
void UseDebugLog()
{
    Log& log = TheLog();
    std::lock_guard<std::mutex> guard(log.lock);
    log.inUse = true;
    const char* asked = std::getenv("CORVANE_DEBUG");
    log.terminalToo = asked && *asked && std::strcmp(asked, "0") != 0;
}

bool OpenDebugLog(const std::string& path)
{
    Log& log = TheLog();
    std::lock_guard<std::mutex> guard(log.lock);
    if (!log.inUse)
        return false;
    log.path = path;
    if (!Reopen(log, "started"))
    {
        log.waiting.clear();
        return false;
    }
    std::fputs(log.waiting.c_str(), log.file);
    std::fflush(log.file);
    log.waiting.clear();
    log.waiting.shrink_to_fit();
    return true;
}

void CloseDebugLog()
{
    Log& log = TheLog();
    std::lock_guard<std::mutex> guard(log.lock);
    if (log.file)
        std::fclose(log.file);
    log.file = nullptr;
    log.inUse = false;
    log.terminalToo = false;
    log.waiting.clear();
}
} // namespace Compat
