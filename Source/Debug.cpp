#include "Debug.h"

#include "Platform/Compat/Kernel/DebugOutput.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>

namespace Corvane
{
std::string FormatDebugText(const char* printfFormat, va_list args)
{
    char buffer[1024];
    const int n = std::vsnprintf(buffer, sizeof buffer, printfFormat, args);
    return n > 0 ? buffer : ""; // vsnprintf cut and terminated anything longer
}

void DebugPrint(const char* printfFormat, ...)
{
    va_list args;
    va_start(args, printfFormat);
    const std::string text = FormatDebugText(printfFormat, args);
    va_end(args);
    if (!text.empty())
        OutputDebugStringA(text.c_str());
}

std::uint64_t GetMicroseconds()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

ProfileCounter::~ProfileCounter()
{
    if (mCalls.load() > 0)
        Report();
}

void ProfileCounter::Init(const char* name)
{
    mName = name;
    mCalls = 0;
    mTotal = 0;
    mMin = 2147483647;
    mMax = 0;
}

void ProfileCounter::AddSample(std::uint64_t microseconds)
{
    mCalls.fetch_add(1, std::memory_order_relaxed);
    mTotal.fetch_add(microseconds, std::memory_order_relaxed);
    std::uint64_t seen = mMin.load(std::memory_order_relaxed);
    while (microseconds < seen && !mMin.compare_exchange_weak(seen, microseconds, std::memory_order_relaxed))
    {
    }
    seen = mMax.load(std::memory_order_relaxed);
    while (microseconds > seen && !mMax.compare_exchange_weak(seen, microseconds, std::memory_order_relaxed))
    {
    }
}

void ProfileCounter::Report() const
{
    const int calls = mCalls.load();
    const std::uint64_t total = mTotal.load();
    const std::uint64_t minimum = mMin.load();
    const std::uint64_t maximum = mMax.load();
    const double average = calls > 0 ? static_cast<double>(total) * 0.001 / calls : 0.0;
    DebugPrint("%s: %d calls, %u.%03ums Total, %.3fms Avg, %u.%03ums Min, %u.%03ums Max\n", mName ? mName : "", calls,
               static_cast<unsigned>(total / 1000), static_cast<unsigned>(total % 1000), average,
               static_cast<unsigned>(minimum / 1000), static_cast<unsigned>(minimum % 1000),
               static_cast<unsigned>(maximum / 1000), static_cast<unsigned>(maximum % 1000));
}
} // namespace Corvane
