#include "Platform/Win32/BASSAudioPlatform.h"

#include "Framework/IAudioControls.h"
#include "Framework/ISoundChannel.h"
#include "Framework/SoundList.h"
#include "Framework/SoundPlayback.h"
#include "Platform/Compat/Audio/AudioOutputControl.h"
#include "Platform/Compat/Audio/Bass.h"
#include "Platform/Win32/BASSSound.h"
#include "RandomStream.h"
#include "Support/DebugCapture.h"
#include "Support/ResourceFolder.h"
#include "Support/SoundFiles.h"
#include "Support/TestClock.h"
#include "Support/XMLNodes.h"

#include <gtest/gtest.h>

#include <cmath>

#include <cfloat>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr int kRate = 44100;
constexpr int kUpdateFrames = kRate / 50; // the audio of one fixed update
constexpr double kToneRms = 0.35355;      // a sine of peak 0.5

struct Attributes
{
    DWORD frequency = 0;
    DWORD volume = 0;
    int pan = 0;
};

class BASSAudioPlatformTest : public testing::Test
{
protected:
    explicit BASSAudioPlatformTest(const Compat::Audio::NullAudioMachine& machine = {})
    {
        Compat::Audio::UseNullAudioOutput(machine);
        CreateRandomStreams();
        audio = new BASSAudioPlatform(clock);
    }
    ~BASSAudioPlatformTest() override
    {
        // As at the engine's end: the platform shuts down before the resources go.
        audio->Shutdown();
        delete audio;
        DeleteRandomStreams();
        Compat::Audio::UseSystemAudioOutput();
    }

    void Start()
    {
        audio->Init();
        audio->SetActive(true);
    }
    void WriteFile(const std::string& name, const std::string& bytes) const { resources.Folder().Write(name, bytes); }
    void Load(const std::string& body) const
    {
        resources.WriteManifest("sounds", body);
        resources.Manager().LoadAndWait(L"sounds", false, nullptr);
    }
    static BASSSound* Sound(const char* name) { return ResourceManager::Get<BASSSound>(name).Get(); }
    // The library handle and rate of a sound of one file.
    static BASSSoundPick Pick(const char* name)
    {
        BASSSoundPick pick;
        if (BASSSound* sound = Sound(name))
            sound->Data().Pick(pick);
        return pick;
    }
    static Attributes AttributesOf(const char* name)
    {
        Attributes attributes;
        BASS_ChannelGetAttributes(Pick(name).channel, &attributes.frequency, &attributes.volume, &attributes.pan);
        return attributes;
    }
    // Runs fixed updates, mixing the audio of each as the device would.
    Stereo Run(int updates)
    {
        Stereo all;
        for (int i = 0; i < updates; ++i)
        {
            audio->Update(0.02f);
            clock.Advance(20);
            const Stereo part = MixFrames(kUpdateFrames);
            all.samples.insert(all.samples.end(), part.samples.begin(), part.samples.end());
        }
        return all;
    }
    RefPtr<ISoundChannel> Play(const char* name, const SoundParams& params = SoundParams())
    {
        ISoundChannel* channel = nullptr;
        PlaySoundWithHandle(Label(name), &channel, params);
        return RefPtr<ISoundChannel>::Adopt(channel);
    }

    TestClock clock;
    DebugCapture debug;
    ResourceFolder resources;
    BASSAudioPlatform* audio;
};

TEST_F(BASSAudioPlatformTest, ASoundTakesTheFirstFileThereInExtensionOrder)
{
    Start();
    // Told apart by their rates.
    const std::string ogg = EncodeTone({22050}, "ogg"), wav = EncodeTone({11025}, "wav"),
                      aif = EncodeTone({16000}, "aif"), module = MakeTrackerModule();
    struct Case
    {
        const char* src;
        std::vector<std::pair<const char*, const std::string*>> files;
        int rate; // 0: no file
    };
    const Case cases[] = {
        {"Title", {{".ogg", &ogg}, {".wav", &wav}, {".mod", &module}}, 22050},
        {"Menu", {{".wav", &wav}, {".xm", &module}}, 11025},
        {"Kitchen", {{".aif", &aif}, {".umx", &module}}, 16000},
        {"Sounds/Judges", {{".it", &module}}, kRate},
        {"Missing", {}, 0},
    };
    std::string manifest;
    for (const Case& c : cases)
    {
        for (const auto& [extension, bytes] : c.files)
            WriteFile(std::string(c.src) + extension, *bytes);
        manifest += "<sound name=\"" + std::string(c.src) + "\" src=\"" + c.src + "\"/>";
    }
    Load(manifest);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.src);
        ASSERT_NE(Sound(c.src), nullptr) << "a sound without files is still a resource";
        EXPECT_EQ(Sound(c.src)->Data().GetFileCount(), c.rate ? 1 : 0);
        EXPECT_EQ(Pick(c.src).naturalRate, c.rate);
    }
    EXPECT_EQ(debug.Text().find("error"), std::string::npos) << debug.Text();
}

TEST(BASSSoundFactoriesTest, EachSourceNeedsOneOfElevenFiles)
{
    BASSSoundResourceFactory sound;
    BASSRandomSoundResourceFactory random;
    const std::vector<ResourceDependency> one = DependenciesOf(sound, "<sound name=\"A\" src=\"Sounds/title\"/>");
    const std::vector<ResourceDependency> three = DependenciesOf(
        random, "<randomsound name=\"B\"><sound src=\"x\"/><other src=\"no\"/><sound src=\"y\"><sound src=\"deeper\"/>"
                "</sound><sound src=\"z\"/></randomsound>");
    EXPECT_EQ(Locations(one), std::vector<std::wstring>{L"Sounds/title"});
    EXPECT_EQ(Locations(three), (std::vector<std::wstring>{L"x", L"y", L"z"}));
    const std::vector<std::wstring> extensions = {L".ogg", L".mp3", L".wav", L".aif", L".mod", L".s3m",
                                                  L".xm",  L".it",  L".mo3", L".mtm", L".umx"};
    EXPECT_EQ(one[0].candidates, extensions);
}

TEST_F(BASSAudioPlatformTest, ManifestAttributesAreReadAndLimited)
{
    Start();
    struct Case
    {
        const char* attributes;
        const char* category;
        float volume, pan, rate;
        int loop;
    };
    const Case cases[] = {
        {"", "Effect", 1.0f, 0.0f, 1.0f, 1},
        {"type=\"sfx\" volume=\"1.5\" pan=\"-2\" rate=\"0\"", "Effect", 1.0f, -1.0f, FLT_MIN, 1},
        {"type=\"music\" volume=\"-1\" pan=\"0.25\" rate=\"1e39\" loop=\"forever\"", "Music", 0.0f, 0.25f, FLT_MAX, 0},
        {"type=\"ambient\" volume=\"0.4\" rate=\"2\" loop=\"-3\"", "Ambient", 0.4f, 0.0f, 2.0f, 0},
        {"type=\"\" loop=\"3\"", "Effect", 1.0f, 0.0f, 1.0f, 3},
        {"type=\"Voice\"", "Voice", 1.0f, 0.0f, 1.0f, 1},
        {"type=\"Music\"", "Music", 1.0f, 0.0f, 1.0f, 1}, // labels compare without regard to case
    };
    std::string manifest;
    for (std::size_t i = 0; i < std::size(cases); ++i)
        manifest.append("<sound name=\"S").append(std::to_string(i)).append("\" src=\"none\" ").append(cases[i].attributes).append("/>");
    Load(manifest);
    for (std::size_t i = 0; i < std::size(cases); ++i)
    {
        const Case& c = cases[i];
        SCOPED_TRACE(c.attributes);
        std::string name(1, 'S');
        name += std::to_string(i);
        BASSSound* sound = Sound(name.c_str());
        ASSERT_NE(sound, nullptr);
        EXPECT_EQ(sound->GetCategory(), Label(c.category));
        EXPECT_EQ(sound->GetVolume(), c.volume);
        EXPECT_EQ(sound->GetPan(), c.pan);
        EXPECT_EQ(sound->GetRate(), c.rate);
        EXPECT_EQ(sound->GetLoopCount(), c.loop);
    }
}

TEST_F(BASSAudioPlatformTest, RandomSoundsNeverRepeatAFileWithThreeOrMoreAndMayWithTwo)
{
    Start();
    for (int rate : {11025, 22050, 44100})
        WriteFile("chop" + std::to_string(rate) + ".wav", EncodeTone({rate}, "wav"));
    Load("<randomsound name=\"Three\"><sound src=\"chop11025\"/><ignored src=\"chop22050\"/>"
         "<sound src=\"chop22050\"/><sound src=\"missing\"/><sound src=\"chop44100\"/></randomsound>"
         "<randomsound name=\"Two\"><sound src=\"chop11025\"/><sound src=\"chop44100\"/></randomsound>");
    ASSERT_EQ(Sound("Three")->Data().GetFileCount(), 3) << "the missing file and other elements add nothing";
    for (const char* name : {"Three", "Two"})
    {
        SCOPED_TRACE(name);
        std::map<int, int> picks;
        int repeats = 0, previous = 0;
        for (int i = 0; i < 1000; ++i)
        {
            const int rate = Pick(name).naturalRate;
            ++picks[rate];
            repeats += rate == previous;
            previous = rate;
        }
        EXPECT_EQ(picks.size(), std::string(name) == "Three" ? 3u : 2u);
        if (std::string(name) == "Three")
            EXPECT_EQ(repeats, 0);
        else
            EXPECT_GT(repeats, 0);
    }
}

TEST_F(BASSAudioPlatformTest, ChannelsFollowTheControlsTreeIntoTheMix)
{
    Start();
    WriteFile("tone.wav", EncodeTone({kRate, 1, 441.0, 10.0}, "wav"));
    Load("<sound name=\"Tone\" src=\"tone\"/>");
    RefPtr<ISoundChannel> channel = Play("Tone");
    ASSERT_TRUE(channel && channel->IsPlaying());
    // The category "Effect" starts at half volume.
    EXPECT_EQ(AttributesOf("Tone").volume, 50u);
    EXPECT_NEAR(Run(5).Rms(0), kToneRms / 2, 0.003);

    RefPtr<IAudioControls> master = RefPtr<IAudioControls>::Adopt(audio->GetMasterControls());
    master->SetMuted(true);
    EXPECT_EQ(Run(2).Rms(0, kUpdateFrames), 0.0);
    EXPECT_EQ(AttributesOf("Tone").volume, 0u);
    master->SetMuted(false);
    Run(1);
    EXPECT_EQ(AttributesOf("Tone").volume, 50u) << "unmuting restores the volume";

    RefPtr<IAudioControls> effects = RefPtr<IAudioControls>::Adopt(audio->GetCategoryControls(Label("Effect")));
    // What is not a number reaches the library as silence, centred.
    effects->SetVolume(std::nanf(""));
    effects->SetPan(std::nanf(""));
    Run(1);
    EXPECT_EQ(AttributesOf("Tone").volume, 0u);
    EXPECT_EQ(AttributesOf("Tone").pan, 0);
    effects->SetVolume(1.0f);
    effects->SetPan(0.5f);
    Run(1);
    const Stereo panned = Run(3);
    EXPECT_NEAR(panned.Rms(0), kToneRms / 2, 0.003);
    EXPECT_NEAR(panned.Rms(1), kToneRms, 0.003);

    effects->SetRate(2.0f);
    Run(1);
    EXPECT_EQ(AttributesOf("Tone").frequency, 2u * kRate);
    EXPECT_NEAR(Run(5).ZeroCrossings(1), 2 * 88, 3) << "0.1 s of a 441 Hz tone an octave up";
}

TEST_F(BASSAudioPlatformTest, AVolumeFadeIsHalfWayAtHalfTimeAndEndsOnItsTargetWhilePlaying)
{
    Start();
    WriteFile("tone.wav", EncodeTone({kRate, 1, 441.0, 5.0}, "wav"));
    Load("<sound name=\"Tone\" src=\"tone\"/>");
    SoundParams fade;
    fade.volumeFadeTarget = 0.0f;
    fade.volumeFadeTime = 2.0f;
    RefPtr<ISoundChannel> channel = Play("Tone", fade);
    Run(50);
    EXPECT_EQ(AttributesOf("Tone").volume, 25u) << "half of the category's 0.5";
    EXPECT_NEAR(Run(1).Rms(0), kToneRms / 4, 0.01);
    Run(49);
    EXPECT_EQ(AttributesOf("Tone").volume, 0u);
    EXPECT_TRUE(channel->IsPlaying());
    EXPECT_EQ(Run(2).Peak(), 0.0f);
}

TEST_F(BASSAudioPlatformTest, AHugeRateIsLimitedInsteadOfOverflowingTheFrequency)
{
    Start();
    WriteFile("tone.wav", EncodeTone({kRate, 1, 441.0, 1.0}, "wav"));
    Load("<sound name=\"Fast\" src=\"tone\" rate=\"3.4e38\"/><sound name=\"Slow\" src=\"tone\" rate=\"0\"/>");
    RefPtr<ISoundChannel> fast = Play("Fast");
    EXPECT_EQ(AttributesOf("Fast").frequency, static_cast<DWORD>(1000000));
    fast->Stop();
    RefPtr<ISoundChannel> slow = Play("Slow");
    EXPECT_EQ(AttributesOf("Slow").frequency, 100u);
    EXPECT_EQ(debug.Text().find("error"), std::string::npos) << debug.Text();
}

TEST_F(BASSAudioPlatformTest, ChannelsOfOneFileShareItsHandleAndOneStopEndsBoth)
{
    Start();
    WriteFile("tone.wav", EncodeTone({kRate, 1, 441.0, 2.0}, "wav"));
    Load("<sound name=\"Tone\" src=\"tone\"/>");
    SoundParams octave;
    octave.rate = 2.0f;
    RefPtr<ISoundChannel> first = Play("Tone", octave);
    EXPECT_EQ(AttributesOf("Tone").frequency, 2u * kRate);
    RefPtr<ISoundChannel> same = Play("Tone");
    EXPECT_FALSE(same) << "the same sound within 20 ms starts once";
    clock.Advance(21);
    RefPtr<ISoundChannel> second = Play("Tone");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(AttributesOf("Tone").frequency, static_cast<DWORD>(kRate)) << "the file's own rate, not the last play's";
    EXPECT_EQ(audio->CountChannels(), 2);
    EXPECT_TRUE(first->IsPlaying() && second->IsPlaying());
    second->Stop();
    EXPECT_FALSE(first->IsPlaying()) << "the shared library channel was stopped";
    first.Reset();
    second.Reset();
    Run(1);
    EXPECT_EQ(audio->CountChannels(), 0) << "idle channels nobody holds are dropped";
}

// A sound played again and again faster than it lasts: each play restarts the file's one channel,
// and the plays nobody holds give way to the latest instead of piling up; the sound plays on.
// Held plays and loops are kept.
TEST_F(BASSAudioPlatformTest, PlaysNobodyHoldsGiveWayToALaterPlayOfTheirFile)
{
    Start();
    WriteFile("tone.wav", EncodeTone({kRate, 1, 441.0, 2.0}, "wav"));
    Load("<sound name=\"Tone\" src=\"tone\"/>");
    for (int i = 0; i < 20; ++i)
    {
        PlaySound(Label("Tone"));
        Run(2);
    }
    EXPECT_EQ(audio->CountChannels(), 1);
    EXPECT_GT(Run(1).Rms(0), 0.1) << "the latest play sounds on";

    RefPtr<ISoundChannel> held = Play("Tone");
    Run(2);
    SoundParams forever;
    forever.loopCount = 0;
    RefPtr<ISoundChannel> hum = Play("Tone", forever);
    Run(2);
    PlaySound(Label("Tone"));
    Run(2);
    EXPECT_EQ(audio->CountChannels(), 3) << "the held play, the loop and the latest";
    EXPECT_TRUE(held->IsPlaying() && hum->IsPlaying());
    held.Reset();
    Run(1);
    EXPECT_EQ(audio->CountChannels(), 2) << "let go of, the held play gives way too";
    hum->Stop();
    hum.Reset();
    Run(1);
    EXPECT_EQ(audio->CountChannels(), 0) << "the stop ended the shared channel";
}

TEST_F(BASSAudioPlatformTest, ADamagedFileIsReportedPlaysNothingAndTheNextSoundPlays)
{
    Start();
    const std::string wav = EncodeTone({kRate, 1, 441.0, 1.0}, "wav");
    WriteFile("broken.ogg", "OggS but nothing a decoder could use");
    WriteFile("cut.wav", wav.substr(0, wav.size() / 3));
    WriteFile("tone.wav", wav);
    Load("<sound name=\"Broken\" src=\"broken\"/><sound name=\"Cut\" src=\"cut\"/><sound name=\"Tone\" src=\"tone\"/>");
    const std::string text = debug.Text();
    EXPECT_NE(text.find("BASS_StreamCreateFile error: 31\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Sound file broken.ogg plays nothing: not a sound file"), std::string::npos) << text;
    EXPECT_NE(text.find("Sound file cut.wav plays nothing: truncated"), std::string::npos) << text;
    EXPECT_EQ(Sound("Broken")->Data().GetFileCount(), 1) << "the entry stays, without a handle";
    EXPECT_FALSE(Play("Broken")->IsPlaying());
    EXPECT_FALSE(Play("Cut")->IsPlaying());
    EXPECT_EQ(Run(2).Peak(), 0.0f);
    RefPtr<ISoundChannel> tone = Play("Tone");
    ASSERT_TRUE(tone);
    EXPECT_GT(Run(2).Rms(0), 0.1);
}

TEST_F(BASSAudioPlatformTest, LoopsPlayTheCountAndStopsHoldOnlyChannelsStartedBefore)
{
    Start();
    WriteFile("blip.wav", EncodeTone({kRate, 1, 441.0, 0.05}, "wav"));
    WriteFile("long.wav", EncodeTone({kRate, 1, 441.0, 5.0}, "wav"));
    Load("<sound name=\"Blip\" src=\"blip\"/><sound name=\"Thrice\" src=\"blip\" loop=\"3\"/>"
         "<sound name=\"Long\" src=\"long\"/><sound name=\"Again\" src=\"long\"/>");
    Play("Blip");
    const Stereo once = Run(10);
    Play("Thrice");
    const Stereo thrice = Run(20);
    const double energyOnce = once.Rms(0) * once.Rms(0), energyThrice = thrice.Rms(0) * thrice.Rms(0) * 2;
    EXPECT_NEAR(energyThrice / energyOnce, 3.0, 0.05);
    EXPECT_EQ(audio->CountChannels(), 0);

    RefPtr<ISoundChannel> before = Play("Long");
    Run(1);
    RefPtr<IAudioControls> effects = RefPtr<IAudioControls>::Adopt(audio->GetCategoryControls(Label("Effect")));
    effects->Stop();
    RefPtr<ISoundChannel> after = Play("Again");
    Run(1);
    EXPECT_FALSE(before->IsPlaying());
    EXPECT_TRUE(after->IsPlaying()) << "started while the stop request stood";
    Run(1);
    EXPECT_TRUE(after->IsPlaying());
}

TEST_F(BASSAudioPlatformTest, PausesReachChannelsInTheUpdateAfterTheirNodeFires)
{
    Start();
    WriteFile("long.wav", EncodeTone({kRate, 1, 441.0, 5.0}, "wav"));
    Load("<sound name=\"Long\" src=\"long\"/>");
    RefPtr<ISoundChannel> channel = Play("Long");
    RefPtr<IAudioControls> effects = RefPtr<IAudioControls>::Adopt(audio->GetCategoryControls(Label("Effect")));
    effects->PauseAfter(1.0f);
    Run(50);
    EXPECT_TRUE(effects->IsPaused());
    EXPECT_EQ(BASS_ChannelIsActive(Pick("Long").channel), BASS_ACTIVE_PLAYING);
    Run(1);
    EXPECT_EQ(BASS_ChannelIsActive(Pick("Long").channel), BASS_ACTIVE_PAUSED);
    EXPECT_EQ(Run(1).Peak(), 0.0f);
    effects->Resume();
    EXPECT_GT(Run(2).Rms(0, kUpdateFrames), 0.1);

    // A sound asked to start paused waits for its resume.
    channel->Stop();
    SoundParams paused;
    paused.paused = true;
    clock.Advance(30);
    RefPtr<ISoundChannel> waiting = Play("Long", paused);
    Run(3);
    ASSERT_TRUE(waiting->IsPlaying());
    waiting->GetControls()->Resume();
    Run(1);
    EXPECT_EQ(BASS_ChannelIsActive(Pick("Long").channel), BASS_ACTIVE_PLAYING);
}

TEST_F(BASSAudioPlatformTest, OutputStartsPausedAndFollowsTheForeground)
{
    audio->Init();
    WriteFile("tone.wav", EncodeTone({kRate, 1, 441.0, 2.0}, "wav"));
    Load("<sound name=\"Tone\" src=\"tone\"/><soundlist name=\"Buttons\"><sound event=\"click\" src=\"Tone\"/></soundlist>");
    ResourceManager::Get<SoundList>("Buttons")->Play(Label("click"));
    EXPECT_EQ(Run(2).Peak(), 0.0f) << "paused until the window first comes to the foreground";
    audio->SetActive(true);
    EXPECT_GT(Run(2).Rms(0), 0.1);
    const unsigned long long calls = Compat::Audio::CountAudioLibraryCalls();
    audio->SetActive(true);
    EXPECT_EQ(Compat::Audio::CountAudioLibraryCalls(), calls) << "the same state again calls nothing";
    audio->SetActive(false);
    EXPECT_EQ(Run(2).Peak(), 0.0f);
    EXPECT_EQ(audio->GetName(), Label("BASS 2.3 Audio"));
}

class BASSAudioPlatformDevicesTest : public BASSAudioPlatformTest
{
protected:
    // Three devices; the default device and the ones not listed fail.
    static Compat::Audio::NullAudioMachine Machine(std::vector<int> opening)
    {
        Compat::Audio::NullAudioMachine machine;
        machine.devices = {"First", "Second", "Third"};
        machine.opens = [opening](int device) {
            return std::find(opening.begin(), opening.end(), device) != opening.end();
        };
        return machine;
    }
};

class FallbackToThirdDevice : public BASSAudioPlatformDevicesTest
{
protected:
    FallbackToThirdDevice() : BASSAudioPlatformDevicesTest() { Compat::Audio::UseNullAudioOutput(Machine({3})); }
};

TEST_F(FallbackToThirdDevice, InitTriesEachDeviceInTurn)
{
    Start();
    EXPECT_EQ(debug.Text(), "BASS Initialization failed on default device\n"
                            "BASS Initialization failed on device 1\n"
                            "BASS Initialization failed on device 2\n");
    WriteFile("tone.wav", EncodeTone({kRate, 1, 441.0, 1.0}, "wav"));
    Load("<sound name=\"Tone\" src=\"tone\"/>");
    Play("Tone");
    EXPECT_GT(Run(2).Rms(0), 0.1);
}

class NoDeviceOpens : public BASSAudioPlatformDevicesTest
{
protected:
    NoDeviceOpens() { Compat::Audio::UseNullAudioOutput(Machine({})); }
};

TEST_F(NoDeviceOpens, TheGameRunsSilentWithoutFurtherLibraryCalls)
{
    audio->Init();
    EXPECT_NE(debug.Text().find("failed on device 3\nBASS Initialization failed on all devices\n"), std::string::npos)
        << debug.Text();
    const unsigned long long calls = Compat::Audio::CountAudioLibraryCalls();
    WriteFile("tone.wav", EncodeTone({}, "wav"));
    Load("<sound name=\"Tone\" src=\"tone\"/><randomsound name=\"Any\"><sound src=\"tone\"/></randomsound>");
    ASSERT_NE(Sound("Tone"), nullptr) << "sounds exist as resources";
    EXPECT_EQ(Sound("Tone")->Data().GetFileCount(), 0) << "but load no data";
    audio->SetActive(true);
    RefPtr<ISoundChannel> channel = Play("Tone");
    EXPECT_FALSE(channel && channel->IsPlaying());
    RefPtr<IAudioControls>::Adopt(audio->GetMasterControls())->SetMuted(true);
    Run(3);
    audio->Shutdown();
    EXPECT_EQ(Compat::Audio::CountAudioLibraryCalls(), calls);
}
} // namespace
