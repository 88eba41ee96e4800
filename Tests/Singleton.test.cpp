#include "Singleton.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace Corvane::Internal;

namespace
{
std::atomic<int> gDestroyed{0};

struct Tracked
{
    ~Tracked() { ++gDestroyed; }
};

void Register()
{
    new AutoDeleteSingletonDestructor<Tracked>(new Tracked);
}
} // namespace

TEST(Singleton, TeardownDestroysEachOnceAndRemovesTheList)
{
    DestroySingletons();
    gDestroyed = 0;
    Register();
    Register();
    Register();
    EXPECT_EQ(CountSingletons(), 3);
    DestroySingletons();
    EXPECT_EQ(gDestroyed.load(), 3);
    EXPECT_EQ(CountSingletons(), 0);
    DestroySingletons(); // nothing left: harmless
    EXPECT_EQ(gDestroyed.load(), 3);
}

TEST(Singleton, RegistrationFromSeveralThreadsLosesNone)
{
    DestroySingletons();
    gDestroyed = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([] {
            for (int i = 0; i < 200; ++i)
                Register();
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(CountSingletons(), 1600);
    DestroySingletons();
    EXPECT_EQ(gDestroyed.load(), 1600);
}

TEST(Singleton, AnEntryDestroyedEarlyLeavesTheList)
{
    DestroySingletons();
    gDestroyed = 0;
    auto* entry = new AutoDeleteSingletonDestructor<Tracked>(new Tracked);
    Register();
    entry->Destroy(); // the singleton went away on its own
    EXPECT_EQ(CountSingletons(), 1);
    DestroySingletons();
    EXPECT_EQ(gDestroyed.load(), 2);
}
