// The common base of the task sets: an owning container of tasks with a purge counter.
//
// Every iteration over a set (update, message, ending) raises the counter at its start and lowers
// it at its end; when it drops from 1 to 0 the set deletes every ended task. A task ended during an
// iteration over its own set is therefore deleted only when the outermost iteration ends, and
// iterators stay valid while tasks run (tasks added meanwhile are appended or inserted, never
// erased). A set created with the counter at 1 never purges while it lives, so it keeps its
// finished children (serial and parallel tasks need them to clone themselves).
#pragma once

#include "Framework/Task.h"
#include "Label.h"

#include <list>
#include <map>

namespace Corvane::Internal
{
template <typename C> class TaskCollection
{
public:
    explicit TaskCollection(int depth = 0) : mDepth(depth) {}
    // Ends and deletes every task.
    virtual ~TaskCollection();
    TaskCollection(const TaskCollection&) = delete;
    TaskCollection& operator=(const TaskCollection&) = delete;

    // Called when a task finishes or its message answer ends it, before it is marked ended.
    virtual void OnTaskFinished(Task*) {}

    // Every live task gets the full dt. Mode 1 finishes with the first child that finishes; any
    // other mode finishes in the first pass in which no task is left to run. dt <= 0 runs nothing
    // and reports {running, 0}.
    TaskResult UpdateParallel(Object* owner, float dt, int mode);
    // Every live task gets the message. 0 when no task was live, or when one ended and mode is 1;
    // else 1.
    int Message(Object* owner, const ObjectMessage& message, int mode);
    // Marks every task ended, then purges (subject to the counter).
    void EndAll();

    bool IsEmpty() const { return mTasks.empty(); }
    // Number of tasks held, ended ones not yet purged included.
    int Count() const { return static_cast<int>(mTasks.size()); }

protected:
    // Raises the counter for its lifetime; the last one to leave purges (also during unwinding).
    class Iteration
    {
    public:
        explicit Iteration(TaskCollection& set) : mSet(set) { ++mSet.mDepth; }
        ~Iteration()
        {
            if (--mSet.mDepth == 0)
                mSet.Purge();
        }
        Iteration(const Iteration&) = delete;
        Iteration& operator=(const Iteration&) = delete;

    private:
        TaskCollection& mSet;
    };

    static Task* TaskOf(Task* task) { return task; }
    static Task* TaskOf(const std::pair<const Label, Task*>& entry) { return entry.second; }

    // Calls OnTaskFinished, then marks the task ended.
    void Finish(Task* task);

    C mTasks;

private:
    struct PassOutcome
    {
        bool ran = false;      // a live task was visited
        bool finished = false; // one of them finished or was ended
    };
    // Visits every live task in order within one iteration; step returns true when the task is
    // done, which finishes it.
    template <typename Step> PassOutcome RunLive(const Step& step);
    void Purge();

    int mDepth;
};

extern template class TaskCollection<std::list<Task*>>;
extern template class TaskCollection<std::multimap<Label, Task*>>;
} // namespace Corvane::Internal
