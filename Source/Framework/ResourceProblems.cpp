#include "Framework/ResourceProblems.h"

#include "Debug.h"

#include <cstdarg>

namespace Corvane
{
namespace
{
thread_local Internal::ResourceProblemScope* gScope = nullptr;
} // namespace

void ReportResourceProblem(const char* printfFormat, ...)
{
    va_list args;
    va_start(args, printfFormat);
    std::string line = FormatDebugText(printfFormat, args);
    va_end(args);
    if (line.empty())
        return;
    DebugPrint("%s", line.c_str());
    if (!gScope)
        return;
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
