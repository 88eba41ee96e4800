#include "Framework/ResourceProblems.h"

#include "Debug.h"

#include <cstdarg>
#include <cstdio>

namespace Corvane
{
namespace
{
thread_local Internal::ResourceProblemScope* gScope = nullptr;
} // namespace

void ReportResourceProblem(const char* printfFormat, ...)
{
    char buffer[1024];
    va_list args;
    va_start(args, printfFormat);
    const int n = std::vsnprintf(buffer, sizeof buffer, printfFormat, args);
    va_end(args);
    if (n <= 0)
        return;
    DebugPrint("%s", buffer);
    if (!gScope)
        return;
    std::string line(buffer);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    if (!gScope->mText.empty())
        gScope->mText += ' ';
    gScope->mText += line;
}

namespace Internal
{
ResourceProblemScope::ResourceProblemScope() : mOuter(gScope)
{
    gScope = this;
}

ResourceProblemScope::~ResourceProblemScope()
{
    gScope = mOuter;
}
} // namespace Internal
} // namespace Corvane
