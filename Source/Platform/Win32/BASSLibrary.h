// What the audio platform's pieces share about the audio library: whether it was initialised
// (every library call is skipped when it was not), and the reporting of its failures, which never
// stop the program: after a library call that can fail, its error code is read and, when not 0,
// written to the debug output as "<call> error: <code> (<name>)". Any thread.
#pragma once

namespace Corvane
{
// The engine-wide flag: the library is open (set by the audio platform's start, cleared by its
// shut-down).
bool IsBASSInitialized();
void SetBASSInitialized(bool initialized);

// The library's name of code ("BASS_ERROR_HANDLE"), "unknown error" for a code it has none for.
const char* GetBASSErrorName(int code);
// Reads the library's error code; when it is not 0 writes the line naming call (such as
// "BASS_Start()") and returns false.
bool CheckBASSError(const char* call);
} // namespace Corvane
