// Runs its children as a ring: each time a child finishes, its clone is appended to the list and
// the finished child is deleted, so the task never finishes by itself; its holder ends it. A round
// of children that uses no time at all (zero-second waits, say) stops the update instead of
// spinning: the ring goes on in the next update.
#pragma once

#include "Framework/TaskSet.h"

namespace Corvane
{
class RepeatingTask : public Task
{
public:
    // The task owns its children, which must support Clone.
    explicit RepeatingTask(Task* a, Task* b = nullptr);

    Task* Clone() const override;
    TaskResult Update(Object* owner, float dt) override;
    int OnMessage(Object* owner, const ObjectMessage& message) override;

    // The ring: a finished child is replaced by its clone at the end of the list.
    class RepeatingTaskSet : public Internal::TaskSet
    {
    public:
        void OnTaskFinished(Task* task) override;
        TaskResult Update(Object* owner, float dt) { return UpdateRing(owner, dt); }
    };

private:
    RepeatingTask() = default;

    RepeatingTaskSet mChildren;
};
} // namespace Corvane
