#include "Platform/Win32/BASSSoundChannel.h"

#include "Framework/IAudioControls.h"
#include "Platform/Compat/Audio/Bass.h"
#include "Platform/Win32/BASSLibrary.h"
#include "Platform/Win32/BASSSound.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace Corvane
{
namespace
{
// A volume (lowest 0) or pan (lowest -1) in the library's hundredths, limited to lowest..1; what is
// not a number counts as 0 (silent, centred), so no conversion is ever out of range.
int ToLevel(float value, float lowest)
{
    return static_cast<int>((std::isnan(value) ? 0.0f : std::clamp(value, lowest, 1.0f)) * 100.0f);
}
} // namespace

BASSSoundChannel::BASSSoundChannel(IClock& clock) : mClock(clock) {}

BASSSoundChannel::~BASSSoundChannel()
{
    Stop();
}

void BASSSoundChannel::Play(ISound* sound, int loopCount)
{
    if (!IsBASSInitialized())
        return;
    Stop();
    auto* bassSound = dynamic_cast<BASSSound*>(sound);
    if (!bassSound)
        return;
    BASSSoundPick pick;
    // A file the library could not load plays nothing.
    if (!bassSound->Data().Pick(pick) || pick.channel == 0)
        return;
    mSound = bassSound;
    mData = &bassSound->Data();
    mBassChannel = pick.channel;
    mNaturalRate = pick.naturalRate;
    mLoopCount = loopCount;
    mStartTick = mClock.GetTickCount();
    if (!mControls)
        return;
    ApplyAttributes();
    if (!mControls->IsPaused())
        Start();
}

void BASSSoundChannel::Abandon()
{
    mBassChannel = 0;
    Stop();
}

ISound* BASSSoundChannel::GetSound()
{
    return mSound;
}

void BASSSoundChannel::Stop()
{
    if (mBassChannel != 0 && IsBASSInitialized())
    {
        BASS_ChannelStop(mBassChannel);
        CheckBASSError("BASS_ChannelStop(mBassChannel)");
    }
    mBassChannel = 0;
    mSound = nullptr;
    mStartTick = 0;
    mData.Reset();
    mStopSeen = mControls && mControls->IsStopRequested();
    mLoopCount = 0;
    mStarted = false;
}

bool BASSSoundChannel::IsPlaying()
{
    if (mBassChannel == 0)
        return false;
    if (WantsToLoop())
        return true;
    // A sound asked to start paused waits for its controls to resume it; without controls it
    // never starts.
    if (!mStarted)
        return static_cast<bool>(mControls);
    return !HasEnded();
}

bool BASSSoundChannel::HasEnded() const
{
    return !IsBASSInitialized() || BASS_ChannelIsActive(mBassChannel) == BASS_ACTIVE_STOPPED;
}

void BASSSoundChannel::Start()
{
    if (!IsBASSInitialized())
        return;
    BASS_ChannelPlay(mBassChannel, mStarted ? FALSE : TRUE);
    CheckBASSError("BASS_ChannelPlay(mBassChannel, restartSound)");
    mStarted = true;
}

void BASSSoundChannel::ApplyAttributes()
{
    if (mBassChannel == 0 || !mControls || mControls->IsPaused() || !IsBASSInitialized())
        return;
    // Rates reach 3.4e38 times the file's rate: limit before the conversion to int.
    const double wanted = static_cast<double>(mControls->GetRate()) * mNaturalRate;
    const int frequency = wanted >= 1.0 ? static_cast<int>(std::min(wanted, static_cast<double>(INT_MAX))) : 1;
    const int level = mControls->IsMuted() ? 0 : ToLevel(mControls->GetVolume(), 0.0f);
    const int pan = ToLevel(mControls->GetPan(), -1.0f);
    BASS_ChannelSetAttributes(mBassChannel, frequency, level, pan);
    CheckBASSError("BASS_ChannelSetAttributes(mBassChannel, freq, volume, pan)");
}

void BASSSoundChannel::FollowControls()
{
    if (mControls->IsPaused())
    {
        if (mStarted && IsBASSInitialized())
        {
            BASS_ChannelPause(mBassChannel);
            CheckBASSError("BASS_ChannelPause(mBassChannel)");
        }
    }
    else
    {
        Start();
    }
    if (mControls->IsStopRequested())
    {
        // A channel started while the request stood is not stopped by it.
        if (!mStopSeen)
            Stop();
        else
            mStopSeen = false;
    }
    ApplyAttributes();
}

void BASSSoundChannel::Update(float)
{
    if (mBassChannel != 0 && mStarted && WantsToLoop() && HasEnded())
    {
        if (mLoopCount > 1)
            --mLoopCount;
        // A random sound may play another of its files on each loop.
        BASSSoundPick pick;
        if (!mData || !mData->Pick(pick) || pick.channel == 0)
        {
            Stop();
            return;
        }
        mBassChannel = pick.channel;
        mNaturalRate = pick.naturalRate;
        mStarted = false;
        if (mControls)
            FollowControls();
    }
    else if (IsPlaying() && mControls && mControls->HasChanged())
    {
        FollowControls();
    }
    if (!IsPlaying())
        Stop();
}
} // namespace Corvane
