#include "Game/Audio/GameAudioManager.h"

#include "Framework/IAudioControls.h"
#include "Framework/ISoundChannel.h"
#include "Framework/SoundPlayback.h"
#include "RandomStream.h"

#include <span>

using namespace Corvane;

namespace
{
// The tracks of music states 1 to 6.
std::span<const char* const> TracksOfState(int state)
{
    static constexpr const char* kMainMenu[] = {"MUSIC_MainMenu"};
    static constexpr const char* kKitchenA[] = {"MUSIC_Track_2", "MUSIC_Track_3", "MUSIC_Track_5"};
    static constexpr const char* kKitchenB[] = {"MUSIC_Track_1", "MUSIC_Track_4"};
    static constexpr const char* kLevelIntro[] = {"MUSIC_LevelIntro"};
    static constexpr const char* kJudging[] = {"MUSIC_JudgingMode"};
    static constexpr const char* kCutscene[] = {"MUSIC_Cutscene_1", "MUSIC_Cutscene_2", "MUSIC_Cutscene_3"};
    switch (state)
    {
    case 1: return kMainMenu;
    case 2: return kKitchenA;
    case 3: return kKitchenB;
    case 4: return kLevelIntro;
    case 5: return kJudging;
    case 6: return kCutscene;
    default: return {};
    }
}

int RandomIndex(int count)
{
    IRandomNumberStream* stream = GetCurrentRandomStream();
    return stream && count > 1 ? RandomInt(*stream, 0, count - 1) : 0;
}

void Stop(RefPtr<ISoundChannel>& channel)
{
    if (channel && channel->IsPlaying())
        if (IAudioControls* controls = channel->GetControls())
            controls->Stop();
    channel.Reset();
}

RefPtr<ISoundChannel> Play(Label sound)
{
    ISoundChannel* channel = nullptr;
    PlaySoundWithHandle(sound, &channel);
    return RefPtr<ISoundChannel>::Adopt(channel);
}
} // namespace

GameAudioManager* GameAudioManager::GetInstance()
{
    static GameAudioManager* instance = new GameAudioManager;
    return instance;
}

void GameAudioManager::PlaySound(Label sound)
{
    Corvane::PlaySound(sound);
}

void GameAudioManager::PlayVoice(Label sound)
{
    Stop(mVoice);
    mVoice = Play(sound);
}

void GameAudioManager::SetMusicState(int state, bool force)
{
    if (state == mMusicState && !force)
        return;
    mMusicState = state;
    Stop(mMusic);
    const std::span<const char* const> tracks = TracksOfState(state);
    if (tracks.empty())
        return;
    mMusic = Play(Label(tracks[static_cast<std::size_t>(RandomIndex(static_cast<int>(tracks.size())))]));
}

void GameAudioManager::ReleaseChannels()
{
    mVoice.Reset();
    mMusic.Reset();
    mMusicState = 0;
}

bool RandomBool()
{
    IRandomNumberStream* stream = GetCurrentRandomStream();
    return stream && RandomInt(*stream, 0, 1) == 1;
}
