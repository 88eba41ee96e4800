// Playing sounds by resource name: each play gets a new channel under a new node of the controls
// tree, hung below the sound's category (or the group the caller gives), shaped by the sound's own
// volume, rate, pan and loop count and by the caller's parameters. The same sound asked for again
// within 20 ms of its start plays once. Without an audio platform, or for an unknown name,
// nothing plays. Main thread.
#pragma once

#include "Framework/IAudioControls.h"
#include "Label.h"
#include "RefPtr.h"

#include <climits>
#include <limits>

namespace Corvane
{
class ISound;
class ISoundChannel;

// Per-play parameters; each "unset" default keeps the sound's own value.
struct SoundParams
{
    static constexpr float kUnset = std::numeric_limits<float>::lowest();

    // The new sound starts muted, or paused.
    bool muted = false;
    bool paused = false;
    // Applied when >= 0.
    float volume = kUnset;
    // A fade to the target runs when its time (seconds) is > 0.
    float volumeFadeTarget = kUnset;
    float volumeFadeTime = 0.0f;
    // Applied when > 0.
    float rate = kUnset;
    float rateSlideTarget = kUnset;
    float rateSlideTime = 0.0f;
    // Applied when >= -1.
    float pan = kUnset;
    float panSlideTarget = kUnset;
    float panSlideTime = 0.0f;
    // Applied when >= 0 (0 without end).
    int loopCount = INT_MIN;
    // The group to play under; empty: the group of the sound's category.
    RefPtr<IAudioControls> controls;
};

// Plays the sound resource named name.
void PlaySound(Label name, const SoundParams& params = SoundParams());
// The same, and stores the playing channel in *channel with a reference the caller releases; null
// when nothing was played. channel may be null.
void PlaySoundWithHandle(Label name, ISoundChannel** channel, const SoundParams& params = SoundParams());

namespace Internal
{
// The play itself, for a sound already looked up (sound lists hold their sounds); null plays
// nothing.
void PlaySoundResource(ISound* sound, ISoundChannel** channel, const SoundParams& params);
} // namespace Internal
} // namespace Corvane
