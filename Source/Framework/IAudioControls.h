// One node of the audio platform's tree of controls (root, master, one per category, and nodes
// below them for single sounds or groups). Pause, stop and mute hold for the node and every node
// below it; volume and rate multiply down the chain, pan adds and stays within -1..1; fades move
// a value linearly over the given time as the platform updates. Reference counted; main thread.
#pragma once

#include "Referenced.h"

namespace Corvane
{
// A node's own values; what the settings of a profile keep.
struct AudioControlSettings
{
    float volume = 1.0f;
    float rate = 1.0f;
    float pan = 0.0f;
    bool muted = false;
};

class IAudioControls : public IReferenced
{
public:
    // This node or an ancestor is paused.
    virtual bool IsPaused() = 0;
    virtual void Pause() = 0;
    // Pauses once this many seconds of updates have passed.
    virtual void PauseAfter(float seconds) = 0;
    virtual void Resume() = 0;
    virtual void ResumeAfter(float seconds) = 0;
    // This node or an ancestor asked for a stop, which lasts until that node's next update.
    virtual bool IsStopRequested() = 0;
    virtual void Stop() = 0;
    virtual void StopAfter(float seconds) = 0;
    // This node or an ancestor is muted.
    virtual bool IsMuted() = 0;
    virtual void SetMuted(bool muted) = 0;
    // The node's volume times its ancestors' (0 to 1).
    virtual float GetVolume() = 0;
    // Sets the node's own volume at once, ending a running fade.
    virtual void SetVolume(float volume) = 0;
    // Moves the node's own volume to target over seconds.
    virtual void FadeVolume(float target, float seconds) = 0;
    // The node's rate times its ancestors'.
    virtual float GetRate() = 0;
    virtual void SetRate(float rate) = 0;
    virtual void FadeRate(float target, float seconds) = 0;
    // The node's pan plus its ancestors', limited to -1..1.
    virtual float GetPan() = 0;
    virtual void SetPan(float pan) = 0;
    virtual void FadePan(float target, float seconds) = 0;
    // Something of this node or an ancestor changed since its last update.
    virtual bool HasChanged() = 0;
    // Runs delayed actions and fades; dt in seconds. The audio platform calls it.
    virtual void Update(float dt) = 0;
    // The node's own values (a running fade's target in place of its current value).
    virtual AudioControlSettings GetSettings() = 0;
    // Sets all of them at once, without fades.
    virtual void SetSettings(const AudioControlSettings& settings) = 0;
};
} // namespace Corvane
