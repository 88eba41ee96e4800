// How a second start of the program finds the first one's window. The first instance listens on
// an abstract local socket named after its window class and its session (the user and the data
// folder that holds the single-instance lock); FindWindowW in another process connects
// to it and gets a stand-in window whose ShowWindow(SW_RESTORE) and SetForegroundWindow are
// carried out by the first instance.
#pragma once

#include "Platform/Compat/User/UserTypes.h"

#include <string>

namespace Compat::InstanceChannel
{
void Listen(const std::wstring& className);
void StopListening(const std::wstring& className);
// Serves waiting requests (window thread, from the message pump).
void Poll();
// A stand-in for another process's window of the class, or null when none is listening.
HWND FindRemote(const std::wstring& className);
bool IsRemoteWindow(HWND window);
bool AskToRestore(HWND remote);
bool AskToRaise(HWND remote);
} // namespace Compat::InstanceChannel
