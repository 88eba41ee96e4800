// Where the audio stand-in's mix goes: an SDL2 audio device, whose thread calls the mix function,
// or the null output of AudioOutputControl.h, which tests mix by hand. Main thread, except the
// mix function, which SDL calls on its audio thread.
#pragma once

#include "Platform/Compat/Audio/AudioOutputControl.h"

#include <cstdint>

namespace Compat::Audio
{
// Fills frames of stereo floats.
using MixFunction = void (*)(float* stereo, int frames);

class AudioOutput
{
public:
    AudioOutput() = default;
    ~AudioOutput() { Close(); }
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // The description of device 1..n of the output in use, or null past the last; valid until the
    // next call.
    static const char* Describe(int device);
    // Counts the devices (1..n).
    static int CountDevices();

    // Opens device (-1 the default) at rate and starts it, mix filling what it plays. False when
    // the device does not open.
    bool Open(int device, int rate, MixFunction mix);
    void Close();
    // Stops or resumes the device's calls to mix.
    void SetPaused(bool paused);
    bool IsOpen() const { return mOpen; }
    bool IsNull() const { return mNull; }

private:
    bool mOpen = false;
    bool mNull = false;
    std::uint32_t mDevice = 0;
    bool mHoldsSubsystem = false;
};
} // namespace Compat::Audio
