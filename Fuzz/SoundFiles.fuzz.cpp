// Feeds arbitrary bytes to the audio library as a sampled file and as a tracker module, then plays
// what loads at a rate, volume and pan taken from the input and mixes a little of it. Beyond "no
// crash, no hang, no read or write out of bounds": the mix stays within full scale.
#include "Platform/Compat/Audio/AudioOutputControl.h"
#include "Platform/Compat/Audio/Bass.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool open = [] {
        Compat::Audio::UseNullAudioOutput({});
        return BASS_Init(-1, 44100, 0, nullptr, nullptr) != FALSE;
    }();
    if (!open)
        std::abort();
    const int frequency = size > 2 ? (data[0] << 8 | data[1]) * 16 : 0;
    const int pan = size > 2 ? data[2] - 128 : 0;
    static float mix[2 * 2048];
    for (bool module : {false, true})
    {
        const DWORD handle = module ? BASS_MusicLoad(TRUE, data, 0, static_cast<DWORD>(size), 0, 0)
                                    : BASS_StreamCreateFile(TRUE, data, 0, size, 0);
        if (handle == 0)
            continue;
        BASS_ChannelSetAttributes(handle, frequency, 100, pan);
        BASS_ChannelPlay(handle, TRUE);
        Compat::Audio::MixNullAudioOutput(mix, 2048);
        for (float sample : mix)
            if (!(std::fabs(sample) <= 1.0f))
                std::abort();
        if (module ? !BASS_MusicFree(handle) : !BASS_StreamFree(handle))
            std::abort();
    }
    return 0;
}
