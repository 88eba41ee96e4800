// A clock that moves only when a test says so, or when the code under test sleeps.
#pragma once

#include "Framework/IClock.h"

#include <vector>

namespace Corvane::Testing
{
class TestClock : public IClock
{
public:
    explicit TestClock(std::uint32_t start = 1000) : now(start) {}

    std::uint32_t GetTickCount() override { return now; }
    void Sleep(std::uint32_t milliseconds) override
    {
        sleeps.push_back(milliseconds);
        now += milliseconds;
    }
    void Advance(std::uint32_t milliseconds) { now += milliseconds; }

    std::uint32_t now;
    std::vector<std::uint32_t> sleeps;
};
} // namespace Corvane::Testing
