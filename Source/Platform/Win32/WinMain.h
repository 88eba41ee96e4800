// The process entry: runs the engine inside the last-resort error handlers.
#pragma once

#include "Framework/CommandLine.h"

#include <string>

// Stores the command line, runs the engine and returns the process's exit code: 0 after a clean
// run, or the code the game set for an orderly end (SetExitCode, Engine.h); 1 after an unhandled
// error (reported in an error box) and after the display went away (said in one line on standard
// error, with whether the last save was written).
int WinMain(const std::wstring& commandLine);

// What a program's main does: catches the stop signals, sets the locale (numbers in files stay in
// "C"), joins the arguments into the command line and returns WinMain's exit code.
int RunWithArguments(int argc, char** argv);
