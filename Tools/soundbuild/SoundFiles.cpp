#include "SoundFiles.h"

#include "Synth.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace Corvane::SoundBuild
{
namespace
{
// Below this a sample counts as silence when a voice cue is trimmed.
constexpr float kSilence = 0.02f;
// Kept before and after the words, so the first consonant is not cut.
constexpr double kVoicePad = 0.02;

struct FileCloser
{
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, FileCloser>;
} // namespace

Samples ReadSamples(const std::string& path)
{
    SF_INFO info{};
    SoundFile file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
        throw std::runtime_error(path + ": " + sf_strerror(nullptr));
    if (info.channels < 1 || info.frames < 0)
        throw std::runtime_error(path + ": holds no sound");
    std::vector<float> interleaved(std::size_t(info.frames) * info.channels);
    const sf_count_t read = sf_readf_float(file.get(), interleaved.data(), info.frames);
    Samples samples;
    samples.rate = info.samplerate;
    samples.mono.resize(std::size_t(std::max<sf_count_t>(read, 0)));
    for (std::size_t i = 0; i < samples.mono.size(); ++i)
    {
        float sum = 0.0f;
        for (int c = 0; c < info.channels; ++c)
            sum += interleaved[i * info.channels + c];
        samples.mono[i] = sum / float(info.channels);
    }
    return samples;
}

void WriteOgg(const Samples& samples, const std::string& path, double quality)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder);
    SF_INFO info{};
    info.samplerate = samples.rate;
    info.channels = 1;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    SoundFile file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file)
        throw std::runtime_error(path + ": cannot be written: " + sf_strerror(nullptr));
    double level = std::clamp(quality, 0.0, 1.0);
    sf_command(file.get(), SFC_SET_VBR_ENCODING_QUALITY, &level, sizeof level);
    const sf_count_t count = static_cast<sf_count_t>(samples.mono.size());
    if (sf_writef_float(file.get(), samples.mono.data(), count) != count)
        throw std::runtime_error(path + ": cannot be written: " + sf_strerror(file.get()));
}

Samples PrepareVoice(const Samples& spoken)
{
    const auto loud = [](float v) { return std::fabs(v) >= kSilence; };
    const auto first = std::find_if(spoken.mono.begin(), spoken.mono.end(), loud);
    if (first == spoken.mono.end())
        throw std::runtime_error("the voice is silent");
    const auto last = std::find_if(spoken.mono.rbegin(), spoken.mono.rend(), loud).base();
    const std::ptrdiff_t pad = std::ptrdiff_t(kVoicePad * spoken.rate);
    const auto begin = first - std::min(pad, first - spoken.mono.begin());
    const auto end = last + std::min(pad, spoken.mono.end() - last);

    Samples voice;
    voice.rate = spoken.rate;
    voice.mono.assign(begin, end);
    float peak = 0.0f;
    for (float v : voice.mono)
        peak = std::max(peak, std::fabs(v));
    for (float& v : voice.mono)
        v *= kPeak / peak;
    return voice;
}
} // namespace Corvane::SoundBuild
