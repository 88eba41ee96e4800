// Runs two children side by side, each with the update's whole time. Mode 1 finishes in the update
// in which either child finishes (the other is deleted with the task); any other mode finishes in
// the first update after both have finished, using none of its time. It reports as used the most
// that a child used.
#pragma once

#include "Framework/TaskSet.h"

namespace Corvane
{
class ParallelTask : public Task
{
public:
    // The task owns both children.
    ParallelTask(int mode, Task* a, Task* b);

    Task* Clone() const override;
    TaskResult Update(Object* owner, float dt) override;
    int OnMessage(Object* owner, const ObjectMessage& message) override;

    int GetMode() const { return mMode; }

private:
    explicit ParallelTask(int mode) : mMode(mode) {}

    int mMode;
    Internal::TaskSet mChildren{1};
};
} // namespace Corvane
