// The debugger output. Text goes to a sink: standard error unless a test installs its own.
#pragma once

using DebugOutputSink = void (*)(const char* text);

// Passes text to the current sink; callable from any thread.
void OutputDebugStringA(const char* text);

// Installs sink (null restores standard error) and returns the previous one.
DebugOutputSink SetDebugOutputSink(DebugOutputSink sink);
