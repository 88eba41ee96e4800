#include "Framework/SerialTask.h"

#include <memory>

namespace Corvane
{
SerialTask::SerialTask(Task* a, Task* b) : SerialTask(a, b, nullptr, nullptr) {}

SerialTask::SerialTask(Task* a, Task* b, Task* c) : SerialTask(a, b, c, nullptr) {}

SerialTask::SerialTask(Task* a, Task* b, Task* c, Task* d)
{
    for (Task* child : {a, b, c, d})
        mChildren.Add(child);
}

Task* SerialTask::Clone() const
{
    std::unique_ptr<SerialTask> copy(new SerialTask());
    mChildren.CloneAll(copy->mChildren, 0);
    return copy.release();
}

TaskResult SerialTask::Update(Object* owner, float dt)
{
    return mChildren.UpdateSerial(owner, dt);
}

int SerialTask::OnMessage(Object* owner, const ObjectMessage& message)
{
    return mChildren.Message(owner, message, 0);
}
} // namespace Corvane
