#include "Framework/Task.h"

#include "RuntimeError.h"
#include "TypeName.h"

namespace Corvane
{
Task* Task::Clone() const
{
    throw RuntimeError(GetTypeName(typeid(*this)) + " does not implement Task::Clone.", __FILE__, __LINE__,
                       "Corvane::Task::Clone");
}

TaskResult Task::Update(Object*, float)
{
    return kFinishedAllUsed;
}

int Task::OnMessage(Object*, const ObjectMessage&)
{
    return 1;
}
} // namespace Corvane
