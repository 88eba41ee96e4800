#include "SceneGraph/BetterTimedTask.h"

#include <algorithm>

using namespace Corvane;

BetterTimedTask::BetterTimedTask(float duration)
    : mDurationGenerator(std::make_shared<ConstNumberGenerator<float>>(duration))
{
}

BetterTimedTask::BetterTimedTask(std::shared_ptr<NumberGenerator<float>> duration)
    : mDurationGenerator(std::move(duration))
{
}

Task* BetterTimedTask::Clone() const
{
    return new BetterTimedTask(mDurationGenerator);
}

TaskResult BetterTimedTask::Update(Object*, float dt)
{
    if (!HasStarted())
        mDuration = mDurationGenerator->Generate();
    mElapsed += dt;
    if (!(mElapsed >= mDuration))
        return kRunningAllUsed;
    // A negative drawn duration would otherwise hand the next task of a chain more than dt.
    const float used = dt - (mElapsed - mDuration);
    return {kTaskFinished, std::clamp(used, 0.0f, std::max(dt, 0.0f))};
}

BetterInterpolatingTask::BetterInterpolatingTask(float duration, std::shared_ptr<Interpolator> interpolator)
    : BetterTimedTask(duration), mInterpolator(std::move(interpolator))
{
}

BetterInterpolatingTask::BetterInterpolatingTask(std::shared_ptr<NumberGenerator<float>> duration,
                                                 std::shared_ptr<Interpolator> interpolator)
    : BetterTimedTask(std::move(duration)), mInterpolator(std::move(interpolator))
{
}

float BetterInterpolatingTask::Interpolate(float from, float to) const
{
    return mInterpolator->Interpolate(from, to, mElapsed, mDuration);
}
