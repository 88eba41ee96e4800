#include "ErrorStatus.h"
#include "Referenced.h"
#include "Threading.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

using namespace Corvane;
using namespace std::chrono_literals;

namespace
{
class CountingEntry : public IEntryPoint
{
public:
    void Run() override { ++runs; }
    std::atomic<int> runs{0};
};

class BlockingEntry : public IEntryPoint
{
public:
    explicit BlockingEntry(IThreadSignal& go) : mGo(go) {}
    void Run() override
    {
        mGo.Wait();
        finished = true;
    }
    std::atomic<bool> finished{false};

private:
    IThreadSignal& mGo;
};
} // namespace

TEST(Thread, StartsOnceAndReportsItsState)
{
    CountingEntry entry;
    std::unique_ptr<IThread> thread(CreateThread(0, &entry));
    EXPECT_EQ(thread->GetState(), IThread::kNotStarted);
    thread->Start();
    thread->Start();
    thread->Join();
    EXPECT_EQ(thread->GetState(), IThread::kFinished);
    EXPECT_EQ(entry.runs.load(), 1);
    EXPECT_NE(thread->GetId(), 0u);
}

TEST(Thread, StartNowFlagAndTimedWait)
{
    std::unique_ptr<IThreadSignal> go(CreateThreadSignal());
    BlockingEntry entry(*go);
    std::unique_ptr<IThread> thread(CreateThread(kThreadStartNow, &entry));
    thread->Wait(20);
    EXPECT_EQ(thread->GetState(), IThread::kRunning);
    go->Signal();
    thread->Wait(10000);
    EXPECT_EQ(thread->GetState(), IThread::kFinished);
}

TEST(Thread, DestroyingARunningThreadWaitsForIt)
{
    std::unique_ptr<IThreadSignal> go(CreateThreadSignal());
    BlockingEntry entry(*go);
    IThread* thread = CreateThread(kThreadStartNow, &entry);
    std::atomic<bool> released{false};
    std::thread releaser([&] {
        std::this_thread::sleep_for(20ms);
        released = true;
        go->Signal();
    });
    delete thread; // must not leave the thread running against a dead entry
    EXPECT_TRUE(released.load()) << "the destructor returned while the thread was still blocked";
    EXPECT_TRUE(entry.finished.load()) << "the thread was still running";
    releaser.join();
}

TEST(ThreadSignal, IsAutoResetAndDoesNotCount)
{
    std::unique_ptr<IThreadSignal> signal(CreateThreadSignal());
    EXPECT_FALSE(signal->TryWait());
    signal->Signal();
    signal->Signal();
    EXPECT_TRUE(signal->TryWait());
    EXPECT_FALSE(signal->TryWait());

    signal->Signal();
    signal->Wait(); // returns at once
    std::atomic<bool> woke{false};
    std::thread waiter([&] {
        signal->Wait();
        woke = true;
    });
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(woke.load());
    signal->Signal();
    waiter.join();
    EXPECT_TRUE(woke.load());
}

TEST(Mutex, IsReentrantAndExcludesOtherThreads)
{
    std::unique_ptr<IMutex> mutex(CreateMutex());
    mutex->Lock();
    mutex->Lock();
    std::atomic<bool> entered{false};
    std::thread other([&] {
        ScopedLock lock(*mutex);
        entered = true;
    });
    mutex->Unlock();
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(entered.load());
    mutex->Unlock();
    other.join();
    EXPECT_TRUE(entered.load());
}

namespace
{
class Job : public IErrorStatus
{
};
} // namespace

TEST(ErrorStatus, NegativeCodesAreErrors)
{
    Job job;
    EXPECT_FALSE(job.HasError());
    job.SetError(-3);
    EXPECT_TRUE(job.HasError());
    EXPECT_EQ(job.GetError(), -3);
    job.ClearError();
    EXPECT_FALSE(job.HasError());
    job.SetError(5);
    EXPECT_FALSE(job.HasError());
}

namespace
{
std::atomic<int> gFreed{0};
struct Shared : Referenced<>
{
    ~Shared() override { ++gFreed; }
};
} // namespace

TEST(Referenced, LastReleaseDeletes)
{
    gFreed = 0;
    auto* shared = new Shared;
    shared->AddRef();
    shared->Release();
    EXPECT_EQ(gFreed.load(), 0);
    shared->Release();
    EXPECT_EQ(gFreed.load(), 1);
}
