#include "SceneGraph/BetterTimedTask.h"

#include "Framework/RepeatingTask.h"
#include "Framework/SerialTask.h"
#include "Support/FrameworkObjects.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Corvane;
using Corvane::Testing::CountingTask;
using Corvane::Testing::Log;

namespace
{
// Hands out 1.1, 2.1, 3.1... seconds; clones continue the same count (as a random source would go on).
class CountingDurations : public NumberGenerator<float>
{
public:
    explicit CountingDurations(std::shared_ptr<int> next = std::make_shared<int>(1)) : mNext(std::move(next)) {}
    float Generate() override { return static_cast<float>((*mNext)++) + 0.1f; }
    std::shared_ptr<NumberGenerator<float>> Clone() const override { return std::make_shared<CountingDurations>(mNext); }

private:
    std::shared_ptr<int> mNext;
};
} // namespace

TEST(BetterTimedTask, FinishesReportingOnlyThePartOfTheUpdateItNeeded)
{
    const struct
    {
        float duration;
        std::vector<float> updates;
        int runningUpdates;
        float lastUsed;
    } cases[] = {
        {0.5f, {0.2f, 0.2f, 0.2f}, 2, 0.1f},
        {0.0f, {0.02f}, 0, 0.0f},
        {-1.0f, {0.02f}, 0, 0.0f}, // never a negative share
        {0.25f, {0.25f}, 0, 0.25f},
    };
    for (const auto& c : cases)
    {
        BetterTimedTask task(c.duration);
        for (int i = 0; i < c.runningUpdates; ++i)
            EXPECT_EQ(task.Update(nullptr, c.updates[static_cast<std::size_t>(i)]).status, kTaskRunning) << c.duration;
        const TaskResult last = task.Update(nullptr, c.updates.back());
        EXPECT_EQ(last.status, kTaskFinished) << c.duration;
        EXPECT_NEAR(last.timeUsed, c.lastUsed, 1e-6f) << c.duration;
    }
}

TEST(BetterTimedTask, EachRepetitionDrawsItsOwnDuration)
{
    // A repeating pair of a wait drawn from 1.1, 2.1, 3.1... seconds and a marker that takes no
    // time, updated in quarter seconds: each wait starts with what the last one left over.
    Log log;
    RepeatingTask ring(new BetterTimedTask(std::make_shared<CountingDurations>()),
                       new CountingTask(log, "mark", 1, 0.0f));
    std::vector<int> marks;
    for (int tick = 1; tick <= 26; ++tick)
    {
        const std::size_t before = log.size();
        ring.Update(nullptr, 0.25f);
        for (std::size_t i = before; i < log.size(); ++i)
            if (log[i].find(" deleted") == std::string::npos)
                marks.push_back(tick);
    }
    EXPECT_EQ(marks, (std::vector<int>{5, 13, 26}));
}

TEST(BetterTimedTask, ADurationDrawnBeforeAnyTimePassedIsDrawnAgain)
{
    auto durations = std::make_shared<CountingDurations>();
    BetterTimedTask task(durations);
    task.Update(nullptr, 0.0f);
    task.Update(nullptr, 0.0f);
    EXPECT_EQ(task.Update(nullptr, 2.5f).status, kTaskRunning);
    EXPECT_FLOAT_EQ(task.GetDuration(), 3.1f);
    EXPECT_EQ(task.Update(nullptr, 0.75f).status, kTaskFinished) << "no new draw once time has passed";

    std::unique_ptr<Task> copy(task.Clone());
    EXPECT_EQ(copy->Update(nullptr, 4.0f).status, kTaskRunning) << "the clone draws 4.1 s and starts afresh";
}
