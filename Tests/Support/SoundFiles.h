// Sound files made by the tests themselves: sine tones encoded by libsndfile (WAV, Ogg Vorbis,
// AIFF, MP3) and a small ProTracker module, and measures of mixed stereo output.
#pragma once

#include <string>
#include <vector>

namespace Corvane::Testing
{
struct Tone
{
    int rate = 44100;
    int channels = 1;
    double frequency = 441.0;
    double seconds = 0.5;
    // Peak amplitudes of the left (or only) and the right channel.
    float left = 0.5f;
    float right = 0.5f;
};

// The tone as the bytes of a file of format "wav", "ogg", "aif" or "mp3"; empty when libsndfile
// cannot write that format.
std::string EncodeTone(const Tone& tone, const std::string& format);

// A four-channel module that plays one square-wave note for rows rows of 0.12 s, then ends.
std::string MakeTrackerModule(int rows = 64);

// Stereo frames, 2 floats each.
struct Stereo
{
    std::vector<float> samples;

    int Frames() const { return static_cast<int>(samples.size() / 2); }
    // Root mean square of one channel (0 left, 1 right) over frames [from, to) (to -1: the end).
    double Rms(int channel, int from = 0, int to = -1) const;
    // Sign changes of one channel, a measure of the frequency.
    int ZeroCrossings(int channel, int from = 0, int to = -1) const;
    // Largest magnitude of either channel.
    float Peak() const;
};

// The null output's next frames.
Stereo MixFrames(int frames);
} // namespace Corvane::Testing
