// Runs its children one after another as an ordered list, the time one leaves over passing to the
// next; finishes in the update in which the last child finishes. It keeps its finished children
// until it is deleted, so that its clone can start again from the first.
#pragma once

#include "Framework/TaskSet.h"

namespace Corvane
{
class SerialTask : public Task
{
public:
    // Children in argument order; the task owns them.
    SerialTask(Task* a, Task* b);
    SerialTask(Task* a, Task* b, Task* c);
    SerialTask(Task* a, Task* b, Task* c, Task* d);

    Task* Clone() const override;
    TaskResult Update(Object* owner, float dt) override;
    int OnMessage(Object* owner, const ObjectMessage& message) override;

private:
    SerialTask() = default;

    Internal::TaskSet mChildren{1};
};
} // namespace Corvane
