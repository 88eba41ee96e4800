// Waits at a cue point until every task registered on it has arrived. The last task to arrive goes
// on in the update in which it arrives, the others at their next update; each uses the whole
// update (the task after it starts in the next update). Deleted before it goes on, it leaves the
// cue point all the same. It cannot be cloned.
#pragma once

#include "Framework/CuePoint.h"
#include "Framework/Task.h"

namespace Corvane
{
class CuePointTask : public Task
{
public:
    enum State
    {
        kNone = 0,
        kRegistered = 1,
        kArrived = 2,
        kLeft = 3
    };

    // Registers on cuePoint (which may be null).
    explicit CuePointTask(CuePoint* cuePoint);
    ~CuePointTask() override;

    TaskResult Update(Object* owner, float dt) override;

    int GetState() const { return mState; }

private:
    // Moves one state at a time up to target, telling the cue point at each step.
    void MoveTo(int target);

    CuePoint* mCuePoint;
    int mState = kNone;
};
} // namespace Corvane
