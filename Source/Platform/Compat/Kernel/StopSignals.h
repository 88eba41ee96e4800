// SIGTERM and SIGINT, the requests to end that a session's logout, a service manager or Ctrl+C
// send. The first one asks the game to quit in order (the message pump turns it into a close
// request, MessageQueue.cpp); whoever waits (for messages, or for the player to answer a box)
// wakes at once. The game then has a second to end: if it has not ended by then, or a second
// request comes, it ends at once, saying in the log what it had not finished (a log that cannot be
// written, its file system hung, holds that end back half a second at most).
#pragma once

namespace Compat
{
// Installs the handlers for the whole process (replacing none but the default action: SDL leaves
// handlers that are already set alone) and starts the watch that ends a game too slow to end.
// Once, first thing in the program; later calls do nothing.
void CatchStopSignals();
// The first stop signal's number; 0 while none came (or none is caught).
int StopSignal();
// The first stop signal's name for the log, "SIGINT" or "SIGTERM", once one came.
const char* StopSignalName();
// Readable from the first stop signal on, for poll(); -1 while none is caught.
int StopSignalDescriptor();
// The game has ended in order: what follows (the C library's exit) is not watched.
void StopSignalsEndedInOrder();
// What an end at once would leave undone (a static text, or null for nothing in particular); the
// watch writes it in the log. Any thread.
void SetUnfinishedWork(const char* text);
} // namespace Compat
