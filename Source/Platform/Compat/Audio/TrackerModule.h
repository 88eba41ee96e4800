// A tracker module (MOD, S3M, XM, IT, MTM, UMX, MO3) played by libopenmpt: loaded from memory
// (libopenmpt keeps its own copy), rendered as stereo floats at any rate, once through the song.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

struct openmpt_module;

namespace Compat::Audio
{
class TrackerModule
{
public:
    // The module in bytes, or null with the reason in problem.
    static std::unique_ptr<TrackerModule> Load(const void* bytes, std::size_t size, std::string& problem);
    ~TrackerModule();
    TrackerModule(const TrackerModule&) = delete;
    TrackerModule& operator=(const TrackerModule&) = delete;

    // Renders up to frames frames at rate (2 floats a frame); fewer, down to 0, at the song's end.
    // Audio thread; takes no lock and allocates nothing.
    std::size_t Render(float* stereo, std::size_t frames, int rate);
    // Back to the song's beginning.
    void Rewind();

private:
    explicit TrackerModule(openmpt_module* module) : mModule(module) {}

    openmpt_module* mModule;
};
} // namespace Compat::Audio
