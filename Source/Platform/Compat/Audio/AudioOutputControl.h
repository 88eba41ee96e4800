// What the audio stand-in offers beyond the library's own calls: a null output that tests and
// benchmarks mix by hand (with a staged list of devices and which of them open), the text of the
// calling thread's last failure, and a count of library calls.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace Compat::Audio
{
// A machine without sound hardware: its devices (1..n) and which open (-1 is the default device).
struct NullAudioMachine
{
    std::vector<std::string> devices{"Null output"};
    std::function<bool(int device)> opens; // null: every device opens
};

// From the next BASS_Init on, the output is the null machine's; until UseSystemAudioOutput.
void UseNullAudioOutput(const NullAudioMachine& machine);
// From the next BASS_Init on, the output is SDL's.
void UseSystemAudioOutput();

// Mixes the next frames of the null output into stereo (2 floats a frame, -1..1), as the audio
// thread would: silence while the output is paused. False, with silence, when the library is not
// open on the null output.
bool MixNullAudioOutput(float* stereo, int frames);

// What went wrong in the calling thread's last failed call, in words ("truncated: ..."); empty
// after a success.
const std::string& GetLastAudioErrorDetail();

// Library calls made by the process so far.
unsigned long long CountAudioLibraryCalls();
} // namespace Compat::Audio
