// A wait of a fixed number of seconds. It finishes in the update in which its elapsed time reaches
// the duration and reports as used only the part of that update it needed, so the next task of an
// ordered list starts in the same update with the rest.
#pragma once

#include "Framework/Task.h"

namespace Corvane
{
class TimedTask : public Task
{
public:
    explicit TimedTask(float duration) : mDuration(duration) {}

    Task* Clone() const override { return new TimedTask(mDuration); }
    TaskResult Update(Object* owner, float dt) override;

    float GetDuration() const { return mDuration; }
    float GetElapsed() const { return mElapsed; }

private:
    float mDuration;
    float mElapsed = 0.0f;
};
} // namespace Corvane
