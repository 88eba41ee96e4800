#include "Framework/SelfDestructTask.h"

#include "Framework/Object.h"

namespace Corvane
{
TaskResult SelfDestructTask::Update(Object* owner, float)
{
    if (owner)
        owner->RemoveFromDatabase();
    return kFinishedAllUsed;
}
} // namespace Corvane
