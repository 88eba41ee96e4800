#include "Platform/Win32/WinMain.h"

#include "Platform/Win32/UnhandledException.h"

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
} // namespace Corvane

int WinMain(const std::wstring& commandLine)
{
    Corvane::SetCommandLine(commandLine);
    return Corvane::RunGuarded([] {});
}
