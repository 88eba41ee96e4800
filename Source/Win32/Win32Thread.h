#pragma once

#include "Threading.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace Win32
{
// A thread running an entry point. Unlike a bare system thread it is joined when the object is
// destroyed, so no thread can outlive the objects it uses.
class Thread final : public Corvane::IThread
{
public:
    explicit Thread(Corvane::IEntryPoint* entry) : mEntry(entry) {}
    ~Thread() override;

    unsigned GetId() override { return mId; }
    void Start() override;
    void Wait(unsigned milliseconds) override;
    void Join() override;
    int GetState() override;

private:
    void Body();

    std::thread mThread;
    unsigned mId = 0;
    Corvane::IEntryPoint* mEntry;
    std::atomic<int> mState{kNotStarted};
    std::mutex mFinishLock;
    std::condition_variable mFinished;
    bool mBodyDone = false;
};
} // namespace Win32
