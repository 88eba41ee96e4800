#include "Framework/TaskCollection.h"

#include <algorithm>
#include <vector>

namespace Corvane::Internal
{
template <typename C> TaskCollection<C>::~TaskCollection()
{
    mDepth = 0;
    // A task's destructor may hand new tasks to this set; they go with it.
    while (!mTasks.empty())
    {
        for (auto& entry : mTasks)
            TaskOf(entry)->SetFlags(Task::kEnded);
        Purge();
    }
}

template <typename C> void TaskCollection<C>::Finish(Task* task)
{
    OnTaskFinished(task);
    task->SetFlags(Task::kEnded);
}

template <typename C>
template <typename Step>
typename TaskCollection<C>::PassOutcome TaskCollection<C>::RunLive(const Step& step)
{
    PassOutcome outcome;
    Iteration iteration(*this);
    for (auto& entry : mTasks)
    {
        Task* task = TaskOf(entry);
        if (task->IsEnded())
            continue;
        outcome.ran = true;
        if (step(task))
        {
            Finish(task);
            outcome.finished = true;
        }
    }
    return outcome;
}

template <typename C> TaskResult TaskCollection<C>::UpdateParallel(Object* owner, float dt, int mode)
{
    if (dt <= 0.0f)
        return {kTaskRunning, 0.0f};
    float maxUsed = 0.0f;
    const PassOutcome outcome = RunLive([&](Task* task) {
        const TaskResult result = task->Update(owner, dt);
        maxUsed = std::max(maxUsed, result.timeUsed);
        return result.status != kTaskRunning;
    });
    const bool done = !outcome.ran || (outcome.finished && mode == 1);
    return {done ? kTaskFinished : kTaskRunning, maxUsed};
}

template <typename C> int TaskCollection<C>::Message(Object* owner, const ObjectMessage& message, int mode)
{
    const PassOutcome outcome = RunLive([&](Task* task) { return task->OnMessage(owner, message) != 1; });
    return (!outcome.ran || (outcome.finished && mode == 1)) ? 0 : 1;
}

template <typename C> void TaskCollection<C>::EndAll()
{
    Iteration iteration(*this);
    for (auto& entry : mTasks)
        TaskOf(entry)->SetFlags(Task::kEnded);
}

template <typename C> void TaskCollection<C>::Purge()
{
    // Take the ended tasks out first: a destructor may touch this set.
    std::vector<Task*> ended;
    for (auto it = mTasks.begin(); it != mTasks.end();)
    {
        if (TaskOf(*it)->IsEnded())
        {
            ended.push_back(TaskOf(*it));
            it = mTasks.erase(it);
        }
        else
            ++it;
    }
    for (Task* task : ended)
        delete task;
}

template class TaskCollection<std::list<Task*>>;
template class TaskCollection<std::multimap<Label, Task*>>;
} // namespace Corvane::Internal
