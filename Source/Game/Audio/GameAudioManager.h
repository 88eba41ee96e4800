// The game's one place for music and sound cues: one-shot effects, voice cues one at a time, and
// one music track chosen by the music state that each screen sets as it comes up (1 title, main
// menu and challenge select; 2 and 3 the kitchen; 4 level intro; 5 judging; 6 cutscenes). Setting
// the state already in force keeps the track playing, so screens that share a state share the
// music without a break; forcing restarts it. The manager never restarts a track that has ended:
// whether a track loops is the sound resource's own setting.
//
// Without an audio platform, or for a missing sound, nothing plays and no channel is held. The
// channels held are let go by ReleaseChannels, which the application calls when it stops, before
// the audio platform goes. Main thread.
#pragma once

#include "Label.h"
#include "RefPtr.h"

namespace Corvane
{
class ISoundChannel;
}

class GameAudioManager
{
public:
    // The one instance, made at the first call; it lives to the end of the process.
    static GameAudioManager* GetInstance();

    // Plays the sound once and holds nothing.
    void PlaySound(Corvane::Label sound);
    // Cuts the voice cue still sounding off, then plays this one and holds it as the voice.
    void PlayVoice(Corvane::Label sound);
    // The state in force unless force; otherwise stops the music and plays the state's track (a
    // random one of the state's tracks where it has several). A state outside 1 to 6 is silence.
    void SetMusicState(int state, bool force);
    int GetMusicState() const { return mMusicState; }
    // The track now held (null when none); screens and tests ask whether it plays.
    Corvane::ISoundChannel* GetMusicChannel() const { return mMusic.Get(); }
    // Stops nothing; lets go of the channels held and forgets the music state, so that the next
    // state set plays its track.
    void ReleaseChannels();

private:
    GameAudioManager() = default;

    Corvane::RefPtr<Corvane::ISoundChannel> mVoice;
    Corvane::RefPtr<Corvane::ISoundChannel> mMusic;
    int mMusicState = 0;
};

// True or false with even odds, from the current random stream.
bool RandomBool();
