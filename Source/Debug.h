// Diagnostics that do not stop the program: printf-style debug lines and a small profiler.
#pragma once

#include <atomic>
#include <cstdarg>
#include <cstdint>
#include <string>

namespace Corvane
{
// Formats into a 1,024-byte buffer (longer output is cut) and writes it to the debugger output
// when it has at least one character. Callers end their lines with "\n". Any thread.
void DebugPrint(const char* printfFormat, ...) __attribute__((format(printf, 1, 2)));
// The text DebugPrint writes for printfFormat and args (at most 1,023 bytes), for others that format
// as it does.
std::string FormatDebugText(const char* printfFormat, va_list args) __attribute__((format(printf, 1, 0)));

// Monotonic microseconds, for profiling only.
std::uint64_t GetMicroseconds();

// Times one operation. Counters live in function-local statics; one that was used reports itself
// once when the process ends. Updates are atomic so a counter may be touched from two threads.
class ProfileCounter
{
public:
    explicit ProfileCounter(const char* name) { Init(name); }
    ~ProfileCounter();
    ProfileCounter(const ProfileCounter&) = delete;
    ProfileCounter& operator=(const ProfileCounter&) = delete;

    void Init(const char* name);
    void AddSample(std::uint64_t microseconds);
    // "<name>: <calls> calls, <total>ms Total, <avg>ms Avg, <min>ms Min, <max>ms Max"
    void Report() const;

    const char* GetName() const { return mName; }
    int GetCalls() const { return mCalls.load(); }

private:
    const char* mName = nullptr;
    std::atomic<int> mCalls{0};
    std::atomic<std::uint64_t> mTotal{0};
    std::atomic<std::uint64_t> mMin{0};
    std::atomic<std::uint64_t> mMax{0};
};

class ProfileScope
{
public:
    explicit ProfileScope(ProfileCounter& counter) : mCounter(counter), mStart(GetMicroseconds()) {}
    ~ProfileScope() { mCounter.AddSample(GetMicroseconds() - mStart); }
    ProfileScope(const ProfileScope&) = delete;
    ProfileScope& operator=(const ProfileScope&) = delete;

private:
    ProfileCounter& mCounter;
    std::uint64_t mStart;
};
} // namespace Corvane
