#include "Platform/Compat/Audio/SampledStream.h"

#include "Platform/Compat/Audio/Bass.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
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

int Fail(std::string& problem, const std::string& why, int code = BASS_ERROR_FILEFORM)
{
    problem = why;
    return code;
}

// Frames decoded at a time into the scratch buffer.
constexpr std::size_t kScratchFrames = 512;
} // namespace

struct SampledStream::File
{
    MemoryFile memory{};
    SF_VIRTUAL_IO io{&GetLength, &Seek, &Read, &Write, &Tell};
    SF_INFO info{};
    SNDFILE* handle = nullptr;
    std::unique_ptr<float[]> scratch; // kScratchFrames frames of the file's channels
    bool damaged = false;             // decoding failed: nothing more is played until a rewind

    ~File()
    {
        if (handle)
            sf_close(handle);
    }
};

SampledStream::SampledStream(std::unique_ptr<File> file) : mFile(std::move(file)) {}

SampledStream::~SampledStream() = default;

int SampledStream::GetSampleRate() const
{
    return mFile->info.samplerate;
}

std::unique_ptr<SampledStream> SampledStream::Open(const void* bytes, std::size_t size, int& code, std::string& problem)
{
    problem.clear();
    code = BASS_OK;
    const auto* data = static_cast<const unsigned char*>(bytes);
    if (!data || size == 0)
        return code = Fail(problem, "the file is empty"), nullptr;
    if (IsContainerCut(data, size))
        return code = Fail(problem, "truncated: the file is shorter than its header declares"), nullptr;
    try
    {
        auto file = std::make_unique<File>();
        file->memory = MemoryFile{data, static_cast<sf_count_t>(size)};
        file->handle = sf_open_virtual(&file->io, SFM_READ, &file->info, &file->memory);
        if (!file->handle)
            return code = Fail(problem, std::string("not a sound file this program can read: ") + sf_strerror(nullptr)),
                   nullptr;
        const SF_INFO& info = file->info;
        if (info.channels < 1 || info.samplerate <= 0)
            return code = Fail(problem, "the file declares no channels or no sample rate"), nullptr;
        if (info.frames == 0)
            return code = Fail(problem, "the file holds no sound"), nullptr;
        file->scratch.reset(new float[kScratchFrames * static_cast<std::size_t>(info.channels)]);
        return std::unique_ptr<SampledStream>(new SampledStream(std::move(file)));
    }
    catch (const std::bad_alloc&)
    {
        return code = Fail(problem, "the sound's decoder does not fit in memory", BASS_ERROR_MEM), nullptr;
    }
}

std::size_t SampledStream::Render(float* stereo, std::size_t frames)
{
    File& file = *mFile;
    const std::size_t channels = static_cast<std::size_t>(file.info.channels);
    std::size_t done = 0;
    while (done < frames && !file.damaged)
    {
        const std::size_t wanted = std::min(frames - done, kScratchFrames);
        // Read as floats and limited here: lossy formats may overshoot full scale, which
        // libsndfile's own conversion would wrap around (or, asked to scale, normalise).
        const sf_count_t got = sf_readf_float(file.handle, file.scratch.get(), static_cast<sf_count_t>(wanted));
        if (got <= 0)
        {
            file.damaged = sf_error(file.handle) != SF_ERR_NO_ERROR;
            break;
        }
        const float* from = file.scratch.get();
        float* to = stereo + 2 * done;
        for (sf_count_t frame = 0; frame < got; ++frame, from += channels, to += 2)
        {
            const float left = from[0];
            const float right = channels > 1 ? from[1] : left;
            to[0] = std::isnan(left) ? 0.0f : std::clamp(left, -1.0f, 1.0f);
            to[1] = std::isnan(right) ? 0.0f : std::clamp(right, -1.0f, 1.0f);
        }
        done += static_cast<std::size_t>(got);
        if (static_cast<std::size_t>(got) < wanted)
            break;
    }
    return done;
}

void SampledStream::Rewind()
{
    mFile->damaged = sf_seek(mFile->handle, 0, SEEK_SET) < 0;
}
} // namespace Compat::Audio
