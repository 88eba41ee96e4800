// An ordered list of owned tasks, run one after another: the time a task leaves over passes to the
// next in the same update.
#pragma once

#include "Framework/TaskCollection.h"

namespace Corvane::Internal
{
class TaskSet : public TaskCollection<std::list<Task*>>
{
public:
    explicit TaskSet(int depth = 0) : TaskCollection(depth) {}

    // Appends task (owned from now on); null is ignored.
    void Add(Task* task);
    // Runs the tasks in order, each with what the ones before it left of dt. Ends with {running,
    // used} at the first task still running or once dt falls below 0, else {finished, used}.
    TaskResult UpdateSerial(Object* owner, float dt);
    // Appends to target the clone of every task whose flags share no bit with mask, in order.
    void CloneAll(TaskSet& target, unsigned mask) const;

protected:
    // The serial pass for a set that refills itself as tasks finish (a repeating ring): it also
    // stops, reporting {running, all time}, when a whole round of finishing tasks consumed no time,
    // which would otherwise loop forever within one update.
    TaskResult UpdateRing(Object* owner, float dt);

private:
    TaskResult RunSerial(Object* owner, float dt, bool bounded);
};
} // namespace Corvane::Internal
