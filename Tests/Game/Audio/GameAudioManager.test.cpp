#include "Game/Audio/GameAudioManager.h"

#include "Framework/ISoundChannel.h"
#include "RandomStream.h"
#include "Support/FakeAudioPlatform.h"
#include "Support/TestSoundFactory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
const char* const kSounds[] = {"MUSIC_MainMenu", "MUSIC_Track_1", "MUSIC_Track_4", "VO_First", "VO_Second"};

// The manager on a recording audio platform with fake sounds of the music's and two voices' names.
class GameAudioManagerTest : public testing::Test
{
protected:
    GameAudioManagerTest()
    {
        CreateRandomStreams();
        std::string body;
        for (const char* sound : kSounds)
            body += std::string("<testsound name=\"") + sound + "\" type=\"Music\"/>";
        LoadTestSounds(resources, body);
        audio = std::make_unique<FakeAudioPlatform>(log);
    }
    ~GameAudioManagerTest() override
    {
        manager.ReleaseChannels();
        audio.reset();
        DeleteRandomStreams();
    }

    // The names of the sounds started since the last call, in order.
    std::vector<std::string> Started()
    {
        std::vector<std::string> names;
        for (; mSeen < audio->channels.size(); ++mSeen)
            for (const char* sound : kSounds)
                if (audio->channels[mSeen]->GetSound() == ResourceManager::Get<ISound>(Label(sound)).Get())
                    names.push_back(sound);
        return names;
    }
    // How many stops the channels' controls were asked for.
    long Stops() const
    {
        return std::count_if(audio->calls.begin(), audio->calls.end(), [](const std::string& call) {
            return call.size() > 5 && call.compare(call.size() - 5, 5, " Stop") == 0;
        });
    }

    std::vector<std::string> log;
    ResourceFolder resources;
    std::unique_ptr<FakeAudioPlatform> audio;
    GameAudioManager& manager = *GameAudioManager::GetInstance();

private:
    std::size_t mSeen = 0;
};
} // namespace

TEST_F(GameAudioManagerTest, TheStateInForceKeepsItsTrackAndAnotherOrAForcedOneReplacesIt)
{
    const struct
    {
        int state;
        bool force;
        std::vector<std::string> started;
        long stops; // in all, so far
    } steps[] = {
        {1, false, {"MUSIC_MainMenu"}, 0},
        {1, false, {}, 0}, // the title, then the main menu: the track goes on
        {1, true, {"MUSIC_MainMenu"}, 1},
        {7, false, {}, 2}, // no such state: silence
        {7, false, {}, 2},
    };
    for (const auto& step : steps)
    {
        audio->now += 100; // a sound is not started twice within 20 ms
        manager.SetMusicState(step.state, step.force);
        EXPECT_EQ(Started(), step.started) << step.state << " " << step.force;
        EXPECT_EQ(Stops(), step.stops) << step.state << " " << step.force;
        EXPECT_EQ(manager.GetMusicState(), step.state);
    }
    EXPECT_EQ(manager.GetMusicChannel(), nullptr);

    // A state of several tracks picks one of them.
    manager.SetMusicState(3, false);
    const std::vector<std::string> picked = Started();
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_TRUE(picked[0] == "MUSIC_Track_1" || picked[0] == "MUSIC_Track_4") << picked[0];
}

TEST_F(GameAudioManagerTest, ANewVoiceCueCutsTheOneStillSpeakingOff)
{
    manager.PlayVoice(Label("VO_First"));
    EXPECT_EQ(Stops(), 0);
    audio->now += 100;
    manager.PlayVoice(Label("VO_Second"));
    EXPECT_EQ(Started(), (std::vector<std::string>{"VO_First", "VO_Second"}));
    EXPECT_EQ(Stops(), 1);
    manager.PlaySound(Label("VO_First"));
    EXPECT_EQ(Stops(), 1) << "an effect leaves the voice alone";
}

TEST_F(GameAudioManagerTest, WithoutAnAudioPlatformNothingPlaysAndNothingIsHeld)
{
    audio.reset();
    manager.SetMusicState(1, false);
    manager.PlayVoice(Label("VO_First"));
    EXPECT_EQ(manager.GetMusicChannel(), nullptr);
    EXPECT_EQ(manager.GetMusicState(), 1);
}
