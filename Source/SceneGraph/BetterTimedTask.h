// Timed tasks whose duration comes from a number generator, drawn when the task first runs, so a
// repeating task's clones each wait a fresh random time; and the base of the tasks that move a
// value from where it is when they start to an end over that time.
#pragma once

#include "Framework/Interpolator.h"
#include "Framework/NumberGenerator.h"
#include "Framework/Task.h"

#include <memory>

class BetterTimedTask : public Corvane::Task
{
public:
    // A fixed duration in seconds.
    explicit BetterTimedTask(float duration);
    // Draws its duration from duration (shared) at its first update.
    explicit BetterTimedTask(std::shared_ptr<NumberGenerator<float>> duration);

    // A fresh task sharing the duration generator: it draws its own duration when it first runs.
    Corvane::Task* Clone() const override;
    // Finishes in the update in which the elapsed time reaches the duration, reporting as used only
    // the part of dt it needed (never more than dt, never less than 0); otherwise runs on using all.
    Corvane::TaskResult Update(Corvane::Object* owner, float dt) override;

    float GetDuration() const { return mDuration; }
    float GetElapsed() const { return mElapsed; }

protected:
    // Until time has passed the duration is drawn again at every update.
    bool HasStarted() const { return mElapsed != 0.0f; }

    std::shared_ptr<NumberGenerator<float>> mDurationGenerator;
    float mDuration = 0.0f;
    float mElapsed = 0.0f;
};

class BetterInterpolatingTask : public BetterTimedTask
{
public:
    BetterInterpolatingTask(float duration, std::shared_ptr<Corvane::Interpolator> interpolator);
    BetterInterpolatingTask(std::shared_ptr<NumberGenerator<float>> duration,
                            std::shared_ptr<Corvane::Interpolator> interpolator);

protected:
    // The value between from and to at the elapsed time.
    float Interpolate(float from, float to) const;

    std::shared_ptr<Corvane::Interpolator> mInterpolator;
};
