#include "Framework/Object.h"
#include "Framework/TimedTask.h"
#include "Support/FrameworkObjects.h"

#include <gtest/gtest.h>

using namespace Corvane;
using Corvane::Testing::CountingTask;
using Corvane::Testing::Log;
using Corvane::Testing::LoggingObject;

TEST(Object, UpdateRunsTheListSeriallyThenNamedTasksWithTheWholeTimeThenTheHook)
{
    Log log;
    LoggingObject object(log, "o");
    object.GetTasks().Add(new TimedTask(0.015f));
    object.GetTasks().Add(new CountingTask(log, "list", 2, 0.001f));
    object.AddTask(Label("B"), new CountingTask(log, "named", 2, 0.0f));

    object.Update(0.02f);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].substr(0, 10), "list 0.005") << "the list task got what the wait left";
    EXPECT_EQ(log[1], "named 0.020000") << "named tasks get the whole update";
    EXPECT_EQ(log[2], "o update");

    log.clear();
    LoggingObject idle(log, "idle");
    idle.Update(0.02f);
    EXPECT_EQ(log, (Log{"idle update"})) << "no tasks, still the hook";
}

TEST(Object, NamedTasksAddedDuringThePassRunByLabelOrder)
{
    Log log;
    LoggingObject object(log, "o");
    const Label first("AddedFirst"), second("AddedSecond");
    // The multimap runs labels in handle order; whichever of the two comes later is added by the
    // earlier one and runs in the same pass.
    const Label early = first < second ? first : second;
    const Label late = first < second ? second : first;
    struct Adder : Task
    {
        Object* object;
        Label late;
        Log* log;
        TaskResult Update(Object*, float) override
        {
            object->AddTask(late, new CountingTask(*log, "added", 1, 0.0f));
            return {kTaskRunning, 0.0f};
        }
    };
    auto* adder = new Adder;
    adder->object = &object;
    adder->late = late;
    adder->log = &log;
    object.AddTask(early, adder);
    object.Update(0.02f);
    EXPECT_EQ(log.front(), "added 0.020000");
}

TEST(Object, EndTasksByLabel)
{
    Log log;
    {
        LoggingObject object(log, "o");
        object.AddTask(Label("Fade"), new CountingTask(log, "f1", 9));
        object.AddTask(Label("Fade"), new CountingTask(log, "f2", 9));
        object.AddTask(Label(), new CountingTask(log, "plain", 9));
        object.EndTasks(Label());
        EXPECT_TRUE(log.empty()) << "the null label ends nothing";
        object.EndTasks(Label("Fade"));
        EXPECT_EQ(log, (Log{"f1 deleted", "f2 deleted"}));
        EXPECT_FALSE(object.GetNamedTasks().IsRunning(Label("Fade")));
        log.clear();
        object.GetTasks().Add(new CountingTask(log, "listed", 9));
    }
    EXPECT_EQ(log, (Log{"o deleted", "listed deleted", "plain deleted"})) << "list first, then named tasks";
}

TEST(Object, MessagesReachEveryTaskThenTheHook)
{
    Log log;
    LoggingObject object(log, "o");
    object.GetTasks().Add(new CountingTask(log, "a", 9));
    object.GetTasks().Add(new CountingTask(log, "b", 9));
    object.AddTask(Label("N"), new CountingTask(log, "n", 9));
    object.HandleMessage(ObjectMessage(kNoObject, Label("Hello")));
    EXPECT_EQ(log, (Log{"a got Hello", "b got Hello", "n got Hello", "o Hello"}));
}

TEST(Object, GroupsFromEitherOverride)
{
    Log log;
    LoggingObject single(log, "s", Label(), Label("Bins"));
    EXPECT_EQ(single.GetGroup(0), Label("Bins"));
    EXPECT_TRUE(single.GetGroup(1).IsNull()) << "one group only";
    LoggingObject none(log, "n");
    EXPECT_TRUE(none.GetGroup(0).IsNull());
}
