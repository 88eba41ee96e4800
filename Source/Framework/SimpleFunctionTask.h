// Calls a function of its owner once, with the owner as T and the update's seconds, and finishes
// using the whole update (a task after it in an ordered list starts in the next update). An owner
// that is no T (or none) is skipped: the function is never called with a null object.
#pragma once

#include "Framework/Object.h"
#include "Framework/Task.h"

#include <functional>

template <typename T> class SimpleFunctionTask : public Corvane::Task
{
public:
    using Function = std::function<void(T*, float)>;

    explicit SimpleFunctionTask(Function function) : mFunction(std::move(function)) {}

    Corvane::Task* Clone() const override { return new SimpleFunctionTask(mFunction); }

    Corvane::TaskResult Update(Corvane::Object* owner, float dt) override
    {
        if (mFunction)
            if (T* target = dynamic_cast<T*>(owner))
                mFunction(target, dt);
        return Corvane::kFinishedAllUsed;
    }

private:
    Function mFunction;
};
