#include "Framework/SoundList.h"

#include "Framework/ISoundChannel.h"
#include "Framework/SoundPlayback.h"

namespace Corvane
{
void SoundList::Set(Label event, ISound* sound)
{
    mSounds[event] = sound;
}

ISound* SoundList::Find(Label event) const
{
    const auto found = mSounds.find(event);
    return found == mSounds.end() ? nullptr : found->second;
}

void SoundList::Play(Label event) const
{
    ISound* sound = Find(event);
    if (!sound)
        return;
    ISoundChannel* channel = nullptr;
    Internal::PlaySoundResource(sound, &channel, SoundParams());
    // Nobody keeps the channel: the audio platform lets it play out.
    if (channel)
        channel->Release();
}
} // namespace Corvane
