// A playing sound of the audio platform: one pick of a sound's data on the library channel of that
// file, following its node of the controls tree (pause, stop, mute, volume, rate and pan resolved
// through the node's ancestors) and looping as often as asked. Main thread.
#pragma once

#include "Framework/IClock.h"
#include "Framework/ISoundChannel.h"
#include "Platform/Win32/BASSSoundData.h"
#include "RefPtr.h"

#include <cstdint>

namespace Corvane
{
class BASSSound;

class BASSSoundChannel : public Referenced<ISoundChannel>
{
public:
    // clock gives the start times that WasStartedAfter compares.
    explicit BASSSoundChannel(IClock& clock);
    // Stops, then lets go of the sound's data and the controls.
    ~BASSSoundChannel() override;

    void Play(ISound* sound, int loopCount) override;
    void Stop() override;
    bool IsPlaying() override;
    ISound* GetSound() override;
    IAudioControls* GetControls() override { return mControls.Get(); }
    void SetControls(IAudioControls* controls) override { mControls = controls; }
    void Update(float dt) override;

    // The tick of the last Play that started sound.
    std::uint32_t GetStartTick() const { return mStartTick; }
    // The library channel of the file being played (0: none). Every play of one file shares it.
    std::uint32_t GetLibraryChannel() const { return mBassChannel; }
    bool WantsToLoop() const { return mLoopCount == 0 || mLoopCount >= 2; }
    // Lets go of the sound without stopping the library channel, which a later play of the same
    // file has taken over.
    void Abandon();

private:
    bool HasEnded() const;
    // Starts, or resumes after a pause.
    void Start();
    void ApplyAttributes();
    // Steps 3 and 4 of an update: follow pause, then stop requests and the attributes.
    void FollowControls();

    IClock& mClock;
    std::uint32_t mBassChannel = 0;
    RefPtr<IAudioControls> mControls;
    BASSSound* mSound = nullptr;
    RefPtr<BASSSoundData> mData;
    std::uint32_t mStartTick = 0;
    bool mStopSeen = false;
    int mNaturalRate = 0;
    bool mStarted = false;
    int mLoopCount = 0;
};
} // namespace Corvane
