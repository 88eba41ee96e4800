#include "Framework/BaseAudioControls.h"

#include <algorithm>

namespace Corvane::Internal
{
namespace
{
// Sums of 20 ms steps in floats fall a hair short of whole seconds: a delay or fade that is this
// close to its end has reached it.
constexpr float kTimeTolerance = 1e-4f;
} // namespace

void BaseAudioControls::FadedValue::Set(float value)
{
    current = target = value;
    duration = -1.0f;
}

void BaseAudioControls::FadedValue::Fade(float to, float seconds)
{
    start = current;
    elapsed = 0.0f;
    target = to;
    duration = seconds;
}

bool BaseAudioControls::FadedValue::Advance(float dt)
{
    if (!IsFading())
        return false;
    elapsed += dt;
    if (elapsed + kTimeTolerance < duration)
    {
        current = start + (target - start) * (elapsed / duration);
    }
    else
    {
        current = target;
        duration = -1.0f;
    }
    return true;
}

BaseAudioControls::BaseAudioControls(IAudioControls* parent) : mParent(parent) {}

bool BaseAudioControls::IsPaused()
{
    return mPaused || (mParent && mParent->IsPaused());
}

void BaseAudioControls::Pause()
{
    mPaused = true;
    mChanged = true;
}

void BaseAudioControls::PauseAfter(float seconds)
{
    mPauseDelay = seconds;
    mChanged = true;
}

void BaseAudioControls::Resume()
{
    mPaused = false;
    mChanged = true;
}

void BaseAudioControls::ResumeAfter(float seconds)
{
    mResumeDelay = seconds;
    mChanged = true;
}

bool BaseAudioControls::IsStopRequested()
{
    return mStopRequested || (mParent && mParent->IsStopRequested());
}

void BaseAudioControls::Stop()
{
    mStopRequested = true;
    mChanged = true;
}

void BaseAudioControls::StopAfter(float seconds)
{
    mStopDelay = seconds;
    mChanged = true;
}

bool BaseAudioControls::IsMuted()
{
    return mMuted || (mParent && mParent->IsMuted());
}

void BaseAudioControls::SetMuted(bool muted)
{
    mMuted = muted;
    mChanged = true;
}

float BaseAudioControls::GetVolume()
{
    return mVolume.current * (mParent ? mParent->GetVolume() : 1.0f);
}

void BaseAudioControls::SetVolume(float volume)
{
    mVolume.Set(volume);
    mChanged = true;
}

void BaseAudioControls::FadeVolume(float target, float seconds)
{
    mVolume.Fade(target, seconds);
    mChanged = true;
}

float BaseAudioControls::GetRate()
{
    return mRate.current * (mParent ? mParent->GetRate() : 1.0f);
}

void BaseAudioControls::SetRate(float rate)
{
    mRate.Set(rate);
    mChanged = true;
}

void BaseAudioControls::FadeRate(float target, float seconds)
{
    mRate.Fade(target, seconds);
    mChanged = true;
}

float BaseAudioControls::GetPan()
{
    return std::clamp(mPan.current + (mParent ? mParent->GetPan() : 0.0f), -1.0f, 1.0f);
}

void BaseAudioControls::SetPan(float pan)
{
    mPan.Set(pan);
    mChanged = true;
}

void BaseAudioControls::FadePan(float target, float seconds)
{
    mPan.Fade(target, seconds);
    mChanged = true;
}

bool BaseAudioControls::HasChanged()
{
    return mChanged || (mParent && mParent->HasChanged());
}

bool BaseAudioControls::IsDue(float& delay, float dt)
{
    if (delay < 0.0f)
        return false;
    if (delay > 0.0f)
        delay -= dt;
    if (delay > kTimeTolerance)
        return false;
    delay = -1.0f;
    return true;
}

void BaseAudioControls::Update(float dt)
{
    mChanged = false;
    mStopRequested = false;
    if (IsDue(mPauseDelay, dt))
        Pause();
    if (IsDue(mResumeDelay, dt))
        Resume();
    if (IsDue(mStopDelay, dt))
        Stop();
    if (mChanged)
        return;
    // Fades started together run together (a volume fade with a pan slide of one sound).
    const bool volume = mVolume.Advance(dt);
    const bool rate = mRate.Advance(dt);
    const bool pan = mPan.Advance(dt);
    mChanged = volume || rate || pan;
}

AudioControlSettings BaseAudioControls::GetSettings()
{
    return {mVolume.GetSetting(), mRate.GetSetting(), mPan.GetSetting(), mMuted};
}

void BaseAudioControls::SetSettings(const AudioControlSettings& settings)
{
    mVolume.Set(settings.volume);
    mRate.Set(settings.rate);
    mPan.Set(settings.pan);
    mMuted = settings.muted;
    mChanged = true;
}
} // namespace Corvane::Internal
