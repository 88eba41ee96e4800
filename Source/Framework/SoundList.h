// A sound list: which sound a widget plays for each of its events ("click", "hover"...), so that
// layouts name lists instead of sound files. Filled once by its resource factory
// (SoundListResourceFactory.h) and never changed. Main thread.
#pragma once

#include "Label.h"

#include <map>

namespace Corvane
{
class ISound;

class SoundList
{
public:
    // Maps event to sound (not owned: the resource manager owns sounds; null when the named
    // sound did not exist), replacing an earlier entry of the event.
    void Set(Label event, ISound* sound);
    // The event's sound, or null when the event has no entry (or a missing sound).
    ISound* Find(Label event) const;
    // Plays the event's sound once with the default parameters and lets it run to its end;
    // nothing for an event without a sound.
    void Play(Label event) const;

private:
    std::map<Label, ISound*> mSounds;
};
} // namespace Corvane
