// soundbuild: scores read with clear errors, notes played at their pitch and length, loops that
// join without a gap, and files that come back out of OGG Vorbis as they went in.
#include "Score.h"
#include "SoundFiles.h"
#include "Support/TempFolder.h"
#include "Synth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <stdexcept>
#include <string>

using namespace Corvane::SoundBuild;
using Corvane::Testing::TempFolder;

namespace
{
// A sine score of the given notes at 60 beats a minute (one beat, one second).
Score SineScore(const std::string& notes, bool loop = false)
{
    return ParseScore(std::string(loop ? "loop\n" : "") +
                          "tempo 60\nrate 8000\ninstrument s wave=sine attack=0 decay=0 sustain=1 release=0.01\n"
                          "part s\n" +
                          notes + "\n",
                      "test.score");
}

// Upward zero crossings per second over [from, to) seconds: the pitch of a plain tone.
double Pitch(const std::vector<float>& samples, int rate, double from, double to)
{
    int crossings = 0;
    for (std::size_t i = std::size_t(from * rate) + 1; i < std::size_t(to * rate); ++i)
        crossings += samples[i - 1] < 0.0f && samples[i] >= 0.0f;
    return crossings / (to - from);
}

float Peak(const std::vector<float>& samples, std::size_t from, std::size_t to)
{
    float peak = 0.0f;
    for (std::size_t i = from; i < to && i < samples.size(); ++i)
        peak = std::max(peak, std::fabs(samples[i]));
    return peak;
}
} // namespace

TEST(SoundBuild, NoteNamesGiveTheirFrequencies)
{
    struct Case
    {
        const char* name;
        double frequency; // 0: not a note
    };
    const Case cases[] = {{"A4", 440.0}, {"C4", 261.626}, {"C#5", 554.365}, {"Bb3", 233.082}, {"A0", 27.5},
                          {"H4", 0},     {"C", 0},        {"C9", 0},        {"c4", 0},        {"C#", 0}};
    for (const Case& test : cases)
    {
        double frequency = 0.0;
        EXPECT_EQ(NoteFrequency(test.name, frequency), test.frequency > 0) << test.name;
        if (test.frequency > 0)
        {
            EXPECT_NEAR(frequency, test.frequency, 0.01) << test.name;
        }
    }
}

TEST(SoundBuild, ScoreFaultsAreReportedWithTheirFileAndLine)
{
    struct Case
    {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"instrument a wave=sine\npart b\n", "test.score(2): part of unknown instrument 'b'"},
        {"instrument a wave=organ\n", "test.score(1): unknown wave 'organ'"},
        {"instrument a attack=fast\n", "test.score(1): 'fast' is not a number from 0 to 30"},
        {"instrument a\ninstrument a\n", "test.score(2): instrument 'a' is defined twice"},
        {"instrument a\npart a\nC4/1 X4/1\n", "test.score(3): 'X4' is not a note"},
        {"instrument a\npart a\nC4\n", "test.score(3): 'C4' has no length"},
        {"instrument a\npart a\n(C4/1\n", "test.score(3): a '(' of part 'a' is never closed"},
        {"instrument a\npart a\nC4/1)x2\n", "test.score(3): ')' without '('"},
        {"C4/1\n", "test.score(1): 'C4/1' is not a keyword"},
        {"tempo 120\n", "test.score(1): the score has no part"},
        {"instrument a vibrato=5\n", "test.score(1): vibrato is a rate and a depth"},
    };
    for (const Case& test : cases)
    {
        try
        {
            ParseScore(test.text, "test.score");
            ADD_FAILURE() << "accepted: " << test.text;
        }
        catch (const std::runtime_error& error)
        {
            EXPECT_EQ(std::string(error.what()).rfind(test.message, 0), 0u) << error.what();
        }
    }
}

TEST(SoundBuild, NotesPlayAtTheirPitchForTheirLengthAndRepeatsRepeat)
{
    const Score score = SineScore("# a comment line\nA4/1 r/0.5 | A5/0.5 # and one after the notes");
    const std::vector<float> samples = Render(score);
    const int rate = score.rate;
    // 2 beats of a second each, and the last note's release.
    EXPECT_NEAR(double(samples.size()) / rate, 2.01, 0.002);
    EXPECT_NEAR(Pitch(samples, rate, 0.1, 0.9), 440.0, 3.0);
    EXPECT_LT(Peak(samples, std::size_t(1.05 * rate), std::size_t(1.45 * rate)), 1e-6f); // the rest
    EXPECT_NEAR(Pitch(samples, rate, 1.55, 1.95), 880.0, 6.0);
    EXPECT_LE(Peak(samples, 0, samples.size()), kPeak + 1e-6f);

    EXPECT_EQ(Render(SineScore("(C4/0.25 E4/0.25)x3")),
              Render(SineScore("C4/0.25 E4/0.25 C4/0.25 E4/0.25 C4/0.25 E4/0.25")));
    // A chord sounds no louder than its notes alone would clip to.
    EXPECT_LE(Peak(Render(SineScore("C4+E4+G4+C5/1")), 0, 8000), kPeak + 1e-6f);
}

TEST(SoundBuild, ALoopLastsExactlyItsBarsAndItsTailComesBackAtTheStart)
{
    const Score loop = SineScore("r/1.5 A4/0.5", true);
    const std::vector<float> samples = Render(loop);
    ASSERT_EQ(samples.size(), 16000u);
    // The release of the last note rings on past the end: it sounds at the loop's start.
    EXPECT_GT(Peak(samples, 0, 40), 0.01f);
    EXPECT_LT(Peak(samples, 200, 11900), 1e-6f);

    // Noise is the same on every run, so a data build is the same on every machine.
    const Score noise = ParseScore(
        "instrument n wave=noise lowpass=2000 attack=0 decay=0.1 sustain=0\npart n\nC4/0.2\n", "noise.score");
    EXPECT_EQ(Render(noise), Render(noise));
}

TEST(SoundBuild, OggVorbisFilesComeBackWithTheirRateAndLength)
{
    TempFolder folder;
    const Score score = SineScore("A4/0.5");
    const Samples written{score.rate, Render(score)};
    const std::string path = (folder.Path() / "sub" / "tone.ogg").string();
    WriteOgg(written, path, 0.4);

    const Samples read = ReadSamples(path);
    EXPECT_EQ(read.rate, 8000);
    ASSERT_EQ(read.mono.size(), written.mono.size());
    EXPECT_NEAR(Pitch(read.mono, read.rate, 0.05, 0.45), 440.0, 5.0);
    EXPECT_THROW(ReadSamples((folder.Path() / "none.ogg").string()), std::runtime_error);
}

TEST(SoundBuild, AVoiceCueStartsAtItsFirstWordAndSpeaksAtTheCommonLevel)
{
    Samples spoken;
    spoken.rate = 1000;
    spoken.mono.assign(500, 0.0f); // half a second of silence
    for (int i = 0; i < 300; ++i)
        spoken.mono.push_back(0.3f * std::sin(i * 0.5f));
    spoken.mono.resize(spoken.mono.size() + 400, 0.001f); // hiss below the threshold

    const Samples cue = PrepareVoice(spoken);
    // 300 samples of words and 20 ms (20 samples) kept on either side.
    EXPECT_NEAR(double(cue.mono.size()), 340.0, 2.0);
    EXPECT_NEAR(Peak(cue.mono, 0, cue.mono.size()), kPeak, 1e-5);
    EXPECT_LT(std::fabs(cue.mono[0]), 0.01f);

    Samples silent{1000, std::vector<float>(100, 0.0f)};
    EXPECT_THROW(PrepareVoice(silent), std::runtime_error);
}
