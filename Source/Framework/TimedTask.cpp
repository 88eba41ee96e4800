#include "Framework/TimedTask.h"

namespace Corvane
{
TaskResult TimedTask::Update(Object*, float dt)
{
    mElapsed += dt;
    if (mElapsed < mDuration)
        return kRunningAllUsed;
    return {kTaskFinished, dt - (mElapsed - mDuration)};
}
} // namespace Corvane
