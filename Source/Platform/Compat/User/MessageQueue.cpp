#include "Platform/Compat/User/MessageQueue.h"

#include "Platform/Compat/Kernel/DebugOutput.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "Platform/Compat/Kernel/StopSignals.h"
#include "Platform/Compat/Kernel/Time.h"
#include "Platform/Compat/User/DisplayConnection.h"
#include "Platform/Compat/User/EventTranslation.h"
#include "Platform/Compat/User/InstanceChannel.h"
#include "Platform/Compat/User/Messages.h"
#include "Platform/Compat/User/VirtualKeys.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Compat/User/WindowObject.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

namespace
{
struct ThreadQueue
{
    std::mutex lock;
    std::condition_variable arrived;
    std::deque<MSG> messages;
    bool quitPosted = false;
    int quitCode = 0;
    // Whether Ctrl is down, as the key messages taken so far say (not as SDL says now: its events
    // may run ahead of the messages).
    bool controlDown = false;
};

std::mutex gQueuesLock;
std::map<std::thread::id, std::shared_ptr<ThreadQueue>> gQueues;

std::shared_ptr<ThreadQueue> QueueOf(std::thread::id thread)
{
    std::lock_guard<std::mutex> guard(gQueuesLock);
    std::shared_ptr<ThreadQueue>& queue = gQueues[thread];
    if (!queue)
        queue = std::make_shared<ThreadQueue>();
    return queue;
}

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return MSG{window, message, wParam, lParam, GetTickCount(), {0, 0}};
}

void Push(ThreadQueue& queue, const MSG& message, bool front)
{
    {
        std::lock_guard<std::mutex> guard(queue.lock);
        if (front)
            queue.messages.push_front(message);
        else
            queue.messages.push_back(message);
    }
    queue.arrived.notify_all();
}

// Takes or copies the next message; WM_QUIT only when nothing else waits.
bool Next(ThreadQueue& queue, MSG* out, bool remove)
{
    std::lock_guard<std::mutex> guard(queue.lock);
    if (!queue.messages.empty())
    {
        const MSG& next = queue.messages.front();
        if (out)
            *out = next;
        if (remove)
        {
            if (next.wParam == VK_CONTROL)
            {
                if (next.message == WM_KEYDOWN || next.message == WM_SYSKEYDOWN)
                    queue.controlDown = true;
                else if (next.message == WM_KEYUP || next.message == WM_SYSKEYUP)
                    queue.controlDown = false;
            }
            queue.messages.pop_front();
        }
        return true;
    }
    if (queue.quitPosted)
    {
        if (out)
            *out = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0);
        if (remove)
            queue.quitPosted = false;
        return true;
    }
    return false;
}

bool ControlDown()
{
    std::shared_ptr<ThreadQueue> queue = QueueOf(std::this_thread::get_id());
    std::lock_guard<std::mutex> guard(queue->lock);
    return queue->controlDown;
}

bool HasAny(ThreadQueue& queue)
{
    std::lock_guard<std::mutex> guard(queue.lock);
    return !queue.messages.empty() || queue.quitPosted;
}

WPARAM CharacterFor(WPARAM key)
{
    switch (key)
    {
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    default: return 0;
    }
}
} // namespace

namespace Compat
{
void PostToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Push(*QueueOf(window ? window->owner : std::this_thread::get_id()), MakeMessage(window, message, wParam, lParam),
         false);
}

void PostCloseRequest(HWND window)
{
    if (!window)
    {
        PostQuitMessage(0);
        return;
    }
    Push(*QueueOf(window->owner), MakeMessage(window, WM_CLOSE, 0, 0), true);
}

void DropMessagesFor(HWND window)
{
    std::shared_ptr<ThreadQueue> queue = QueueOf(window->owner);
    std::lock_guard<std::mutex> guard(queue->lock);
    std::erase_if(queue->messages, [window](const MSG& m) { return m.hwnd == window; });
}

void PumpEvents()
{
    if (!IsWindowThread())
        return;
    InstanceChannel::Poll();
    SDL_Event event;
    while (SDL_PollEvent(&event))
        TranslateEvent(event);
    FinishUserSizing();
    FinishPointerEntries();
    // Without its display the game cannot go on, nor ask anyone: it ends as a quit message ends
    // it, without the quit handlers' question, so that it saves and shuts down in order.
    static bool lossPosted = false;
    if (!lossPosted && IsDisplayLost())
    {
        lossPosted = true;
        OutputDebugStringA(("The game ends: " + DisplayLossReason() + ".\n").c_str());
        PostQuitMessage(1);
    }
    // Asked to end by a signal: as the close box asks it, and the game saves and ends.
    static bool stopPosted = false;
    if (!stopPosted && StopSignal() != 0)
    {
        stopPosted = true;
        OutputDebugStringA((std::string("The game was asked to end (") + StopSignalName() + ").\n").c_str());
        PostCloseRequest(MainWindow());
    }
}
} // namespace Compat

BOOL PeekMessageW(MSG* message, HWND, UINT, UINT, UINT remove)
{
    Compat::PumpEvents();
    return Next(*QueueOf(std::this_thread::get_id()), message, (remove & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL GetMessageW(MSG* message, HWND window, UINT filterMin, UINT filterMax)
{
    if (!message)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    while (!PeekMessageW(message, window, filterMin, filterMax, PM_REMOVE))
        WaitMessage();
    return message->message == WM_QUIT ? 0 : 1;
}

BOOL TranslateMessage(const MSG* message)
{
    if (!message)
        return FALSE;
    const bool keyDown = message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN;
    const bool keyMessage = keyDown || message->message == WM_KEYUP || message->message == WM_SYSKEYUP;
    if (keyDown)
    {
        WPARAM character = CharacterFor(message->wParam);
        // Ctrl with a letter types its control character (Ctrl+A is 1), as the desktop would.
        const WPARAM key = message->wParam;
        if (!character && message->message == WM_KEYDOWN && key >= 'A' && key <= 'Z' && ControlDown())
            character = key - 'A' + 1;
        if (character)
        {
            const UINT kind = message->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
            // Next in line, so the character follows its key at once.
            Push(*QueueOf(std::this_thread::get_id()), MakeMessage(message->hwnd, kind, character, message->lParam),
                 true);
        }
    }
    return keyMessage ? TRUE : FALSE;
}

LRESULT DispatchMessageW(const MSG* message)
{
    if (!message || !IsWindow(message->hwnd) || message->hwnd->remote || !message->hwnd->procedure)
        return 0;
    return message->hwnd->procedure(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window && (!IsWindow(window) || window->remote))
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Compat::PostToWindow(window, message, wParam, lParam);
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    std::shared_ptr<ThreadQueue> queue = QueueOf(std::this_thread::get_id());
    {
        std::lock_guard<std::mutex> guard(queue->lock);
        queue->quitPosted = true;
        queue->quitCode = exitCode;
    }
    queue->arrived.notify_all();
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(window) || window->remote || !window->procedure)
        return 0;
    return window->procedure(window, message, wParam, lParam);
}

BOOL WaitMessage()
{
    std::shared_ptr<ThreadQueue> queue = QueueOf(std::this_thread::get_id());
    while (!HasAny(*queue))
    {
        // Short waits keep the desktop's events, the other-instance channel and cross-thread posts
        // responsive. (SDL's own wait is not used: it wakes through a second display connection
        // that nothing could mend once the display has gone.)
        Compat::PumpEvents();
        std::unique_lock<std::mutex> guard(queue->lock);
        queue->arrived.wait_for(guard, std::chrono::milliseconds(10),
                                [&] { return !queue->messages.empty() || queue->quitPosted; });
    }
    return TRUE;
}
