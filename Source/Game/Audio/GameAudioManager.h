// The game's one place for music and sound cues: one-shot effects, voice cues one at a time (a new
// cue cuts off the one playing), one music track chosen by a music state that each screen sets as
// it comes up, and the looping cooking sounds of the cooking stations.
//
// Music states: 1 title, main menu and challenge select ("MUSIC_MainMenu"); 2 and 3 the level
// screen (a random pick of "MUSIC_Track_2", "_3", "_5", respectively of "_1", "_4"); 4 level intro;
// 5 judging; 6 cutscenes (a random pick of three). Setting the state in force keeps its track
// playing; force restarts it. Random picks draw from the current random stream.
//
// The manager holds channels of the engine's audio platform: the application lets them go
// (ReleaseChannels) when it stops, before the audio platform shuts down. Main thread.
#pragma once

#include "Framework/ObjectID.h"
#include "Label.h"
#include "RefPtr.h"
#include "Singleton.h"

#include <map>

namespace Corvane
{
class ISoundChannel;
}

class GameAudioManager
{
public:
    // The one manager, created at the first call and deleted with the engine's singletons.
    static GameAudioManager* GetInstance();
    // The manager when it was created, else null.
    static GameAudioManager* GetInstanceIfCreated();

    ~GameAudioManager();
    GameAudioManager(const GameAudioManager&) = delete;
    GameAudioManager& operator=(const GameAudioManager&) = delete;

    // Plays the sound once; nothing is held.
    void PlaySound(Corvane::Label sound);
    // Stops the voice still playing, then plays sound as the voice.
    void PlayVoice(Corvane::Label sound);
    // See the note above; a state outside 1..6 stops the music and plays nothing.
    void SetMusicState(int state, bool force = false);
    int GetMusicState() const { return mMusicState; }

    // A station's looping cooking sound, by the cooking action of the step at the station: the
    // passive loop (sauteing and boiling only) stops the active one; the active loop stops the
    // passive one, except when sauteing. Each loop starts in the station's next update (a task
    // on the station) unless its loop still plays.
    void StartPassiveStationSound(Corvane::ObjectID station);
    void StartActiveStationSound(Corvane::ObjectID station);
    // Ends the station's passive (false) or active (true) loop.
    void StopStationSound(Corvane::ObjectID station, bool active);
    // Stops every station loop and forgets them all.
    void StopAllStationSounds();
    // Pauses or resumes every station loop.
    void PauseStationSounds(bool paused);

    // Lets go of every held channel without stopping it (the audio platform is about to stop them
    // all) and forgets the music state, so that the next state set plays its track.
    void ReleaseChannels();

    // The channels held: the voice, the music (null when none).
    Corvane::ISoundChannel* GetVoiceChannel() const { return mVoice.Get(); }
    Corvane::ISoundChannel* GetMusicChannel() const { return mMusic.Get(); }

private:
    using ChannelMap = std::map<Corvane::ObjectID, Corvane::RefPtr<Corvane::ISoundChannel>>;

    GameAudioManager();
    // Adds the task that starts the loop sound of the station into map, unless it still plays.
    void AddLoopTask(Corvane::ObjectID station, Corvane::Label taskName, Corvane::Label sound, bool active);
    ChannelMap& Loops(bool active) { return active ? mActiveLoops : mPassiveLoops; }

    Corvane::RefPtr<Corvane::ISoundChannel> mVoice;
    Corvane::RefPtr<Corvane::ISoundChannel> mMusic;
    ChannelMap mPassiveLoops;
    ChannelMap mActiveLoops;
    int mMusicState = 0;
    Corvane::Internal::OwnedSingletonDestructor<GameAudioManager>* mTeardown;
};

// True or false with even odds, from the current random stream (false when there is none).
bool RandomBool();
