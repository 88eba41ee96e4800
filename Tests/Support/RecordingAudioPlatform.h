// An audio platform for whole-program tests that plays nothing and writes down every start, stop,
// pause and resume of a sound, with the number of the update in which it happened (the platform's
// Update calls so far: the loop updates the platform first in each of its updates). It registers
// the "sound" and "soundlist" factories as the real platform does, reading a sound's category
// ("type") and loop count, but no sound file. It keeps the real controls tree (root, master, one
// node per category at volume 0.5, a node per play): a stop asked of a play's node ends the
// channel at the next update, as on the real platform. Sounds never end by themselves (the
// recorder knows no lengths): FinishPlaying lets a sound run out. A play that nobody but the
// platform holds, neither its channel nor its controls, is forgotten a second after its start.
//
//   "12 start VO_Veyla_Begin", "40 stop VO_Veyla_Begin", "41 pause CookingStation_Passive_Boil"
//
// Stores itself as the engine's audio platform while it lives. Main thread.
#pragma once

#include "Framework/IAudioPlatform.h"
#include "Framework/IClock.h"
#include "RefPtr.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Corvane::Testing
{
class RecordingChannel;

struct SoundEvent
{
    int update = 0;
    std::string event; // "start", "stop", "pause", "resume", "end"
    std::string sound;

    std::string ToString() const { return std::to_string(update) + " " + event + " " + sound; }
    bool operator==(const SoundEvent&) const = default;
};

class RecordingAudioPlatform : public IAudioPlatform
{
public:
    // clock gives the ticks that WasStartedRecently compares (the tests' loop clock).
    explicit RecordingAudioPlatform(IClock& clock);
    ~RecordingAudioPlatform() override;

    Label GetName() override;
    void Init() override;
    void Shutdown() override;
    void SetActive(bool) override {}
    void Update(float dt) override;
    ISoundChannel* CreateChannel() override;
    IAudioControls* GetMasterControls() override;
    IAudioControls* GetCategoryControls(Label category) override;
    IAudioControls* CreateControls(IAudioControls* parent) override;
    bool WasStartedRecently(ISound* sound, int milliseconds) override;

    void Note(const char* event, const std::string& sound) { mEvents.push_back({mUpdates, event, sound}); }
    const std::vector<SoundEvent>& GetEvents() const { return mEvents; }
    // The events as "<update> <event> <sound>", in order; only those of sound when it is given.
    std::vector<std::string> Log(const std::string& sound = "") const;
    int GetUpdateCount() const { return mUpdates; }
    // Counts the updates from 0 again (the events so far keep their numbers).
    void RestartCount() { mUpdates = 0; }
    // The sounds now playing, by name (a name once per channel); not those forgotten.
    std::vector<std::string> Playing() const;
    // Every channel of sound stops as if it had played to its end ("end").
    void FinishPlaying(const std::string& sound);
    // Channels that somebody besides the platform still held when it shut down.
    int GetChannelsHeldAtShutdown() const { return mHeldAtShutdown; }
    bool WasShutDown() const { return mShutDown; }

private:
    IClock& mClock;
    int mUpdates = 0;
    std::vector<SoundEvent> mEvents;
    std::vector<RefPtr<RecordingChannel>> mChannels;
    std::vector<RefPtr<IAudioControls>> mControls;
    RefPtr<IAudioControls> mRoot;
    RefPtr<IAudioControls> mMaster;
    std::map<Label, RefPtr<IAudioControls>> mCategories;
    int mHeldAtShutdown = 0;
    bool mShutDown = false;
};
} // namespace Corvane::Testing
