// One playing sound: a channel of the audio platform, bound to a node of the controls tree that
// pauses, stops, mutes and shapes it. Reference counted: the platform keeps a channel until it has
// ended and nobody else holds it. Main thread.
#pragma once

#include "Referenced.h"

namespace Corvane
{
class IAudioControls;
class ISound;

class ISoundChannel : public IReferenced
{
public:
    // Starts sound (borrowed from the resource manager) from its beginning, loopCount times (0
    // without end); stops what played before. A channel without controls does not start.
    virtual void Play(ISound* sound, int loopCount) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() = 0;
    // The sound being played, or null.
    virtual ISound* GetSound() = 0;
    // The controls the channel follows (borrowed: valid while the channel holds them), or null.
    virtual IAudioControls* GetControls() = 0;
    // The channel takes a reference of its own to controls (null: none).
    virtual void SetControls(IAudioControls* controls) = 0;
    // Follows its controls and loops; dt in seconds. The audio platform calls it.
    virtual void Update(float dt) = 0;
};
} // namespace Corvane
