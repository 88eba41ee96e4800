// Runs a probe program as a second start of "the program" would: a fresh process given one name.
#pragma once

#include "Utf8.h"

#include <sys/wait.h>

#include <cstdlib>
#include <string>

namespace Corvane::Testing
{
// The probe's exit code, or -1 when it did not exit normally.
inline int RunSecondStart(const char* probe, const std::wstring& name)
{
    const std::string command = std::string(probe) + " " + Utf8::FromWide(name);
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
} // namespace Corvane::Testing
