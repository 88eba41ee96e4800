// The process's command line as the system gave it (program name and arguments, blank-separated).
// The engine looks for its switches ("-software", "-broken") anywhere in it, case-sensitively.
#pragma once

#include <string>

namespace Corvane
{
const std::wstring& GetCommandLine();
// Set once by the entry function, before the engine starts.
void SetCommandLine(const std::wstring& commandLine);
// True when text occurs anywhere in the command line (case-sensitive).
bool CommandLineContains(const wchar_t* text);
} // namespace Corvane
