#include "Framework/ParallelTask.h"

#include <memory>

namespace Corvane
{
ParallelTask::ParallelTask(int mode, Task* a, Task* b) : mMode(mode)
{
    mChildren.Add(a);
    mChildren.Add(b);
}

Task* ParallelTask::Clone() const
{
    std::unique_ptr<ParallelTask> copy(new ParallelTask(mMode));
    mChildren.CloneAll(copy->mChildren, 0);
    return copy.release();
}

TaskResult ParallelTask::Update(Object* owner, float dt)
{
    return mChildren.UpdateParallel(owner, dt, mMode);
}

int ParallelTask::OnMessage(Object* owner, const ObjectMessage& message)
{
    return mChildren.Message(owner, message, mMode);
}
} // namespace Corvane
