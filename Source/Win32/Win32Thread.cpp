#include "Win32/Win32Thread.h"

#include <chrono>
#include <functional>
#include <system_error>

namespace Win32
{
namespace
{
unsigned ThreadIdOf(const std::thread::id& id)
{
    // Thread ids are only compared and printed; fold the opaque id into 32 bits.
    const std::size_t h = std::hash<std::thread::id>()(id);
    const unsigned folded = static_cast<unsigned>(h ^ (h >> 32));
    return folded ? folded : 1;
}
} // namespace

Thread::~Thread()
{
    // A thread that deletes its own object cannot wait for itself.
    if (mThread.joinable() && mThread.get_id() == std::this_thread::get_id())
        mThread.detach();
    Join();
}

void Thread::Start()
{
    int expected = kNotStarted;
    if (!mState.compare_exchange_strong(expected, kRunning))
        return;
    try
    {
        mThread = std::thread(&Thread::Body, this);
        mId = ThreadIdOf(mThread.get_id());
    }
    catch (const std::system_error&)
    {
        mState = kFinished; // never raised: a thread that cannot start reports itself finished
    }
}

void Thread::Body()
{
    if (mEntry)
        mEntry->Run();
    std::lock_guard<std::mutex> lock(mFinishLock);
    mBodyDone = true;
    mFinished.notify_all();
}

void Thread::Wait(unsigned milliseconds)
{
    if (mState.load() != kRunning)
        return;
    std::unique_lock<std::mutex> lock(mFinishLock);
    mFinished.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return mBodyDone; });
}

void Thread::Join()
{
    if (mThread.joinable() && mThread.get_id() != std::this_thread::get_id())
        mThread.join();
}

int Thread::GetState()
{
    if (mState.load() == kRunning)
    {
        std::lock_guard<std::mutex> lock(mFinishLock);
        if (mBodyDone)
            mState = kFinished;
    }
    return mState.load();
}
} // namespace Win32

namespace Corvane
{
IThread* CreateThread(unsigned flags, IEntryPoint* entry)
{
    IThread* thread = new Win32::Thread(entry);
    if (flags & kThreadStartNow)
        thread->Start();
    return thread;
}
} // namespace Corvane
