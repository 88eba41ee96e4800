// The game audio manager through the game's start-up: music states, voices one at a time, the
// cooking stations' loops, pausing them with the level, and letting go of every channel before the
// audio platform shuts down.
#include "KitchenTest.h"

#include "Framework/ObjectDatabase.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Kitchen/CookingStation.h"

using namespace Corvane::Testing;
using namespace KitchenLevels;

namespace
{
using Names = std::vector<std::string>;

// The log from the events at first on, without the update numbers.
Names EventsFrom(const RecordingAudioPlatform& audio, std::size_t first)
{
    Names events;
    const std::vector<SoundEvent>& all = audio.GetEvents();
    for (std::size_t i = first; i < all.size(); ++i)
        events.push_back(all[i].event + " " + all[i].sound);
    return events;
}

class GameAudioTest : public KitchenTest
{
protected:
    GameAudioManager& audio = *GameAudioManager::GetInstance();
};

TEST_F(GameAudioTest, AMusicStateInForceKeepsItsTrackAndForceRestartsIt)
{
    // The title plays its track already; an unknown state silences it, and state 1 starts it again.
    const std::size_t first = rig.Audio().GetEvents().size();
    // Steps between the calls: a sound asked for again within 20 ms of its start plays once.
    for (const auto& [state, force] :
         {std::pair{9, false}, {1, false}, {1, false}, {1, true}, {5, false}, {9, false}})
    {
        audio.SetMusicState(state, force);
        rig.Step(2);
    }
    EXPECT_EQ(EventsFrom(rig.Audio(), first),
              (Names{"stop MUSIC_MainMenu", "start MUSIC_MainMenu", "stop MUSIC_MainMenu", "start MUSIC_MainMenu",
                     "stop MUSIC_MainMenu", "start MUSIC_JudgingMode", "stop MUSIC_JudgingMode"}))
        << "state 5 plays the judges' music; an unknown state plays nothing";
    EXPECT_EQ(audio.GetMusicState(), 9);
    EXPECT_EQ(audio.GetMusicChannel(), nullptr);
}

TEST_F(GameAudioTest, ANewVoiceCutsOffTheOneStillPlaying)
{
    const std::size_t first = rig.Audio().GetEvents().size();
    audio.PlayVoice(Corvane::Label("VO_Orvel_Set"));
    audio.PlayVoice(Corvane::Label("VO_Orvel_Combo"));
    rig.Audio().FinishPlaying("VO_Orvel_Combo");
    audio.PlayVoice(Corvane::Label("VO_Orvel_Chain"));
    EXPECT_EQ(EventsFrom(rig.Audio(), first), (Names{"start VO_Orvel_Set", "stop VO_Orvel_Set", "start VO_Orvel_Combo",
                                                     "end VO_Orvel_Combo", "start VO_Orvel_Chain"}))
        << "a voice that has ended is not stopped again";
}

// The stations of the level with one step of each action, each holding its step.
class StationSounds : public GameAudioTest
{
protected:
    void SetUp() override
    {
        game = rig.StartLevel(kStations);
        ASSERT_NE(game, nullptr);
        ClosePopup();
        FindRecipeList()->SendSteps();
        for (Corvane::ObjectID id : game->GetGroup(CookingStation::Group()))
            if (auto* station = dynamic_cast<CookingStation*>(game->Get(id)))
                stations[station->GetStepActionType()] = id;
        ASSERT_EQ(stations.size(), 4u) << "one station per action";
    }
    // Runs the update in which the loops start; the events it made.
    Names Run(const std::function<void()>& calls)
    {
        const std::size_t first = rig.Audio().GetEvents().size();
        calls();
        rig.Step();
        return EventsFrom(rig.Audio(), first);
    }

    std::map<int, Corvane::ObjectID> stations; // by action
};

TEST_F(StationSounds, EachActionHasItsLoopsAndSauteingKeepsSizzlingUnderTheCook)
{
    struct Case
    {
        int action;
        Names passive;      // the passive loop started
        Names activeOverIt; // the active loop started over it
        Names passiveAgain; // the passive loop started over the active one
    };
    const Case cases[] = {
        {kAnimChop, {}, {"start CookingStation_Active_Chop"}, {"stop CookingStation_Active_Chop"}},
        {kAnimSaute,
         {"start CookingStation_Passive_Saute"},
         {"start CookingStation_Active_Saute"},
         {"stop CookingStation_Active_Saute"}},
        {kAnimBoil,
         {"start CookingStation_Passive_Boil"},
         {"stop CookingStation_Passive_Boil", "start CookingStation_Active_Boil"},
         {"stop CookingStation_Active_Boil", "start CookingStation_Passive_Boil"}},
        {kAnimMix, {}, {"start CookingStation_Active_Mix"}, {"stop CookingStation_Active_Mix"}},
    };
    for (const Case& row : cases)
    {
        const Corvane::ObjectID station = stations.at(row.action);
        EXPECT_EQ(Run([&] { audio.StartPassiveStationSound(station); }), row.passive) << row.action;
        EXPECT_EQ(Run([&] { audio.StartActiveStationSound(station); }), row.activeOverIt) << row.action;
        EXPECT_EQ(Run([&] { audio.StartPassiveStationSound(station); }), row.passiveAgain) << row.action;
        // Started again while its loop still plays: nothing new.
        EXPECT_EQ(Run([&] { audio.StartPassiveStationSound(station); }), Names{}) << row.action;
    }
}

TEST_F(StationSounds, TheLoopsPauseUnderThePauseMenuAndStopWhenTheLevelEnds)
{
    Run([&] {
        audio.StartPassiveStationSound(stations.at(kAnimBoil));
        audio.StartActiveStationSound(stations.at(kAnimSaute));
    });
    const std::size_t first = rig.Audio().GetEvents().size();
    rig.KeyCode(27);
    rig.Step();
    rig.PopTop();
    Names paused = EventsFrom(rig.Audio(), first);
    std::sort(paused.begin(), paused.end());
    EXPECT_EQ(paused, (Names{"pause CookingStation_Active_Saute", "pause CookingStation_Passive_Boil",
                             "resume CookingStation_Active_Saute", "resume CookingStation_Passive_Boil"}));

    const std::size_t beforeEnd = rig.Audio().GetEvents().size();
    game->EndLevel();
    Names stopped = EventsFrom(rig.Audio(), beforeEnd);
    std::sort(stopped.begin(), stopped.end());
    EXPECT_EQ(stopped, (Names{"stop CookingStation_Active_Saute", "stop CookingStation_Passive_Boil"}));
}

TEST_F(GameAudioTest, TheGameLetsGoOfItsChannelsBeforeTheAudioPlatformShutsDown)
{
    game = rig.StartLevel(kClock90);
    ASSERT_NE(game, nullptr);
    ClosePopup();
    ASSERT_NE(audio.GetMusicChannel(), nullptr);
    ASSERT_NE(audio.GetVoiceChannel(), nullptr) << "the host's opening line";
    rig.Stop();
    EXPECT_TRUE(rig.Audio().WasShutDown());
    EXPECT_EQ(rig.Audio().GetChannelsHeldAtShutdown(), 0);
}
} // namespace
