#include "Platform/Compat/Audio/SampledSound.h"

#include "Platform/Compat/Audio/Bass.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace Compat::Audio
{
namespace
{
// The bytes of a file in memory, read through libsndfile's virtual I/O.
struct MemoryFile
{
    const unsigned char* bytes;
    sf_count_t size;
    sf_count_t position = 0;
};

sf_count_t GetLength(void* user)
{
    return static_cast<MemoryFile*>(user)->size;
}

sf_count_t Seek(sf_count_t offset, int whence, void* user)
{
    auto* file = static_cast<MemoryFile*>(user);
    const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? file->position : file->size;
    const sf_count_t target = base + offset;
    if (target < 0 || target > file->size)
        return -1;
    file->position = target;
    return target;
}

sf_count_t Read(void* destination, sf_count_t count, void* user)
{
    auto* file = static_cast<MemoryFile*>(user);
    const sf_count_t available = std::clamp<sf_count_t>(file->size - file->position, 0, count);
    std::memcpy(destination, file->bytes + file->position, static_cast<std::size_t>(available));
    file->position += available;
    return available;
}

sf_count_t Write(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t Tell(void* user)
{
    return static_cast<MemoryFile*>(user)->position;
}

std::uint32_t ReadLittleEndian32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint32_t ReadBigEndian32(const unsigned char* p)
{
    return (static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// WAV and AIFF files declare their length in their first chunk; libsndfile plays what is there of
// a cut file without complaint, so the check is made here.
bool IsContainerCut(const unsigned char* bytes, std::size_t size)
{
    if (size < 8)
        return false;
    std::uint64_t declared = 0;
    if (std::memcmp(bytes, "RIFF", 4) == 0)
        declared = ReadLittleEndian32(bytes + 4);
    else if (std::memcmp(bytes, "FORM", 4) == 0)
        declared = ReadBigEndian32(bytes + 4);
    else
        return false;
    return declared + 8 > size;
}

// MP3 frame counts are estimates; the other formats know theirs exactly.
bool IsShortOfDeclared(const SF_INFO& info, std::int64_t decoded)
{
    if (info.frames <= 0 || info.frames == SF_COUNT_MAX)
        return false;
    if ((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG)
        return decoded < info.frames - info.frames / 20;
    return decoded < info.frames;
}

int Fail(std::string& problem, const std::string& why, int code = BASS_ERROR_FILEFORM)
{
    problem = why;
    return code;
}

int DecodeOpened(SNDFILE* file, const SF_INFO& info, SampledSound& sound, std::string& problem)
{
    if (info.channels < 1 || info.samplerate <= 0)
        return Fail(problem, "the file declares no channels or no sample rate");
    sound.sampleRate = info.samplerate;
    sound.channels = std::min(info.channels, 2);
    constexpr sf_count_t kChunkFrames = 4096;
    // Read as floats and limited here: lossy formats may overshoot full scale, which libsndfile's
    // own conversion to 16 bits would wrap around (or, asked to scale, normalise).
    std::vector<float> chunk(static_cast<std::size_t>(kChunkFrames * info.channels));
    // A damaged header may declare any length: trust it only for a reasonable reservation.
    constexpr sf_count_t kMostReservedFrames = sf_count_t{1} << 24;
    if (info.frames > 0)
        sound.samples.reserve(static_cast<std::size_t>((std::min(info.frames, kMostReservedFrames) + 1) * sound.channels));
    std::int64_t decoded = 0;
    for (;;)
    {
        const sf_count_t got = sf_readf_float(file, chunk.data(), kChunkFrames);
        if (got <= 0)
            break;
        // A file of more than two channels keeps its first two.
        for (sf_count_t frame = 0; frame < got; ++frame)
            for (int channel = 0; channel < sound.channels; ++channel)
            {
                const float value = chunk[static_cast<std::size_t>(frame * info.channels + channel)];
                const float limited = std::isnan(value) ? 0.0f : std::clamp(value, -1.0f, 1.0f);
                sound.samples.push_back(static_cast<std::int16_t>(std::lrint(limited * 32767.0f)));
            }
        decoded += got;
    }
    if (sf_error(file) != SF_ERR_NO_ERROR)
        return Fail(problem, std::string("damaged: ") + sf_strerror(file));
    if (decoded == 0)
        return Fail(problem, "the file holds no sound");
    if (IsShortOfDeclared(info, decoded))
        return Fail(problem, "truncated: " + std::to_string(decoded) + " of " + std::to_string(info.frames) +
                                 " frames are there");
    sound.frames = decoded;
    sound.samples.resize(sound.samples.size() + static_cast<std::size_t>(sound.channels), 0);
    return BASS_OK;
}
} // namespace

int DecodeSampledSound(const void* bytes, std::size_t size, SampledSound& sound, std::string& problem)
{
    sound = SampledSound();
    problem.clear();
    const auto* data = static_cast<const unsigned char*>(bytes);
    if (!data || size == 0)
        return Fail(problem, "the file is empty");
    if (IsContainerCut(data, size))
        return Fail(problem, "truncated: the file is shorter than its header declares");
    MemoryFile memory{data, static_cast<sf_count_t>(size)};
    SF_VIRTUAL_IO io{&GetLength, &Seek, &Read, &Write, &Tell};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &memory);
    if (!file)
        return Fail(problem, std::string("not a sound file this program can read: ") + sf_strerror(nullptr));
    int result = BASS_OK;
    try
    {
        result = DecodeOpened(file, info, sound, problem);
    }
    catch (const std::bad_alloc&)
    {
        result = Fail(problem, "the decoded sound does not fit in memory", BASS_ERROR_MEM);
    }
    sf_close(file);
    if (result != BASS_OK)
        sound = SampledSound();
    return result;
}
} // namespace Compat::Audio
