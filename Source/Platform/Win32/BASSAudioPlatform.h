// The engine's audio platform on the audio library (Platform/Compat/Audio/Bass.h): it opens the
// output on the default device or the first device that opens (running silent when none does),
// registers the "sound", "randomsound" and "soundlist" factories, keeps the playing channels and
// the controls tree (root, master, one node per category at volume 0.5) and updates both every
// fixed update. Output starts paused and runs while the application is in the foreground.
// Main thread; sound resources load on the loader thread.
#pragma once

#include "Framework/IAudioPlatform.h"
#include "Framework/IClock.h"
#include "RefPtr.h"
#include "Singleton.h"

#include <map>
#include <vector>

namespace Corvane
{
class BASSSoundChannel;

namespace Internal
{
class BaseAudioControls;
}

class BASSAudioPlatform : public IAudioPlatform
{
public:
    // A new audio platform, which makes itself the engine's and registers with the singleton
    // teardown; the engine initialises and releases it.
    static IAudioPlatform* Create();

    // clock gives the ticks that WasStartedRecently compares (tests pass their own).
    explicit BASSAudioPlatform(IClock& clock = GetSystemClock());
    ~BASSAudioPlatform() override;
    BASSAudioPlatform(const BASSAudioPlatform&) = delete;
    BASSAudioPlatform& operator=(const BASSAudioPlatform&) = delete;

    Label GetName() override;
    void Init() override;
    void Shutdown() override;
    void SetActive(bool active) override;
    void Update(float dt) override;
    ISoundChannel* CreateChannel() override;
    IAudioControls* GetMasterControls() override;
    IAudioControls* GetCategoryControls(Label category) override;
    IAudioControls* CreateControls(IAudioControls* parent) override;
    bool WasStartedRecently(ISound* sound, int milliseconds) override;

    int CountChannels() const { return static_cast<int>(mChannels.size()); }
    int CountControls() const { return static_cast<int>(mControls.size()); }

private:
    void OpenLibrary();
    void ReleaseAll();
    // Whether a later play of the same file has taken over the library channel of the play at
    // index, which nobody holds and which does not loop.
    bool IsOvertaken(std::size_t index) const;

    IClock& mClock;
    bool mActive = false;
    std::vector<RefPtr<BASSSoundChannel>> mChannels;
    RefPtr<IAudioControls> mRoot;
    RefPtr<IAudioControls> mMaster;
    std::map<Label, RefPtr<IAudioControls>> mCategories;
    std::vector<RefPtr<Internal::BaseAudioControls>> mControls;
    Internal::OwnedSingletonDestructor<BASSAudioPlatform>* mTeardown;
};
} // namespace Corvane
