#include "Framework/CuePointTask.h"
#include "Framework/NamedTaskSet.h"
#include "Framework/ParallelTask.h"
#include "Framework/RepeatingTask.h"
#include "Framework/SerialTask.h"
#include "Framework/SimpleFunctionTask.h"
#include "Framework/TimedTask.h"
#include "RuntimeError.h"
#include "Support/FrameworkObjects.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Corvane;
using Corvane::Internal::NamedTaskSet;
using Corvane::Internal::TaskSet;
using Corvane::Testing::CountingTask;
using Corvane::Testing::Log;

namespace
{
bool Running(const TaskResult& r)
{
    return r.status == kTaskRunning;
}
} // namespace

TEST(TimedTask, FinishesWithTheExactRestOfTheUpdate)
{
    TimedTask wait(0.5f);
    EXPECT_EQ(wait.Update(nullptr, 0.2f).timeUsed, kAllTime);
    const TaskResult last = wait.Update(nullptr, 0.4f);
    EXPECT_EQ(last.status, kTaskFinished);
    EXPECT_NEAR(last.timeUsed, 0.3f, 1e-6f);

    TimedTask zero(0.0f);
    const TaskResult instant = zero.Update(nullptr, 0.02f);
    EXPECT_EQ(instant.status, kTaskFinished);
    EXPECT_EQ(instant.timeUsed, 0.0f);

    std::unique_ptr<Task> copy(wait.Clone());
    EXPECT_TRUE(Running(copy->Update(nullptr, 0.2f))) << "a clone waits the whole duration again";
}

TEST(TaskSet, SerialPassHandsLeftoverTimeOn)
{
    // 0.5 s then 0.3 s given 0.6 s: the first finishes having used 0.5, the second has 0.1 of its
    // 0.3 and runs on.
    auto* second = new TimedTask(0.3f);
    SerialTask serial(new TimedTask(0.5f), second);
    const TaskResult r = serial.Update(nullptr, 0.6f);
    EXPECT_EQ(r.status, kTaskRunning);
    EXPECT_GE(r.timeUsed, kAllTime);
    EXPECT_NEAR(second->GetElapsed(), 0.1f, 1e-6f);

    const TaskResult end = serial.Update(nullptr, 0.25f);
    EXPECT_EQ(end.status, kTaskFinished);
    EXPECT_NEAR(end.timeUsed, 0.2f, 1e-6f);
}

TEST(TaskSet, SerialPassStopsAtATaskThatUsedAllTheTime)
{
    Log log;
    TaskSet set;
    set.Add(new CountingTask(log, "a", 1, kAllTime));
    set.Add(new CountingTask(log, "b", 1, 0.0f));
    set.Add(new TimedTask(0.0f));
    set.Add(nullptr);

    EXPECT_TRUE(Running(set.UpdateSerial(nullptr, 0.02f))) << "b starts in the next update";
    EXPECT_EQ(log, (Log{"a 0.020000", "a deleted"})) << "a finished and was purged after the pass";

    log.clear();
    const TaskResult r = set.UpdateSerial(nullptr, 0.02f);
    EXPECT_EQ(r.status, kTaskFinished) << "b used nothing, so the zero wait ran in the same update";
    EXPECT_EQ(r.timeUsed, 0.0f);
    EXPECT_TRUE(set.IsEmpty());
}

TEST(TaskSet, ATaskEndedDuringTheIterationIsDeletedWhenItEnds)
{
    Log log;
    TaskSet set;
    auto* victim = new CountingTask(log, "victim", 5, 0.0f);
    struct Ender : Task
    {
        TaskSet* set;
        TaskResult Update(Object*, float) override
        {
            set->EndAll();
            return {kTaskRunning, 0.0f};
        }
    };
    auto* ender = new Ender;
    ender->set = &set;
    set.Add(ender);
    set.Add(victim);
    set.UpdateSerial(nullptr, 0.02f);
    EXPECT_EQ(log, (Log{"victim deleted"}));
    EXPECT_TRUE(set.IsEmpty());
}

TEST(ParallelTask, ModeZeroFinishesOneUpdateAfterItsLastChild)
{
    ParallelTask both(0, new TimedTask(0.02f), new TimedTask(0.02f));
    const TaskResult first = both.Update(nullptr, 0.02f);
    EXPECT_EQ(first.status, kTaskRunning);
    EXPECT_NEAR(first.timeUsed, 0.02f, 1e-7f);
    const TaskResult second = both.Update(nullptr, 0.02f);
    EXPECT_EQ(second.status, kTaskFinished);
    EXPECT_EQ(second.timeUsed, 0.0f);
}

TEST(ParallelTask, ModeOneFinishesWithTheFirstChild)
{
    Log log;
    {
        ParallelTask race(1, new TimedTask(0.01f), new CountingTask(log, "slow", 100));
        const TaskResult r = race.Update(nullptr, 0.02f);
        EXPECT_EQ(r.status, kTaskFinished);
        EXPECT_EQ(r.timeUsed, kAllTime) << "the most a child used";
        EXPECT_EQ(log, (Log{"slow 0.020000"})) << "the slow child is not ended...";
    }
    EXPECT_EQ(log.back(), "slow deleted") << "...but deleted with the parallel task";
}

TEST(ParallelTask, WithoutChildrenItFinishesAtTheFirstRealUpdate)
{
    TaskSet empty;
    EXPECT_TRUE(Running(empty.UpdateParallel(nullptr, 0.0f, 0)));
    EXPECT_EQ(empty.UpdateParallel(nullptr, 0.02f, 0).status, kTaskFinished);
}

TEST(SerialTask, CloneStartsAgainWithEveryChild)
{
    Log log;
    SerialTask serial(new CountingTask(log, "a"), new CountingTask(log, "b"));
    serial.Update(nullptr, 0.02f);
    serial.Update(nullptr, 0.02f);
    std::unique_ptr<Task> copy(serial.Clone());
    log.clear();
    copy->Update(nullptr, 0.02f);
    EXPECT_EQ(log, (Log{"a' 0.020000"})) << "finished children are kept for the clone";
}

TEST(RepeatingTask, RunsItsChildrenAsARing)
{
    Log log;
    RepeatingTask ring(new CountingTask(log, "a"), new CountingTask(log, "b"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Running(ring.Update(nullptr, 0.02f)));
    EXPECT_EQ(log, (Log{"a 0.020000", "a deleted", "b 0.020000", "b deleted", "a' 0.020000", "a' deleted"}));

    log.clear();
    std::unique_ptr<Task> copy(ring.Clone());
    copy->Update(nullptr, 0.02f);
    EXPECT_EQ(log.front(), "b'' 0.020000") << "only children not yet replaced are copied";
}

TEST(RepeatingTask, ARingThatUsesNoTimeStopsTheUpdate)
{
    RepeatingTask spin(new TimedTask(0.0f), new TimedTask(0.0f));
    const TaskResult r = spin.Update(nullptr, 0.02f);
    EXPECT_EQ(r.status, kTaskRunning);
    EXPECT_EQ(r.timeUsed, kAllTime);

    // A ring that does use time runs as often as the time allows: 0.25 s steps in 1 s run five
    // times (the fifth starts with exactly 0 left).
    Log log;
    RepeatingTask steps(new CountingTask(log, "t", 1, 0.25f));
    EXPECT_TRUE(Running(steps.Update(nullptr, 1.0f)));
    int runs = 0;
    for (const std::string& line : log)
        runs += line.find("deleted") == std::string::npos ? 1 : 0;
    EXPECT_EQ(runs, 5);
}

TEST(RepeatingTask, AChildThatCannotBeClonedThrowsWhenItFinishes)
{
    RepeatingTask ring(new CuePointTask(nullptr));
    try
    {
        ring.Update(nullptr, 0.02f);
        FAIL() << "no exception";
    }
    catch (const RuntimeError& e)
    {
        EXPECT_STREQ(e.what(), "Corvane::CuePointTask does not implement Task::Clone.");
        EXPECT_EQ(e.GetFunction(), "Corvane::Task::Clone");
    }
}

TEST(CuePointTask, TasksMeetAndTheCuePointGoesAway)
{
    CuePoint* cue = CuePoint::Create();
    auto* early = new CuePointTask(cue);
    auto* late = new CuePointTask(cue);
    EXPECT_EQ(cue->GetRegistered(), 2);

    TaskSet first, second;
    first.Add(early);
    second.Add(new TimedTask(0.03f));
    second.Add(late);

    EXPECT_TRUE(Running(first.UpdateSerial(nullptr, 0.02f))) << "waits for the other";
    EXPECT_EQ(cue->GetArrived(), 1);
    EXPECT_TRUE(Running(second.UpdateSerial(nullptr, 0.02f)));
    EXPECT_TRUE(Running(first.UpdateSerial(nullptr, 0.02f)));
    EXPECT_EQ(second.UpdateSerial(nullptr, 0.02f).status, kTaskFinished) << "the last to arrive goes on at once";
    EXPECT_EQ(first.UpdateSerial(nullptr, 0.02f).status, kTaskFinished) << "the others at their next update";
    // AddressSanitizer reports the cue point if it was not deleted with its last task.
}

TEST(CuePointTask, ATaskDeletedWhileWaitingLeavesTheCuePoint)
{
    CuePoint* cue = CuePoint::Create();
    TaskSet waiting;
    waiting.Add(new CuePointTask(cue));
    {
        TaskSet doomed;
        doomed.Add(new CuePointTask(cue));
    }
    EXPECT_EQ(cue->GetRegistered(), 1);
    EXPECT_EQ(waiting.UpdateSerial(nullptr, 0.02f).status, kTaskFinished) << "nobody else left to wait for";
}

TEST(SimpleFunctionTask, CallsItsOwnerOnceAndSkipsAnOwnerOfAnotherType)
{
    struct Owner : Object
    {
        float total = 0;
        void Add(float dt) { total += dt; }
    };
    struct Other : Object
    {
    };
    SimpleFunctionTask<Owner> task([](Owner* owner, float dt) { owner->Add(dt); });
    Owner owner;
    Other other;
    EXPECT_EQ(task.Update(&owner, 0.5f).status, kTaskFinished);
    EXPECT_EQ(owner.total, 0.5f);

    std::unique_ptr<Task> copy(task.Clone());
    EXPECT_EQ(copy->Update(&other, 0.5f).timeUsed, kAllTime) << "no call with a null owner";
    EXPECT_EQ(copy->Update(nullptr, 0.5f).status, kTaskFinished);
    copy->Update(&owner, 0.25f);
    EXPECT_EQ(owner.total, 0.75f);
}

TEST(NamedTaskSet, EndAndIsRunningByLabel)
{
    Log log;
    const Label fade("Fade"), move("Move");
    NamedTaskSet set;
    set.Insert(fade, new CountingTask(log, "fade1", 5));
    set.Insert(fade, new CountingTask(log, "fade2", 5));
    set.Insert(Label(), new CountingTask(log, "unnamed", 5));

    EXPECT_TRUE(set.IsRunning(fade));
    EXPECT_FALSE(set.IsRunning(move));
    EXPECT_TRUE(set.IsRunning(Label()));

    set.End(Label());
    EXPECT_EQ(set.Count(), 3) << "the null label ends nothing";
    set.End(fade);
    EXPECT_EQ(log, (Log{"fade1 deleted", "fade2 deleted"}));
    EXPECT_FALSE(set.IsRunning(Label())) << "tasks under the null label never count";
    EXPECT_EQ(set.Count(), 1);
}

TEST(TaskSet, MessagesReachEveryLiveTaskAndCanEndThem)
{
    Log log;
    TaskSet set;
    auto* quitter = new CountingTask(log, "quitter", 5);
    quitter->keep = 0;
    set.Add(quitter);
    set.Add(new CountingTask(log, "stayer", 5));
    const ObjectMessage message(kNoObject, Label("Ping"));
    EXPECT_EQ(set.Message(nullptr, message, 0), 1);
    EXPECT_EQ(log, (Log{"quitter got Ping", "stayer got Ping", "quitter deleted"}));
    EXPECT_EQ(set.Message(nullptr, message, 1), 1);

    TaskSet mode1;
    auto* ends = new CountingTask(log, "ends", 5);
    ends->keep = 0;
    mode1.Add(ends);
    mode1.Add(new CountingTask(log, "other", 5));
    EXPECT_EQ(mode1.Message(nullptr, message, 1), 0);
    EXPECT_EQ(TaskSet().Message(nullptr, message, 0), 0) << "no live task";
}
