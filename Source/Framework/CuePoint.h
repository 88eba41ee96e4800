// A rendezvous of several cue-point tasks: it counts the tasks registered on it and those that have
// arrived, and deletes itself when both counts are back at 0, that is when every task registered on
// it has gone on or been deleted.
#pragma once

namespace Corvane
{
class CuePoint
{
public:
    // A new cue point with both counts 0; it lives until the last task registered on it leaves.
    static CuePoint* Create() { return new CuePoint(); }

    int GetRegistered() const { return mRegistered; }
    int GetArrived() const { return mArrived; }

    void Register() { ++mRegistered; }
    void Arrive() { ++mArrived; }
    // Takes one from both counts; the cue point deletes itself when both reach 0.
    void Leave();

private:
    CuePoint() = default;
    ~CuePoint() = default;

    int mRegistered = 0;
    int mArrived = 0;
};
} // namespace Corvane
