// The engine's threading interfaces. Engine code names only these; the implementations live in
// Source/Win32 and are made through the Create functions (the caller owns what they return).
#pragma once

#include <memory>

namespace Corvane
{
// A re-entrant lock: a thread that holds it may take it again and must leave as often.
class IMutex
{
public:
    virtual ~IMutex() = default;
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
};

// The body of a thread.
class IEntryPoint
{
public:
    virtual ~IEntryPoint() = default;
    virtual void Run() = 0;
};

class IThread
{
public:
    enum State
    {
        kNotStarted = 0,
        kRunning = 1,
        kFinished = 2,
    };

    // Destroying a thread object waits for its thread to end.
    virtual ~IThread() = default;
    virtual unsigned GetId() = 0;
    // Starts the thread once; later calls do nothing.
    virtual void Start() = 0;
    // While running, waits up to milliseconds for the thread to end.
    virtual void Wait(unsigned milliseconds) = 0;
    // Waits without limit.
    virtual void Join() = 0;
    virtual int GetState() = 0;
};

// An auto-reset wake-up: one Signal releases exactly one Wait, or stays set until the next one.
// Signals do not count.
class IThreadSignal
{
public:
    virtual ~IThreadSignal() = default;
    virtual void Signal() = 0;
    virtual void Wait() = 0;
    // True (and reset) when set; never waits.
    virtual bool TryWait() = 0;
};

IMutex* CreateMutex();
// Bit 0 of flags starts the thread at once. entry is not owned and must outlive the thread.
constexpr unsigned kThreadStartNow = 1;
IThread* CreateThread(unsigned flags, IEntryPoint* entry);
IThreadSignal* CreateThreadSignal();

// Holds an IMutex for a scope.
class ScopedLock
{
public:
    explicit ScopedLock(IMutex& mutex) : mMutex(mutex) { mMutex.Lock(); }
    ~ScopedLock() { mMutex.Unlock(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    IMutex& mMutex;
};
} // namespace Corvane
