#include "Platform/Compat/Audio/AudioOutputControl.h"
#include "Platform/Compat/Audio/Bass.h"
#include "Support/SoundFiles.h"

#include <gtest/gtest.h>

#include <list>
#include <thread>

using namespace Corvane::Testing;

namespace
{
constexpr int kRate = 44100;
// A 441 Hz sine changes sign 882 times a second.
constexpr int kCrossingsPerSecond = 882;
// The RMS of a sine of peak 0.5.
constexpr double kToneRms = 0.35355;

class BassTest : public testing::Test
{
protected:
    BassTest()
    {
        Compat::Audio::UseNullAudioOutput({});
        EXPECT_TRUE(BASS_Init(-1, kRate, 0, nullptr, nullptr));
    }
    ~BassTest() override
    {
        BASS_Free();
        Compat::Audio::UseSystemAudioOutput();
    }

    // A stream of bytes, which stay with the test until it ends.
    HSTREAM Stream(std::string bytes)
    {
        mFiles.push_back(std::move(bytes));
        return BASS_StreamCreateFile(TRUE, mFiles.back().data(), 0, mFiles.back().size(), 0);
    }
    // The bytes of the stream made last.
    std::string& LastStreamBytes() { return mFiles.back(); }
    HMUSIC Music(const std::string& bytes)
    {
        return BASS_MusicLoad(TRUE, bytes.data(), 0, static_cast<DWORD>(bytes.size()), 0, 0);
    }

private:
    std::list<std::string> mFiles;
};

TEST_F(BassTest, EachSampledFormatDecodesAndPlaysAtItsOwnRate)
{
    struct Case
    {
        const char* format;
        int rate;
        int channels;
        double tolerance; // lossy formats come back a little changed
    };
    const Case cases[] = {
        {"wav", 22050, 1, 0.01}, {"ogg", 44100, 2, 0.03}, {"aif", 11025, 1, 0.01}, {"mp3", 44100, 2, 0.05}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.format);
        const std::string file = EncodeTone({c.rate, c.channels, 441.0, 0.5, 0.5f, 0.5f}, c.format);
        if (file.empty())
        {
            std::printf("libsndfile cannot write %s here; not checked\n", c.format);
            continue;
        }
        const HSTREAM stream = Stream(file);
        ASSERT_NE(stream, 0u) << Compat::Audio::GetLastAudioErrorDetail();
        DWORD frequency = 0, volume = 0;
        int pan = 1;
        ASSERT_TRUE(BASS_ChannelGetAttributes(stream, &frequency, &volume, &pan));
        EXPECT_EQ(frequency, static_cast<DWORD>(c.rate));
        EXPECT_EQ(volume, 100u);
        EXPECT_EQ(pan, 0);
        EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
        ASSERT_TRUE(BASS_ChannelPlay(stream, TRUE));
        const Stereo mixed = MixFrames(kRate / 5);
        // Skip the encoders' start-up, then one 0.1 s stretch.
        EXPECT_NEAR(mixed.Rms(0, 4410, 8820), kToneRms, kToneRms * c.tolerance * 3);
        EXPECT_NEAR(mixed.Rms(1, 4410, 8820), kToneRms, kToneRms * c.tolerance * 3);
        EXPECT_NEAR(mixed.ZeroCrossings(0, 4410, 8820), kCrossingsPerSecond / 10, 2);
        EXPECT_TRUE(BASS_StreamFree(stream));
    }
}

TEST_F(BassTest, DamagedTruncatedAndUnknownFilesAreRefusedWithAReasonAndTheNextStillPlays)
{
    const std::string wav = EncodeTone({}, "wav");
    const std::string ogg = EncodeTone({}, "ogg");
    const std::string module = MakeTrackerModule();
    struct Case
    {
        const char* name;
        std::string bytes;
        bool music;
        const char* reason;
    };
    const Case cases[] = {
        {"cut WAV", wav.substr(0, wav.size() / 2), false, "truncated"},
        {"cut Ogg", ogg.substr(0, ogg.size() / 2), false, "not a sound file"},
        {"text called a sound", "this is not a sound at all, just some words", false, "not a sound file"},
        {"empty file", "", false, "empty"},
        {"WAV header only", wav.substr(0, 44), false, "truncated"},
        {"cut module", module.substr(0, module.size() - 100), true, "truncated"},
        {"noise called a module", std::string(3000, '\x5a'), true, "not a module"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const DWORD handle = c.music ? Music(c.bytes) : Stream(c.bytes);
        EXPECT_EQ(handle, 0u);
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
        EXPECT_NE(Compat::Audio::GetLastAudioErrorDetail().find(c.reason), std::string::npos)
            << Compat::Audio::GetLastAudioErrorDetail();
    }
    const HSTREAM next = Stream(wav);
    ASSERT_NE(next, 0u);
    EXPECT_TRUE(Compat::Audio::GetLastAudioErrorDetail().empty());
    ASSERT_TRUE(BASS_ChannelPlay(next, TRUE));
    EXPECT_NEAR(MixFrames(4410).Rms(0), kToneRms, 0.01);
}

// A stream reads its file as it plays, not when it is made: what its bytes hold when they are
// played is what is heard.
TEST_F(BassTest, AStreamDecodesItsBytesWhileItPlays)
{
    const HSTREAM stream = Stream(EncodeTone({kRate, 1, 441.0, 0.5, 0.5f, 0.5f}, "wav"));
    ASSERT_NE(stream, 0u);
    std::string& bytes = LastStreamBytes();
    const std::size_t data = bytes.find("data");
    ASSERT_NE(data, std::string::npos);
    const std::size_t samples = data + 8;
    // The second half of the samples falls silent after the stream was made.
    std::fill(bytes.begin() + std::ptrdiff_t(samples + (bytes.size() - samples) / 2), bytes.end(), '\0');
    ASSERT_TRUE(BASS_ChannelPlay(stream, TRUE));
    const Stereo mixed = MixFrames(kRate / 2);
    EXPECT_NEAR(mixed.Rms(0, 0, kRate / 5), kToneRms, 0.01);
    EXPECT_EQ(mixed.Rms(0, kRate * 3 / 10, kRate * 45 / 100), 0.0);
}

TEST_F(BassTest, FrequencyVolumeAndPanShapeTheMixedSamples)
{
    struct Case
    {
        int frequency, volume, pan;
        double left, right;   // expected RMS
        double crossingsFactor; // against the tone's own
    };
    const Case cases[] = {
        {0, 100, 0, kToneRms, kToneRms, 1.0},           // 0: the file's own rate
        {88200, 100, 0, kToneRms, kToneRms, 2.0},       // twice the rate: an octave up
        {22050, 50, 0, kToneRms / 2, kToneRms / 2, 0.5}, // half the rate, half the volume
        {44100, 100, 50, kToneRms / 2, kToneRms, 1.0},  // half right: the left side drops to half
        {44100, 100, -100, kToneRms, 0.0, 1.0},         // full left
        {33075, 0, 0, 0.0, 0.0, 0.75},                  // silent, still playing
    };
    const HSTREAM stream = Stream(EncodeTone({kRate, 1, 441.0, 2.0, 0.5f, 0.5f}, "wav"));
    ASSERT_NE(stream, 0u);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.frequency << " Hz, volume " << c.volume << ", pan " << c.pan);
        ASSERT_TRUE(BASS_ChannelSetAttributes(stream, c.frequency, c.volume, c.pan));
        ASSERT_TRUE(BASS_ChannelPlay(stream, TRUE));
        const Stereo mixed = MixFrames(kRate / 10);
        EXPECT_NEAR(mixed.Rms(0), c.left, 0.005);
        EXPECT_NEAR(mixed.Rms(1), c.right, 0.005);
        if (c.volume > 0)
        {
            EXPECT_NEAR(mixed.ZeroCrossings(c.pan < 0 ? 0 : 1), kCrossingsPerSecond / 10 * c.crossingsFactor, 2);
        }
        EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
    }
    // Out-of-range values are limited; the keep values change nothing.
    ASSERT_TRUE(BASS_ChannelSetAttributes(stream, 2000000000, 500, -300));
    ASSERT_TRUE(BASS_ChannelSetAttributes(stream, BASS_ATTRIBUTE_KEEP, BASS_ATTRIBUTE_KEEP, BASS_ATTRIBUTE_KEEP_PAN));
    DWORD frequency = 0, volume = 0;
    int pan = 0;
    ASSERT_TRUE(BASS_ChannelGetAttributes(stream, &frequency, &volume, &pan));
    EXPECT_EQ(frequency, 1000000u);
    EXPECT_EQ(volume, 100u);
    EXPECT_EQ(pan, -100);
}

TEST_F(BassTest, AModulePlaysAtItsRateAndStopsAtTheSongsEnd)
{
    const HMUSIC music = Music(MakeTrackerModule(4));
    ASSERT_NE(music, 0u) << Compat::Audio::GetLastAudioErrorDetail();
    DWORD frequency = 0;
    ASSERT_TRUE(BASS_ChannelGetAttributes(music, &frequency, nullptr, nullptr));
    EXPECT_EQ(frequency, static_cast<DWORD>(kRate));
    ASSERT_TRUE(BASS_ChannelPlay(music, TRUE));
    const Stereo natural = MixFrames(kRate / 10);
    EXPECT_GT(natural.Rms(0), 0.05);
    ASSERT_TRUE(BASS_ChannelSetAttributes(music, 2 * kRate, BASS_ATTRIBUTE_KEEP, BASS_ATTRIBUTE_KEEP_PAN));
    ASSERT_TRUE(BASS_ChannelPlay(music, TRUE));
    const Stereo doubled = MixFrames(kRate / 10);
    EXPECT_NEAR(doubled.ZeroCrossings(0), 2 * natural.ZeroCrossings(0), 4);
    // Four rows of 0.12 s at twice the speed end within the next half second.
    MixFrames(kRate / 2);
    EXPECT_EQ(BASS_ChannelIsActive(music), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(MixFrames(1000).Peak(), 0.0f);
    EXPECT_TRUE(BASS_MusicFree(music));
    EXPECT_FALSE(BASS_StreamFree(music)) << "a music is not a stream";
}

TEST_F(BassTest, ChannelsPauseResumeStopAndEndWhileTheOutputHoldsItsPlace)
{
    const HSTREAM stream = Stream(EncodeTone({kRate, 1, 441.0, 0.1, 0.5f, 0.5f}, "wav"));
    ASSERT_NE(stream, 0u);
    EXPECT_FALSE(BASS_ChannelPause(stream));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOPLAY);
    ASSERT_TRUE(BASS_ChannelPlay(stream, TRUE));
    EXPECT_GT(MixFrames(kRate / 40).Rms(0), 0.3);
    ASSERT_TRUE(BASS_ChannelPause(stream));
    EXPECT_TRUE(BASS_ChannelPause(stream)) << "pausing again is no error";
    EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_PAUSED);
    EXPECT_EQ(MixFrames(kRate / 10).Peak(), 0.0f);
    // The whole output paused: silent, and the stream does not move on.
    ASSERT_TRUE(BASS_ChannelPlay(stream, FALSE));
    ASSERT_TRUE(BASS_Pause());
    EXPECT_EQ(MixFrames(kRate).Peak(), 0.0f);
    EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
    ASSERT_TRUE(BASS_Start());
    // 25 ms were played; 75 ms are left.
    const Stereo rest = MixFrames(kRate / 10);
    EXPECT_GT(rest.Rms(0, 0, kRate * 7 / 100), 0.3);
    EXPECT_EQ(rest.Rms(0, kRate * 8 / 100), 0.0);
    EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    // Resuming a stream at its end plays nothing; a restart plays it again.
    ASSERT_TRUE(BASS_ChannelPlay(stream, FALSE));
    EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    ASSERT_TRUE(BASS_ChannelPlay(stream, TRUE));
    EXPECT_GT(MixFrames(441).Rms(0), 0.3);
    ASSERT_TRUE(BASS_ChannelStop(stream));
    EXPECT_EQ(MixFrames(441).Peak(), 0.0f);
    ASSERT_TRUE(BASS_StreamFree(stream));
    EXPECT_FALSE(BASS_ChannelPlay(stream, TRUE));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
}

TEST_F(BassTest, LoudVoicesAreClippedToFullScale)
{
    const std::string loud = EncodeTone({kRate, 1, 441.0, 0.5, 0.9f, 0.9f}, "wav");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(BASS_ChannelPlay(Stream(loud), TRUE));
    EXPECT_FLOAT_EQ(MixFrames(kRate / 10).Peak(), 1.0f);
}

TEST(BassLibraryTest, OpensOnceAndRefusesWorkWhenClosed)
{
    Compat::Audio::UseNullAudioOutput({});
    const std::string wav = EncodeTone({}, "wav");
    EXPECT_EQ(BASS_StreamCreateFile(TRUE, wav.data(), 0, wav.size(), 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    EXPECT_FALSE(BASS_Free());
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    EXPECT_FALSE(BASS_Init(4, kRate, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
    ASSERT_TRUE(BASS_Init(1, kRate, 0, nullptr, nullptr));
    EXPECT_FALSE(BASS_Init(-1, kRate, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ALREADY);
    const HSTREAM stream = BASS_StreamCreateFile(TRUE, wav.data(), 0, wav.size(), 0);
    ASSERT_NE(stream, 0u);
    ASSERT_TRUE(BASS_Free());
    // Freeing the library freed its streams.
    EXPECT_FALSE(BASS_StreamFree(stream));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    EXPECT_STREQ(BASS_GetDeviceDescription(0), "No sound");
    EXPECT_STREQ(BASS_GetDeviceDescription(1), "Null output");
    EXPECT_EQ(BASS_GetDeviceDescription(2), nullptr);
    Compat::Audio::UseSystemAudioOutput();
}
} // namespace

namespace
{
TEST(BassDeviceTest, SDLsAudioThreadMixesWhileSoundsComeAndGoOnOtherThreads)
{
    // SDL's dummy driver runs a real audio thread that pulls the mix.
    Compat::Audio::UseSystemAudioOutput();
    ASSERT_TRUE(BASS_Init(-1, kRate, 0, nullptr, nullptr)) << Compat::Audio::GetLastAudioErrorDetail();
    const std::string wav = EncodeTone({kRate, 2, 441.0, 0.05, 0.5f, 0.5f}, "wav");
    const std::string module = MakeTrackerModule(2);
    std::thread loader([&] {
        for (int i = 0; i < 100; ++i)
        {
            const HMUSIC music = BASS_MusicLoad(TRUE, module.data(), 0, static_cast<DWORD>(module.size()), 0, 0);
            EXPECT_TRUE(BASS_ChannelPlay(music, TRUE));
            EXPECT_TRUE(BASS_MusicFree(music));
        }
    });
    for (int i = 0; i < 100; ++i)
    {
        const HSTREAM stream = BASS_StreamCreateFile(TRUE, wav.data(), 0, wav.size(), 0);
        ASSERT_NE(stream, 0u);
        EXPECT_TRUE(BASS_ChannelPlay(stream, TRUE));
        EXPECT_TRUE(BASS_ChannelSetAttributes(stream, kRate + i * 100, i, i - 50));
        if (i % 10 == 0)
        {
            EXPECT_TRUE(i % 20 ? BASS_Pause() : BASS_Start());
        }
        EXPECT_TRUE(BASS_StreamFree(stream));
    }
    loader.join();
    EXPECT_TRUE(BASS_Free());
}
} // namespace
