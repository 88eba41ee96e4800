// Calls a function of its owner once and finishes using none of the update's time, so that in an
// ordered list the task after it starts in the same update: timed sequences built of waits and
// calls keep their exact timing. An owner that is no T (or none) is skipped.
#pragma once

#include "Framework/Object.h"
#include "Framework/Task.h"

#include <functional>

template <typename T> class CallTask : public Corvane::Task
{
public:
    using Function = std::function<void(T*)>;

    explicit CallTask(Function function) : mFunction(std::move(function)) {}

    Corvane::Task* Clone() const override { return new CallTask(mFunction); }

    Corvane::TaskResult Update(Corvane::Object* owner, float) override
    {
        if (mFunction)
            if (T* target = dynamic_cast<T*>(owner))
                mFunction(target);
        return {Corvane::kTaskFinished, 0.0f};
    }

private:
    Function mFunction;
};
