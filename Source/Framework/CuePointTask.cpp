#include "Framework/CuePointTask.h"

namespace Corvane
{
CuePointTask::CuePointTask(CuePoint* cuePoint) : mCuePoint(cuePoint)
{
    MoveTo(kRegistered);
}

CuePointTask::~CuePointTask()
{
    MoveTo(kLeft);
}

TaskResult CuePointTask::Update(Object*, float)
{
    MoveTo(kArrived);
    if (mCuePoint && mCuePoint->GetArrived() != mCuePoint->GetRegistered())
        return kRunningAllUsed;
    MoveTo(kLeft);
    mCuePoint = nullptr;
    return kFinishedAllUsed;
}

void CuePointTask::MoveTo(int target)
{
    if (!mCuePoint)
    {
        if (target > mState)
            mState = target;
        return;
    }
    while (mState < target)
    {
        ++mState;
        if (mState == kRegistered)
            mCuePoint->Register();
        else if (mState == kArrived)
            mCuePoint->Arrive();
        else if (mState == kLeft)
        {
            CuePoint* cuePoint = mCuePoint;
            mCuePoint = nullptr; // it may delete itself now
            cuePoint->Leave();
        }
    }
}
} // namespace Corvane
