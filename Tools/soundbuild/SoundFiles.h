// Sound files through libsndfile: the OGG Vorbis files the game plays, and the WAV files that
// espeak-ng speaks the voice cues into.
#pragma once

#include <string>
#include <vector>

namespace Corvane::SoundBuild
{
struct Samples
{
    int rate = 0;
    std::vector<float> mono; // -1 to 1
};

// Any file libsndfile reads, mixed down to mono. Throws std::runtime_error naming the file.
Samples ReadSamples(const std::string& path);
// Writes mono OGG Vorbis (quality 0 to 1), creating the folder. Throws std::runtime_error.
void WriteOgg(const Samples& samples, const std::string& path, double quality);

// A spoken line as a cue: the silence before and after it cut to a few milliseconds, and its
// peak brought to a common level, so every voice cue starts at once and sounds equally loud.
Samples PrepareVoice(const Samples& spoken);
} // namespace Corvane::SoundBuild
