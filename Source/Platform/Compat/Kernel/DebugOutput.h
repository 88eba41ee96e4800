// The debugger output. Text goes to a sink: standard error unless the program keeps a log (then the
// log file) or a test installs its own.
#pragma once

#include <string>

using DebugOutputSink = void (*)(const char* text);

// Passes text to the current sink; callable from any thread.
void OutputDebugStringA(const char* text);

// Installs sink (null restores the default) and returns the previous one.
DebugOutputSink SetDebugOutputSink(DebugOutputSink sink);

namespace Compat
{
// From now on the default sink writes to the log that OpenDebugLog opens instead of standard
// error, which gets a copy only when the environment variable CORVANE_DEBUG is set (and not "0"):
// a player's terminal stays quiet. Text written before the log opens waits for it (the first
// 256 KiB).
void UseDebugLog();
// Appends the output to the file at path from now on; a file grown past 1 MiB, now or later in the
// run, is moved to path + ".old" and a new one begun. Does nothing unless UseDebugLog was called;
// false when the file cannot be opened (the waiting text is then dropped).
bool OpenDebugLog(const std::string& path);
// Closes the log; the default sink writes as before UseDebugLog. For tests.
void CloseDebugLog();
} // namespace Compat
