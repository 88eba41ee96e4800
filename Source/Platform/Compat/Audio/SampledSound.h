// Sampled files decoded whole, from memory, through libsndfile's virtual I/O: Ogg Vorbis, WAV,
// AIFF and, where the library has it, MP3. Decoding happens once, on the loading thread, so the
// audio thread only reads samples. Any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Compat::Audio
{
struct SampledSound
{
    int sampleRate = 0;
    int channels = 0; // 1 or 2; files with more keep their first two
    std::int64_t frames = 0;
    // Interleaved 16-bit samples, followed by one silent frame so that interpolation can always
    // read the frame after the current one.
    std::vector<std::int16_t> samples;
};

// Decodes bytes into sound. On failure returns a library error code (BASS_ERROR_FILEFORM for an
// unknown, damaged or truncated file, BASS_ERROR_MEM when the samples do not fit) and says why in
// problem; BASS_OK on success.
int DecodeSampledSound(const void* bytes, std::size_t size, SampledSound& sound, std::string& problem);
} // namespace Compat::Audio
