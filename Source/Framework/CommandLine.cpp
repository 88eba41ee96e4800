#include "Framework/CommandLine.h"

namespace Corvane
{
namespace
{
std::wstring& CommandLineText()
{
    static std::wstring text;
    return text;
}
} // namespace

const std::wstring& GetCommandLine()
{
    return CommandLineText();
}

void SetCommandLine(const std::wstring& commandLine)
{
    CommandLineText() = commandLine;
}

bool CommandLineContains(const wchar_t* text)
{
    return text && CommandLineText().find(text) != std::wstring::npos;
}
} // namespace Corvane
