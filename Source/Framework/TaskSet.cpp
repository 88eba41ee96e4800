#include "Framework/TaskSet.h"

namespace Corvane::Internal
{
void TaskSet::Add(Task* task)
{
    if (task)
        mTasks.push_back(task);
}

TaskResult TaskSet::UpdateSerial(Object* owner, float dt)
{
    return RunSerial(owner, dt, false);
}

TaskResult TaskSet::UpdateRing(Object* owner, float dt)
{
    return RunSerial(owner, dt, true);
}

TaskResult TaskSet::RunSerial(Object* owner, float dt, bool bounded)
{
    Iteration iteration(*this);
    float used = 0.0f;

    // For the bounded pass: a round is as many finishes as there were live tasks when it began.
    int roundLength = 0;
    if (bounded)
        for (Task* task : mTasks)
            roundLength += task->IsEnded() ? 0 : 1;
    int finishedThisRound = 0;
    float dtAtRoundStart = dt;

    for (Task* task : mTasks)
    {
        if (dt < 0.0f)
            return {kTaskRunning, used};
        if (task->IsEnded())
            continue;
        const TaskResult result = task->Update(owner, dt);
        dt -= result.timeUsed;
        used += result.timeUsed;
        if (result.status == kTaskRunning)
            return {kTaskRunning, used};
        Finish(task);

        if (bounded && ++finishedThisRound >= roundLength)
        {
            // dt only falls; a round that left it where it was made no progress.
            if (dt >= dtAtRoundStart)
                return kRunningAllUsed;
            finishedThisRound = 0;
            dtAtRoundStart = dt;
        }
    }
    return {kTaskFinished, used};
}

void TaskSet::CloneAll(TaskSet& target, unsigned mask) const
{
    for (const Task* task : mTasks)
        if ((task->GetFlags() & mask) == 0)
            target.Add(task->Clone());
}
} // namespace Corvane::Internal
