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

template <typename C> TaskResult TaskCollection<C>::UpdateParallel(Object* owner, float dt, int mode)
{
    if (dt <= 0.0f)
        return {kTaskRunning, 0.0f};
    float maxUsed = 0.0f;
    bool ran = false;
    bool finishedNow = false;
    {
        Iteration iteration(*this);
        for (auto& entry : mTasks)
        {
            Task* task = TaskOf(entry);
            if (task->IsEnded())
                continue;
            ran = true;
            const TaskResult result = task->Update(owner, dt);
            maxUsed = std::max(maxUsed, result.timeUsed);
            if (result.status != kTaskRunning)
            {
                Finish(task);
                finishedNow = true;
            }
        }
    }
    if (!ran || (finishedNow && mode == 1))
        return {kTaskFinished, maxUsed};
    return {kTaskRunning, maxUsed};
}

template <typename C> int TaskCollection<C>::Message(Object* owner, const ObjectMessage& message, int mode)
{
    bool live = false;
    bool endedNow = false;
    {
        Iteration iteration(*this);
        for (auto& entry : mTasks)
        {
            Task* task = TaskOf(entry);
            if (task->IsEnded())
                continue;
            live = true;
            if (task->OnMessage(owner, message) != 1)
            {
                Finish(task);
                endedNow = true;
            }
        }
    }
    return (!live || (endedNow && mode == 1)) ? 0 : 1;
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
