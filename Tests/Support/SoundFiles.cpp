#include "Support/SoundFiles.h"

#include "Platform/Compat/Audio/AudioOutputControl.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace Corvane::Testing
{
namespace
{
// A growing file in memory for libsndfile's virtual I/O.
struct MemoryFile
{
    std::string bytes;
    sf_count_t position = 0;
};

sf_count_t Length(void* user)
{
    return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes.size());
}

sf_count_t Seek(sf_count_t offset, int whence, void* user)
{
    auto* file = static_cast<MemoryFile*>(user);
    const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? file->position : Length(user);
    file->position = std::max<sf_count_t>(0, base + offset);
    return file->position;
}

sf_count_t Read(void* destination, sf_count_t count, void* user)
{
    auto* file = static_cast<MemoryFile*>(user);
    const sf_count_t available = std::clamp<sf_count_t>(Length(user) - file->position, 0, count);
    std::memcpy(destination, file->bytes.data() + file->position, static_cast<std::size_t>(available));
    file->position += available;
    return available;
}

sf_count_t Write(const void* source, sf_count_t count, void* user)
{
    auto* file = static_cast<MemoryFile*>(user);
    const std::size_t end = static_cast<std::size_t>(file->position + count);
    if (file->bytes.size() < end)
        file->bytes.resize(end);
    std::memcpy(file->bytes.data() + file->position, source, static_cast<std::size_t>(count));
    file->position += count;
    return count;
}

sf_count_t Tell(void* user)
{
    return static_cast<MemoryFile*>(user)->position;
}

int FormatOf(const std::string& format)
{
    if (format == "wav")
        return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    if (format == "ogg")
        return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    if (format == "aif")
        return SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
    if (format == "mp3")
        return SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    return 0;
}

void PutBigEndian16(std::string& bytes, std::size_t at, int value)
{
    bytes[at] = static_cast<char>((value >> 8) & 0xFF);
    bytes[at + 1] = static_cast<char>(value & 0xFF);
}

int End(const Stereo& sound, int to)
{
    return to < 0 ? sound.Frames() : std::min(to, sound.Frames());
}
} // namespace

std::string EncodeTone(const Tone& tone, const std::string& format)
{
    MemoryFile memory;
    SF_VIRTUAL_IO io{&Length, &Seek, &Read, &Write, &Tell};
    SF_INFO info{};
    info.samplerate = tone.rate;
    info.channels = tone.channels;
    info.format = FormatOf(format);
    SNDFILE* file = sf_open_virtual(&io, SFM_WRITE, &info, &memory);
    if (!file)
        return {};
    const auto frames = static_cast<sf_count_t>(tone.seconds * tone.rate);
    std::vector<float> samples(static_cast<std::size_t>(frames * tone.channels));
    for (sf_count_t frame = 0; frame < frames; ++frame)
    {
        const double wave = std::sin(2.0 * M_PI * tone.frequency * static_cast<double>(frame) / tone.rate);
        for (int channel = 0; channel < tone.channels; ++channel)
            samples[static_cast<std::size_t>(frame * tone.channels + channel)] =
                static_cast<float>(wave * (channel == 0 ? tone.left : tone.right));
    }
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
    return memory.bytes;
}

std::string MakeTrackerModule(int rows)
{
    constexpr int kChannels = 4;
    constexpr int kSampleWords = 64;
    std::string module(1084 + 64 * kChannels * 4 + 2 * kSampleWords, '\0');
    module.replace(0, 4, "test");
    // Sample 1: a looped square wave at full volume.
    module.replace(20, 6, "square");
    PutBigEndian16(module, 20 + 22, kSampleWords);
    module[20 + 25] = 64;
    PutBigEndian16(module, 20 + 26, 0);
    PutBigEndian16(module, 20 + 28, kSampleWords);
    for (int sample = 1; sample < 31; ++sample)
        PutBigEndian16(module, 20 + sample * 30 + 28, 1);
    module[950] = 1;   // one order
    module[951] = 127; // restart position, unused
    module.replace(1080, 4, "M.K.");
    // Row 0, channel 0: sample 1 at period 428 (C-3); the last row breaks to the end of the song.
    constexpr int kPeriod = 428;
    module[1084] = static_cast<char>(kPeriod >> 8);
    module[1085] = static_cast<char>(kPeriod & 0xFF);
    module[1086] = 0x10;
    if (rows < 64)
        module[1084 + (rows - 1) * kChannels * 4 + 2] = static_cast<char>(module[1084 + (rows - 1) * kChannels * 4 + 2] | 0x0D);
    for (int i = 0; i < 2 * kSampleWords; ++i)
        module[static_cast<std::size_t>(1084 + 64 * kChannels * 4 + i)] = static_cast<char>(i < kSampleWords ? 100 : -100);
    return module;
}

double Stereo::Rms(int channel, int from, int to) const
{
    const int end = End(*this, to);
    double sum = 0.0;
    for (int frame = from; frame < end; ++frame)
        sum += samples[static_cast<std::size_t>(2 * frame + channel)] * samples[static_cast<std::size_t>(2 * frame + channel)];
    return end > from ? std::sqrt(sum / (end - from)) : 0.0;
}

int Stereo::ZeroCrossings(int channel, int from, int to) const
{
    const int end = End(*this, to);
    int crossings = 0;
    for (int frame = from + 1; frame < end; ++frame)
    {
        const float before = samples[static_cast<std::size_t>(2 * (frame - 1) + channel)];
        const float now = samples[static_cast<std::size_t>(2 * frame + channel)];
        if ((before < 0.0f) != (now < 0.0f))
            ++crossings;
    }
    return crossings;
}

float Stereo::Peak() const
{
    float peak = 0.0f;
    for (float sample : samples)
        peak = std::max(peak, std::fabs(sample));
    return peak;
}

Stereo MixFrames(int frames)
{
    Stereo mixed;
    mixed.samples.resize(static_cast<std::size_t>(2 * frames));
    Compat::Audio::MixNullAudioOutput(mixed.samples.data(), frames);
    return mixed;
}
} // namespace Corvane::Testing
