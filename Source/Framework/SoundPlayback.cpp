#include "Framework/SoundPlayback.h"

#include "Framework/IAudioPlatform.h"
#include "Framework/ISound.h"
#include "Framework/ISoundChannel.h"
#include "Framework/ResourceManager.h"

namespace Corvane
{
namespace
{
// A second start of one sound within this time is the same event reported twice (a click seen
// by two handlers): it plays once.
constexpr int kRestartGuardMilliseconds = 20;

ISound* FindSound(Label name)
{
    // Looking up never creates the resource manager: without it there are no sounds.
    ResourceManager* manager = ResourceManager::InstanceIfCreated();
    return manager ? dynamic_cast<ISound*>(manager->Find(name)) : nullptr;
}

void ApplyParameters(IAudioControls& controls, ISound& sound, const SoundParams& params)
{
    controls.SetVolume(sound.GetVolume());
    if (params.volume >= 0.0f)
        controls.SetVolume(params.volume);
    if (params.volumeFadeTime > 0.0f)
        controls.FadeVolume(params.volumeFadeTarget, params.volumeFadeTime);
    controls.SetRate(sound.GetRate());
    if (params.rate > 0.0f)
        controls.SetRate(params.rate);
    if (params.rateSlideTime > 0.0f)
        controls.FadeRate(params.rateSlideTarget, params.rateSlideTime);
    controls.SetPan(sound.GetPan());
    if (params.pan >= -1.0f)
        controls.SetPan(params.pan);
    if (params.panSlideTime > 0.0f)
        controls.FadePan(params.panSlideTarget, params.panSlideTime);
    if (params.paused)
        controls.Pause();
    else
        controls.Resume();
    controls.SetMuted(params.muted);
}
} // namespace

void PlaySound(Label name, const SoundParams& params)
{
    PlaySoundWithHandle(name, nullptr, params);
}

void PlaySoundWithHandle(Label name, ISoundChannel** channel, const SoundParams& params)
{
    if (channel)
        *channel = nullptr;
    if (!IAudioPlatform::GetInstance())
        return;
    Internal::PlaySoundResource(FindSound(name), channel, params);
}

namespace Internal
{
void PlaySoundResource(ISound* sound, ISoundChannel** channelOut, const SoundParams& params)
{
    if (channelOut)
        *channelOut = nullptr;
    IAudioPlatform* audio = IAudioPlatform::GetInstance();
    if (!sound || !audio || audio->WasStartedRecently(sound, kRestartGuardMilliseconds))
        return;
    RefPtr<ISoundChannel> channel = RefPtr<ISoundChannel>::Adopt(audio->CreateChannel());
    const RefPtr<IAudioControls> group =
        params.controls ? params.controls
                        : RefPtr<IAudioControls>::Adopt(audio->GetCategoryControls(sound->GetCategory()));
    const RefPtr<IAudioControls> controls = RefPtr<IAudioControls>::Adopt(audio->CreateControls(group.Get()));
    if (!channel || !controls)
        return;
    channel->SetControls(controls.Get());
    ApplyParameters(*controls, *sound, params);
    channel->Play(sound, params.loopCount >= 0 ? params.loopCount : sound->GetLoopCount());
    if (channelOut)
        *channelOut = channel.Detach();
}
} // namespace Internal
} // namespace Corvane
