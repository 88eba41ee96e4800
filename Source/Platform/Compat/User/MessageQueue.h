// The per-thread message queue. Messages of the window thread are fed from SDL's events, which
// are translated when the queue is looked at (peek, get, wait).
#pragma once

#include "Platform/Compat/User/UserTypes.h"

// Looks at the next message of the calling thread without waiting; PM_REMOVE takes it out.
BOOL PeekMessageW(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT remove);
// Waits for and takes the next message: 0 for WM_QUIT, -1 on failure, otherwise positive.
BOOL GetMessageW(MSG* message, HWND window, UINT filterMin, UINT filterMax);
// Key-down messages of Backspace, Tab, Enter and Escape, and of a letter while Ctrl is down (its
// control character, 1 to 26), produce their character message next (other characters arrive as
// text from SDL). TRUE for key messages.
BOOL TranslateMessage(const MSG* message);
// Calls the window procedure of the message's window.
LRESULT DispatchMessageW(const MSG* message);
// Queues a message for the window's thread (any thread may post); a null window posts to the
// calling thread.
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// WM_QUIT is retrieved once the thread's other posted messages are gone.
void PostQuitMessage(int exitCode);
// Calls the window procedure at once (same thread).
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Blocks until the calling thread has a message.
BOOL WaitMessage();

namespace Compat
{
// Queues a message for a window without validation (the window layer's own events).
void PostToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Asks the window to close (WM_CLOSE, or the quit message without a window) ahead of everything
// queued: however much input waits, a request to end is handled first.
void PostCloseRequest(HWND window);
// Forgets every queued message of a destroyed window.
void DropMessagesFor(HWND window);
// Translates every pending SDL event into messages (window thread only).
void PumpEvents();
} // namespace Compat
