#include "Platform/Compat/Kernel/DebugOutput.h"

#include <atomic>
#include <cstdio>

namespace
{
void WriteToStandardError(const char* text)
{
    std::fputs(text, stderr);
}

std::atomic<DebugOutputSink> gSink{&WriteToStandardError};
} // namespace

void OutputDebugStringA(const char* text)
{
    if (text)
        gSink.load(std::memory_order_acquire)(text);
}

DebugOutputSink SetDebugOutputSink(DebugOutputSink sink)
{
    return gSink.exchange(sink ? sink : &WriteToStandardError, std::memory_order_acq_rel);
}
