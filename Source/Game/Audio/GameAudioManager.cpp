#include "Game/Audio/GameAudioManager.h"

#include "Framework/IAudioControls.h"
#include "Framework/ISoundChannel.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/SimpleFunctionTask.h"
#include "Framework/SoundPlayback.h"
#include "Game/Data/GameEnumerations.h"
#include "Game/Kitchen/CookingStation.h"
#include "RandomStream.h"

#include <array>
#include <vector>

using namespace Corvane;

namespace
{
GameAudioManager* gInstance = nullptr;

bool IsPlaying(const RefPtr<ISoundChannel>& channel)
{
    return channel && channel->IsPlaying();
}

// Stops the channel through its controls, so that the platform ends it with its group's rules.
void StopChannel(const RefPtr<ISoundChannel>& channel)
{
    if (!IsPlaying(channel))
        return;
    if (IAudioControls* controls = channel->GetControls())
        controls->Stop();
    else
        channel->Stop();
}

int RandomPick(int count)
{
    IRandomNumberStream* stream = GetCurrentRandomStream();
    return stream ? RandomInt(*stream, 0, count - 1) : 0;
}

// The track of a music state, picked now for the states with several; null outside 1..6.
Label MusicTrack(int state)
{
    static const std::array<std::vector<Label>, 6> tracks = {{
        {Label("MUSIC_MainMenu")},
        {Label("MUSIC_Track_2"), Label("MUSIC_Track_3"), Label("MUSIC_Track_5")},
        {Label("MUSIC_Track_1"), Label("MUSIC_Track_4")},
        {Label("MUSIC_LevelIntro")},
        {Label("MUSIC_JudgingMode")},
        {Label("MUSIC_Cutscene_1"), Label("MUSIC_Cutscene_2"), Label("MUSIC_Cutscene_3")},
    }};
    if (state < 1 || state > 6)
        return Label();
    const std::vector<Label>& choices = tracks[static_cast<std::size_t>(state - 1)];
    return choices.size() == 1 ? choices.front() : choices[static_cast<std::size_t>(RandomPick(
                                                       static_cast<int>(choices.size())))];
}

const char* const kActionNames[] = {"Chop", "Saute", "Boil", "Mix"};

// The cooking action of the station's step, or -1 when the station or its step is gone.
int StationAction(ObjectID station)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    auto* cooking = database ? dynamic_cast<CookingStation*>(database->Get(station)) : nullptr;
    const int action = cooking ? cooking->GetStepActionType() : -1;
    return action >= kAnimChop && action <= kAnimMix ? action : -1;
}

Label PassiveTaskName()
{
    static const Label name("Station_PassiveSoundTask");
    return name;
}

Label ActiveTaskName()
{
    static const Label name("Station_ActiveSoundTask");
    return name;
}
} // namespace

GameAudioManager* GameAudioManager::GetInstance()
{
    if (!gInstance)
        gInstance = new GameAudioManager;
    return gInstance;
}

GameAudioManager* GameAudioManager::GetInstanceIfCreated()
{
    return gInstance;
}

GameAudioManager::GameAudioManager() : mTeardown(new Internal::OwnedSingletonDestructor<GameAudioManager>(this)) {}

GameAudioManager::~GameAudioManager()
{
    ReleaseChannels();
    if (gInstance == this)
        gInstance = nullptr;
    delete mTeardown;
}

void GameAudioManager::PlaySound(Label sound)
{
    Corvane::PlaySound(sound);
}

void GameAudioManager::PlayVoice(Label sound)
{
    StopChannel(mVoice);
    ISoundChannel* channel = nullptr;
    PlaySoundWithHandle(sound, &channel);
    mVoice = RefPtr<ISoundChannel>::Adopt(channel);
}

void GameAudioManager::SetMusicState(int state, bool force)
{
    if (state == mMusicState && !force)
        return;
    mMusicState = state;
    StopChannel(mMusic);
    mMusic.Reset();
    const Label track = MusicTrack(state);
    if (!track)
        return;
    ISoundChannel* channel = nullptr;
    PlaySoundWithHandle(track, &channel);
    mMusic = RefPtr<ISoundChannel>::Adopt(channel);
}

void GameAudioManager::AddLoopTask(ObjectID station, Label taskName, Label sound, bool active)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    Object* owner = database ? database->Get(station) : nullptr;
    if (!owner)
        return;
    owner->AddTask(taskName, new SimpleFunctionTask<Object>([this, station, sound, active](Object*, float) {
        RefPtr<ISoundChannel>& loop = Loops(active)[station];
        if (IsPlaying(loop))
            return;
        ISoundChannel* channel = nullptr;
        PlaySoundWithHandle(sound, &channel);
        loop = RefPtr<ISoundChannel>::Adopt(channel);
    }));
}

void GameAudioManager::StartPassiveStationSound(ObjectID station)
{
    const int action = StationAction(station);
    StopStationSound(station, true);
    if (action == kAnimSaute || action == kAnimBoil)
        AddLoopTask(station, PassiveTaskName(),
                    Label::Format("CookingStation_Passive_%s", kActionNames[action]), false);
}

void GameAudioManager::StartActiveStationSound(ObjectID station)
{
    const int action = StationAction(station);
    if (action < 0)
        return;
    // A sauteing pan keeps sizzling under the active sound.
    if (action != kAnimSaute)
        StopStationSound(station, false);
    AddLoopTask(station, ActiveTaskName(), Label::Format("CookingStation_Active_%s", kActionNames[action]), true);
}

void GameAudioManager::StopStationSound(ObjectID station, bool active)
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        if (Object* owner = database->Get(station))
            owner->EndTasks(active ? ActiveTaskName() : PassiveTaskName());
    ChannelMap& loops = Loops(active);
    const auto found = loops.find(station);
    if (found == loops.end())
        return;
    StopChannel(found->second);
    found->second.Reset();
}

void GameAudioManager::StopAllStationSounds()
{
    for (ChannelMap* loops : {&mPassiveLoops, &mActiveLoops})
    {
        for (auto& [station, channel] : *loops)
            StopChannel(channel);
        loops->clear();
    }
}

void GameAudioManager::PauseStationSounds(bool paused)
{
    for (ChannelMap* loops : {&mPassiveLoops, &mActiveLoops})
        for (auto& [station, channel] : *loops)
            if (IAudioControls* controls = channel ? channel->GetControls() : nullptr)
                paused ? controls->Pause() : controls->Resume();
}

void GameAudioManager::ReleaseChannels()
{
    mVoice.Reset();
    mMusic.Reset();
    mPassiveLoops.clear();
    mActiveLoops.clear();
    mMusicState = 0;
}

bool RandomBool()
{
    IRandomNumberStream* stream = GetCurrentRandomStream();
    return stream && RandomInt(*stream, 0, 1) == 1;
}
