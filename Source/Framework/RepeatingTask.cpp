#include "Framework/RepeatingTask.h"

#include <memory>

namespace Corvane
{
RepeatingTask::RepeatingTask(Task* a, Task* b)
{
    mChildren.Add(a);
    mChildren.Add(b);
}

Task* RepeatingTask::Clone() const
{
    std::unique_ptr<RepeatingTask> copy(new RepeatingTask());
    mChildren.CloneAll(copy->mChildren, Task::kReplaced);
    return copy.release();
}

TaskResult RepeatingTask::Update(Object* owner, float dt)
{
    return mChildren.Update(owner, dt);
}

int RepeatingTask::OnMessage(Object* owner, const ObjectMessage& message)
{
    return mChildren.Message(owner, message, 0);
}

void RepeatingTask::RepeatingTaskSet::OnTaskFinished(Task* task)
{
    Add(task->Clone());
    task->SetFlags(Task::kReplaced);
}
} // namespace Corvane
