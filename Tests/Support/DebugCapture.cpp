#include "Support/DebugCapture.h"

#include "Platform/Compat/Kernel/DebugOutput.h"

#include <mutex>

namespace Corvane::Testing
{
namespace
{
std::mutex gLock;
std::vector<std::string> gWrites;

void Collect(const char* text)
{
    std::lock_guard<std::mutex> lock(gLock);
    gWrites.emplace_back(text);
}
} // namespace

DebugCapture::DebugCapture()
{
    Clear();
    SetDebugOutputSink(&Collect);
}

DebugCapture::~DebugCapture()
{
    SetDebugOutputSink(nullptr);
}

std::vector<std::string> DebugCapture::Writes() const
{
    std::lock_guard<std::mutex> lock(gLock);
    return gWrites;
}

std::string DebugCapture::Text() const
{
    std::string text;
    for (const std::string& write : Writes())
        text += write;
    return text;
}

void DebugCapture::Clear()
{
    std::lock_guard<std::mutex> lock(gLock);
    gWrites.clear();
}
} // namespace Corvane::Testing
