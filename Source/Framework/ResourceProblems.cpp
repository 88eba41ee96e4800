#include "Framework/ResourceProblems.h"

#include "Debug.h"

#include <cstdarg>

namespace Corvane
{
namespace
{
thread_local Internal::ResourceProblemScope* gScope = nullptr;

void Append(std::string& text, const std::string& sentence)
{
    if (sentence.empty())
        return;
    if (!text.empty())
        text += ' ';
    text += sentence;
}
} // namespace

void ReportResourceProblem(const char* printfFormat, ...)
{
    va_list args;
    va_start(args, printfFormat);
    Internal::ResourceProblemScope::Report(printfFormat, args, false);
    va_end(args);
}

void ReportResourceLoss(const char* printfFormat, ...)
{
    va_list args;
    va_start(args, printfFormat);
    Internal::ResourceProblemScope::Report(printfFormat, args, true);
    va_end(args);
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

void ResourceProblemScope::Report(const char* printfFormat, va_list args, bool loss)
{
    std::string line = FormatDebugText(printfFormat, args);
    if (line.empty())
        return;
    DebugPrint("%s", line.c_str());
    if (!gScope)
        return;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    Append(gScope->mText, line);
    if (loss)
        Append(gScope->mLosses, line);
}

void ResourceProblemScope::PassOnAsLoss()
{
    if (!mOuter)
        return;
    Append(mOuter->mText, mText);
    Append(mOuter->mLosses, mText);
}
} // namespace Internal
} // namespace Corvane
