// Starting and stopping the engine around the main loop, in the order the subsystems depend on
// each other. Start: random streams, the platform, the application's audio platform, the file
// source, audio, the first display, the value and widget factories, the application. Stop: the
// application, the resource manager's loader, downloads, the file source, the renderer, audio,
// the window and platform, the singletons, the labels and the random streams. Main thread.
#pragma once

namespace Corvane
{
void StartEngine();
void StopEngine();
// StopEngine without its last two steps: the label table and the random streams stay, for a
// process that starts the engine again (labels kept in statics must stay readable).
void StopEngineKeepingLabels();

// The code the program exits with after an orderly end: 0 unless the game ended because it could
// not be played, having told the player why. Main thread.
void SetExitCode(int code);
int GetExitCode();

// The whole run, called by the entry function: start; end right after the platform's set-up,
// before there is a window, when another instance is running (and the application wants only
// one); otherwise loop, pop every mode and stop. Without
// an application there is nothing to run: a message says so and Run returns. Exceptions are not
// caught here.
void Run();
} // namespace Corvane
