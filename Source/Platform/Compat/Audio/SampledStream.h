// A sampled file (Ogg Vorbis, WAV, AIFF and, where the library has it, MP3) held in memory and
// decoded while it plays, through libsndfile's virtual I/O, as a stream of the audio library is:
// opening reads only the header, and each block is decoded when the mix needs it. The bytes stay
// with the caller until the stream is gone. Opened on any thread; rendered under the library's
// lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace Compat::Audio
{
class SampledStream
{
public:
    // The stream of bytes. On failure null, with a library error code (BASS_ERROR_FILEFORM for an
    // unknown, damaged, empty or truncated file, BASS_ERROR_MEM when it does not fit) and the
    // reason in problem.
    static std::unique_ptr<SampledStream> Open(const void* bytes, std::size_t size, int& code, std::string& problem);
    ~SampledStream();
    SampledStream(const SampledStream&) = delete;
    SampledStream& operator=(const SampledStream&) = delete;

    int GetSampleRate() const;
    // Decodes up to frames frames as stereo floats (2 a frame; a mono file on both sides, a file
    // of more channels keeps its first two) limited to full scale; fewer, down to 0, at the end or
    // where the file is damaged.
    std::size_t Render(float* stereo, std::size_t frames);
    // Back to the first frame.
    void Rewind();

private:
    struct File;

    explicit SampledStream(std::unique_ptr<File> file);

    std::unique_ptr<File> mFile;
};
} // namespace Compat::Audio
