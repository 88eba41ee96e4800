#include "Platform/Compat/Audio/AudioOutput.h"

#include "Platform/Compat/Audio/AlsaDiagnostics.h"

#include <SDL.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace Compat::Audio
{
namespace
{
// Frames per device buffer: about 23 ms at 44.1 kHz, short enough for effects to feel immediate.
constexpr Uint16 kBufferFrames = 1024;

std::mutex gMachineLock;
std::optional<NullAudioMachine> gNullMachine;
std::atomic<MixFunction> gMix{nullptr};
// The descriptions handed out last.
std::vector<std::string> gDescriptions;

std::optional<NullAudioMachine> NullMachine()
{
    std::lock_guard lock(gMachineLock);
    return gNullMachine;
}

void SDLCALL FillDeviceBuffer(void*, Uint8* stream, int bytes)
{
    const int frames = bytes / static_cast<int>(2 * sizeof(float));
    if (MixFunction mix = gMix.load(std::memory_order_acquire))
        mix(reinterpret_cast<float*>(stream), frames);
    else
        SDL_memset(stream, 0, static_cast<std::size_t>(bytes));
}

// SDL's device names; the audio subsystem is started for the count and stopped again unless an
// open device holds it.
std::vector<std::string> SystemDeviceNames()
{
    std::vector<std::string> names;
    const bool started = SDL_WasInit(SDL_INIT_AUDIO) == 0;
    if (started)
        RouteAlsaDiagnostics();
    if (started && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return names;
    const int count = SDL_GetNumAudioDevices(0);
    for (int i = 0; i < count; ++i)
    {
        const char* name = SDL_GetAudioDeviceName(i, 0);
        names.emplace_back(name ? name : "Audio output");
    }
    if (started)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return names;
}

std::vector<std::string> DeviceNames()
{
    if (std::optional<NullAudioMachine> machine = NullMachine())
        return machine->devices;
    return SystemDeviceNames();
}
} // namespace

void UseNullAudioOutput(const NullAudioMachine& machine)
{
    std::lock_guard lock(gMachineLock);
    gNullMachine = machine;
}

void UseSystemAudioOutput()
{
    std::lock_guard lock(gMachineLock);
    gNullMachine.reset();
}

const char* AudioOutput::Describe(int device)
{
    gDescriptions = DeviceNames();
    if (device < 1 || device > static_cast<int>(gDescriptions.size()))
        return nullptr;
    return gDescriptions[static_cast<std::size_t>(device - 1)].c_str();
}

int AudioOutput::CountDevices()
{
    return static_cast<int>(DeviceNames().size());
}

bool AudioOutput::Open(int device, int rate, MixFunction mix)
{
    Close();
    if (std::optional<NullAudioMachine> machine = NullMachine())
    {
        if (machine->opens && !machine->opens(device))
            return false;
        mOpen = mNull = true;
        return true;
    }
    const std::vector<std::string> names = device > 0 ? SystemDeviceNames() : std::vector<std::string>();
    if (device > static_cast<int>(names.size()))
        return false;
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0)
    {
        RouteAlsaDiagnostics();
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        mHoldsSubsystem = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = rate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = kBufferFrames;
    wanted.callback = &FillDeviceBuffer;
    SDL_AudioSpec obtained{};
    gMix.store(mix, std::memory_order_release);
    // No changes allowed: SDL converts the mix to whatever the device takes.
    mDevice = SDL_OpenAudioDevice(device > 0 ? names[static_cast<std::size_t>(device - 1)].c_str() : nullptr, 0,
                                  &wanted, &obtained, 0);
    if (mDevice == 0)
    {
        Close();
        return false;
    }
    mOpen = true;
    SDL_PauseAudioDevice(mDevice, 0);
    return true;
}

void AudioOutput::Close()
{
    if (mDevice != 0)
        SDL_CloseAudioDevice(mDevice);
    mDevice = 0;
    gMix.store(nullptr, std::memory_order_release);
    if (mHoldsSubsystem)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    mHoldsSubsystem = false;
    mOpen = mNull = false;
}

void AudioOutput::SetPaused(bool paused)
{
    if (mDevice != 0)
        SDL_PauseAudioDevice(mDevice, paused ? 1 : 0);
}
} // namespace Compat::Audio
