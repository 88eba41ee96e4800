#include "Framework/SoundPlayback.h"

#include "Framework/AudioSettings.h"
#include "Support/FakeAudioPlatform.h"
#include "Support/TestSoundFactory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
class SoundPlaybackTest : public testing::Test
{
protected:
    SoundPlaybackTest()
    {
        LoadTestSounds(resources, "<testsound name=\"Click\" volume=\"0.8\" rate=\"1.5\" pan=\"-0.25\" loop=\"2\"/>"
                                  "<testsound name=\"Theme\" type=\"Music\"/>");
    }
    // The calls on the node made for the play.
    static CallLog NodeCalls(const FakeAudioPlatform& platform)
    {
        CallLog calls;
        std::copy_if(platform.calls.begin(), platform.calls.end(), std::back_inserter(calls),
                     [](const std::string& call) { return call.starts_with("node1 "); });
        return calls;
    }
    int Plays() const
    {
        return static_cast<int>(std::count_if(audio.calls.begin(), audio.calls.end(), [](const std::string& call) {
            return call.starts_with("channel Play");
        }));
    }

    ResourceFolder resources;
    std::vector<std::string> log;
    FakeAudioPlatform audio{log};
};
} // namespace

TEST_F(SoundPlaybackTest, ASoundPlaysOnANewNodeUnderItsCategoryWithItsOwnValues)
{
    PlaySound(Label("Click"));
    EXPECT_EQ(audio.calls, (CallLog{"audio CreateChannel", "audio GetCategoryControls Effect",
                                    "audio CreateControls node1 under Effect", "channel SetControls node1",
                                    "node1 SetVolume 0.8", "node1 SetRate 1.5", "node1 SetPan -0.25", "node1 Resume",
                                    "node1 SetMuted 0", "channel Play 2"}));
    // The caller holds nothing: only the platform keeps the channel, and the channel its node.
    ASSERT_EQ(audio.channels.size(), 1u);
    EXPECT_EQ(audio.channels[0]->GetReferenceCount(), 1);
    EXPECT_EQ(static_cast<FakeAudioControls*>(audio.channels[0]->GetControls())->GetReferenceCount(), 1);
}

TEST_F(SoundPlaybackTest, ParametersOverrideTheSoundsValuesOnlyWhereTheyAreSet)
{
    const CallLog own = {"node1 SetVolume 0.8", "node1 SetRate 1.5", "node1 SetPan -0.25", "node1 Resume",
                         "node1 SetMuted 0"};
    const auto with = [&](std::size_t at, std::initializer_list<std::string> extra, std::size_t replace = 0) {
        CallLog calls = own;
        calls.erase(calls.begin() + static_cast<long>(at), calls.begin() + static_cast<long>(at + replace));
        calls.insert(calls.begin() + static_cast<long>(at), extra);
        return calls;
    };
    struct Case
    {
        const char* what;
        std::function<void(SoundParams&)> set;
        CallLog expected;
    };
    const Case cases[] = {
        {"volume 0 silences", [](SoundParams& p) { p.volume = 0; }, with(1, {"node1 SetVolume 0"})},
        {"volume fade", [](SoundParams& p) { p.volumeFadeTarget = 0, p.volumeFadeTime = 2; },
         with(1, {"node1 FadeVolume 0 2"})},
        {"rate 0 keeps the sound's", [](SoundParams& p) { p.rate = 0; }, own},
        {"rate and slide", [](SoundParams& p) { p.rate = 2, p.rateSlideTarget = 1, p.rateSlideTime = 0.5f; },
         with(2, {"node1 SetRate 2", "node1 FadeRate 1 0.5"})},
        {"pan -1 applies", [](SoundParams& p) { p.pan = -1; }, with(3, {"node1 SetPan -1"})},
        {"pan below -1 keeps the sound's", [](SoundParams& p) { p.pan = -1.5f; }, own},
        {"pan slide", [](SoundParams& p) { p.panSlideTarget = 1, p.panSlideTime = 3; }, with(3, {"node1 FadePan 1 3"})},
        {"paused and muted", [](SoundParams& p) { p.paused = p.muted = true; },
         with(3, {"node1 Pause", "node1 SetMuted 1"}, 2)},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.what);
        // A platform of its own, so that the 20 ms guard does not hold the next play back.
        FakeAudioPlatform fresh(log);
        SoundParams params;
        test.set(params);
        PlaySound(Label("Click"), params);
        EXPECT_EQ(NodeCalls(fresh), test.expected);
    }
}

TEST_F(SoundPlaybackTest, ALoopCountAndAGroupGivenReplaceTheSoundsOwn)
{
    SoundParams params;
    params.loopCount = 0;
    params.controls = GetMasterAudioControls();
    PlaySound(Label("Theme"), params);
    EXPECT_EQ(audio.calls.front(), "audio CreateChannel");
    EXPECT_EQ(audio.calls[1], "audio CreateControls node1 under master");
    EXPECT_EQ(audio.calls.back(), "channel Play 0");
}

TEST_F(SoundPlaybackTest, TheSameSoundAskedForTwiceWithin20MsPlaysOnce)
{
    PlaySound(Label("Click"));
    PlaySound(Label("Click"));
    PlaySound(Label("Theme"));
    EXPECT_EQ(Plays(), 2);
    audio.now = 20;
    PlaySound(Label("Click"));
    EXPECT_EQ(Plays(), 2);
    audio.now = 21;
    PlaySound(Label("Click"));
    EXPECT_EQ(Plays(), 3);
}

TEST_F(SoundPlaybackTest, AHandleHoldsTheChannelOnlyWhenASoundPlayed)
{
    ISoundChannel* channel = reinterpret_cast<ISoundChannel*>(1);
    PlaySoundWithHandle(Label("Click"), &channel);
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(audio.channels[0]->GetReferenceCount(), 2);
    EXPECT_EQ(channel->GetSound(), ResourceManager::Get<ISound>(Label("Click")).Get());
    channel->Release();

    PlaySoundWithHandle(Label("NoSuchSound"), &channel);
    EXPECT_EQ(channel, nullptr);
    {
        // Without an audio platform nothing plays.
        const std::vector<std::string> calls = audio.calls;
        IAudioPlatform::ReleaseInstance(&audio);
        channel = reinterpret_cast<ISoundChannel*>(1);
        PlaySoundWithHandle(Label("Click"), &channel);
        EXPECT_EQ(channel, nullptr);
        EXPECT_EQ(audio.calls, calls);
    }
}
