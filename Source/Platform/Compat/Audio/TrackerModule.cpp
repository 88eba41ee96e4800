#include "Platform/Compat/Audio/TrackerModule.h"

#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace Compat::Audio
{
namespace
{
// Channels of a ProTracker-style module by its signature at offset 1080; 0 for another format.
int ProTrackerChannels(const unsigned char* bytes, std::size_t size)
{
    constexpr std::size_t kSignatureAt = 1080;
    if (size < kSignatureAt + 4)
        return 0;
    const char* tag = reinterpret_cast<const char*>(bytes + kSignatureAt);
    for (const char* fourChannels : {"M.K.", "M!K!", "FLT4", "4CHN"})
        if (std::memcmp(tag, fourChannels, 4) == 0)
            return 4;
    if (tag[0] >= '1' && tag[0] <= '9' && std::memcmp(tag + 1, "CHN", 3) == 0)
        return tag[0] - '0';
    if (tag[0] >= '1' && tag[0] <= '3' && tag[1] >= '0' && tag[1] <= '9' && std::memcmp(tag + 2, "CH", 2) == 0)
        return (tag[0] - '0') * 10 + (tag[1] - '0');
    return 0;
}

// libopenmpt plays what is there of a cut module without complaint. A ProTracker module's size
// follows from its header (31 samples, 128 orders, 64-row patterns), so a cut one is found here.
bool IsProTrackerModuleCut(const unsigned char* bytes, std::size_t size)
{
    const int channels = ProTrackerChannels(bytes, size);
    if (channels == 0)
        return false;
    constexpr std::size_t kSamplesAt = 20, kSampleHeader = 30, kSamples = 31, kOrdersAt = 952, kPatternsAt = 1084;
    std::size_t sampleBytes = 0;
    for (std::size_t sample = 0; sample < kSamples; ++sample)
    {
        const unsigned char* length = bytes + kSamplesAt + sample * kSampleHeader + 22;
        sampleBytes += 2 * static_cast<std::size_t>((length[0] << 8) | length[1]);
    }
    const int patterns = 1 + *std::max_element(bytes + kOrdersAt, bytes + kOrdersAt + 128);
    const std::size_t expected =
        kPatternsAt + static_cast<std::size_t>(patterns) * 64 * static_cast<std::size_t>(channels) * 4 + sampleBytes;
    return size < expected;
}
} // namespace

std::unique_ptr<TrackerModule> TrackerModule::Load(const void* bytes, std::size_t size, std::string& problem)
{
    problem.clear();
    if (!bytes || size == 0)
    {
        problem = "the file is empty";
        return nullptr;
    }
    if (IsProTrackerModuleCut(static_cast<const unsigned char*>(bytes), size))
    {
        problem = "truncated: the module is shorter than its header declares";
        return nullptr;
    }
    int error = OPENMPT_ERROR_OK;
    const char* message = nullptr;
    openmpt_module* module = openmpt_module_create_from_memory2(bytes, size, &openmpt_log_func_silent, nullptr,
                                                                &openmpt_error_func_store, nullptr, &error,
                                                                &message, nullptr);
    if (!module)
    {
        problem = std::string("not a module this program can play: ") + (message ? message : "unknown format");
        openmpt_free_string(message);
        return nullptr;
    }
    openmpt_free_string(message);
    return std::unique_ptr<TrackerModule>(new TrackerModule(module));
}

TrackerModule::~TrackerModule()
{
    openmpt_module_destroy(mModule);
}

std::size_t TrackerModule::Render(float* stereo, std::size_t frames, int rate)
{
    return openmpt_module_read_interleaved_float_stereo(mModule, rate, frames, stereo);
}

void TrackerModule::Rewind()
{
    openmpt_module_set_position_seconds(mModule, 0.0);
}
} // namespace Compat::Audio
