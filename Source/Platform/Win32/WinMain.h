// The process entry: the program's command line and the guarded run of the engine.
#pragma once

#include <string>

namespace Corvane
{
// The command line as the system gave it (program name and arguments, blank-separated).
const std::wstring& GetCommandLine();
void SetCommandLine(const std::wstring& commandLine);
} // namespace Corvane

int WinMain(const std::wstring& commandLine);
