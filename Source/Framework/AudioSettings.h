// The audio settings a player's profile keeps: volume and mute of the master control group and of
// the groups of the categories "Effect", "Ambient" and "Music", under the keys
// "Corvane::Audio::<Group>Controls::Volume" (float) and "...::IsMuted" (bool). Without an audio
// platform nothing is read or written. Main thread.
#pragma once

#include "Framework/IAudioControls.h"
#include "Label.h"
#include "RefPtr.h"

namespace Corvane
{
// The audio platform's controls of the category (made when missing); empty without an audio
// platform.
RefPtr<IAudioControls> GetAudioControlGroup(Label category);
// The master controls; empty without an audio platform.
RefPtr<IAudioControls> GetMasterAudioControls();

// Applies the current account's values to the four groups, master first; a value the profile
// does not hold, or one out of range (a volume outside 0 to 1, not a number), keeps the group's
// present one.
void LoadAudioSettings();
// Writes the four groups' present volume and mute to the current account.
void SaveAudioSettings();
} // namespace Corvane
