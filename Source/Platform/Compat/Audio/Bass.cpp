// The library's state: whether it is open, its output, and the table of voices by handle. One
// mutex guards the state; it is held only for table look-ups, attribute changes and one mix of a
// device buffer, never while decoding a file or while SDL opens, pauses or closes its device
// (whose thread waits for the same mutex).
#include "Platform/Compat/Audio/Bass.h"

#include "Platform/Compat/Audio/AudioOutput.h"
#include "Platform/Compat/Audio/Voice.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace
{
using Compat::Audio::AudioOutput;
using Compat::Audio::Voice;
using Compat::Audio::VoiceState;

constexpr int kDefaultRate = 44100;
// What libopenmpt renders at.
constexpr DWORD kMinModuleRate = 8000;
constexpr DWORD kMaxModuleRate = 192000;

struct Library
{
    std::mutex lock;
    bool initialised = false;
    bool paused = false;
    bool nullOutput = false;
    int rate = kDefaultRate;
    std::unordered_map<DWORD, std::unique_ptr<Voice>> voices;
    DWORD nextHandle = 1;
    AudioOutput output; // main thread
};

// Never destroyed: SDL's audio thread may still call in while the process ends.
Library& TheLibrary()
{
    static Library* library = new Library;
    return *library;
}

thread_local int tError = BASS_OK;
thread_local std::string tDetail;
std::atomic<unsigned long long> gCalls{0};

void Count()
{
    gCalls.fetch_add(1, std::memory_order_relaxed);
}

BOOL Succeed()
{
    tError = BASS_OK;
    tDetail.clear();
    return TRUE;
}

BOOL Fail(int code, std::string detail = {})
{
    tError = code;
    tDetail = std::move(detail);
    return FALSE;
}

// Under the lock.
void MixLocked(Library& library, float* stereo, int frames)
{
    std::fill(stereo, stereo + 2 * frames, 0.0f);
    if (library.paused)
        return;
    for (auto& entry : library.voices)
        entry.second->MixInto(stereo, frames, library.rate);
    for (float* sample = stereo; sample != stereo + 2 * frames; ++sample)
        *sample = std::clamp(*sample, -1.0f, 1.0f);
}

void MixForDevice(float* stereo, int frames)
{
    Library& library = TheLibrary();
    std::lock_guard lock(library.lock);
    MixLocked(library, stereo, frames);
}

// Files a new voice under a free handle; 0 when the library was closed meanwhile.
DWORD AddVoice(std::unique_ptr<Voice> voice)
{
    Library& library = TheLibrary();
    std::lock_guard lock(library.lock);
    if (!library.initialised)
    {
        Fail(BASS_ERROR_INIT);
        return 0;
    }
    while (library.nextHandle == 0 || library.voices.count(library.nextHandle) != 0)
        ++library.nextHandle;
    const DWORD handle = library.nextHandle++;
    library.voices.emplace(handle, std::move(voice));
    Succeed();
    return handle;
}

// Takes a stream (module false) or a music (module true) out of the table for freeing.
BOOL FreeVoice(DWORD handle, bool module)
{
    Count();
    std::unique_ptr<Voice> freed;
    Library& library = TheLibrary();
    {
        std::lock_guard lock(library.lock);
        auto found = library.voices.find(handle);
        if (found == library.voices.end() || found->second->IsModule() != module)
            return Fail(BASS_ERROR_HANDLE);
        freed = std::move(found->second);
        library.voices.erase(found);
    }
    return Succeed();
}

bool IsInitialised()
{
    Library& library = TheLibrary();
    std::lock_guard lock(library.lock);
    return library.initialised;
}

// Runs action on the voice of handle under the lock; BASS_ERROR_HANDLE when there is none.
template <typename Action> BOOL WithVoice(DWORD handle, Action action)
{
    Count();
    Library& library = TheLibrary();
    std::lock_guard lock(library.lock);
    auto found = library.voices.find(handle);
    if (found == library.voices.end())
        return Fail(BASS_ERROR_HANDLE);
    return action(*found->second);
}
} // namespace

int BASS_ErrorGetCode()
{
    Count();
    return tError;
}

BOOL BASS_Init(int device, DWORD freq, DWORD, void*, const void*)
{
    Count();
    Library& library = TheLibrary();
    {
        std::lock_guard lock(library.lock);
        if (library.initialised)
            return Fail(BASS_ERROR_ALREADY);
        library.rate = freq == 0 ? kDefaultRate : static_cast<int>(std::min<DWORD>(freq, kMaxModuleRate));
        library.paused = false;
    }
    if (device == 0 || device < -1 || device > AudioOutput::CountDevices())
        return Fail(BASS_ERROR_DEVICE, "there is no audio device " + std::to_string(device));
    // Opened without the lock: the device's thread takes it as soon as it runs.
    if (!library.output.Open(device, library.rate, &MixForDevice))
        return Fail(BASS_ERROR_DRIVER, "the audio device did not open");
    std::lock_guard lock(library.lock);
    library.initialised = true;
    library.nullOutput = library.output.IsNull();
    return Succeed();
}

const char* BASS_GetDeviceDescription(DWORD device)
{
    Count();
    if (device == 0)
    {
        Succeed();
        return "No sound";
    }
    const char* description = AudioOutput::Describe(static_cast<int>(std::min<DWORD>(device, 0x7FFFFFFF)));
    if (!description)
        Fail(BASS_ERROR_DEVICE);
    else
        Succeed();
    return description;
}

BOOL BASS_Free()
{
    Count();
    Library& library = TheLibrary();
    std::unordered_map<DWORD, std::unique_ptr<Voice>> freed;
    {
        std::lock_guard lock(library.lock);
        if (!library.initialised)
            return Fail(BASS_ERROR_INIT);
        library.initialised = false;
        freed.swap(library.voices);
    }
    library.output.Close();
    return Succeed();
}

BOOL BASS_Start()
{
    Count();
    Library& library = TheLibrary();
    {
        std::lock_guard lock(library.lock);
        if (!library.initialised)
            return Fail(BASS_ERROR_INIT);
        library.paused = false;
    }
    library.output.SetPaused(false);
    return Succeed();
}

BOOL BASS_Pause()
{
    Count();
    Library& library = TheLibrary();
    {
        std::lock_guard lock(library.lock);
        if (!library.initialised)
            return Fail(BASS_ERROR_INIT);
        library.paused = true;
    }
    library.output.SetPaused(true);
    return Succeed();
}

HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD)
{
    Count();
    if (!IsInitialised())
        return Fail(BASS_ERROR_INIT), 0;
    if (!mem)
        return Fail(BASS_ERROR_FILEOPEN, "only sounds held in memory can be opened"), 0;
    int code = BASS_OK;
    std::string problem;
    std::unique_ptr<Compat::Audio::SampledStream> stream =
        Compat::Audio::SampledStream::Open(static_cast<const unsigned char*>(file) + offset, length, code, problem);
    if (!stream)
        return Fail(code, problem), 0;
    return AddVoice(std::make_unique<Voice>(std::move(stream)));
}

BOOL BASS_StreamFree(HSTREAM handle)
{
    return FreeVoice(handle, false);
}

HMUSIC BASS_MusicLoad(BOOL mem, const void* file, QWORD offset, DWORD length, DWORD, DWORD freq)
{
    Count();
    if (!IsInitialised())
        return Fail(BASS_ERROR_INIT), 0;
    if (!mem)
        return Fail(BASS_ERROR_FILEOPEN, "only modules held in memory can be opened"), 0;
    std::string problem;
    std::unique_ptr<Compat::Audio::TrackerModule> module =
        Compat::Audio::TrackerModule::Load(static_cast<const unsigned char*>(file) + offset, length, problem);
    if (!module)
        return Fail(BASS_ERROR_FILEFORM, problem), 0;
    int rate = kDefaultRate;
    {
        Library& library = TheLibrary();
        std::lock_guard lock(library.lock);
        rate = library.rate;
    }
    if (freq != 0)
        rate = static_cast<int>(std::clamp(freq, kMinModuleRate, kMaxModuleRate));
    return AddVoice(std::make_unique<Voice>(std::move(module), rate));
}

BOOL BASS_MusicFree(HMUSIC handle)
{
    return FreeVoice(handle, true);
}

BOOL BASS_ChannelPlay(DWORD handle, BOOL restart)
{
    return WithVoice(handle, [restart](Voice& voice) {
        voice.Play(restart != FALSE);
        return Succeed();
    });
}

BOOL BASS_ChannelPause(DWORD handle)
{
    return WithVoice(handle, [](Voice& voice) {
        if (voice.GetState() == VoiceState::Stopped)
            return Fail(BASS_ERROR_NOPLAY);
        voice.Pause();
        return Succeed();
    });
}

BOOL BASS_ChannelStop(DWORD handle)
{
    return WithVoice(handle, [](Voice& voice) {
        voice.Stop();
        return Succeed();
    });
}

DWORD BASS_ChannelIsActive(DWORD handle)
{
    DWORD active = BASS_ACTIVE_STOPPED;
    WithVoice(handle, [&active](Voice& voice) {
        active = voice.GetState() == VoiceState::Playing  ? BASS_ACTIVE_PLAYING
                 : voice.GetState() == VoiceState::Paused ? BASS_ACTIVE_PAUSED
                                                          : BASS_ACTIVE_STOPPED;
        return Succeed();
    });
    return active;
}

BOOL BASS_ChannelGetAttributes(DWORD handle, DWORD* freq, DWORD* volume, int* pan)
{
    return WithVoice(handle, [=](Voice& voice) {
        if (freq)
            *freq = static_cast<DWORD>(voice.GetFrequency());
        if (volume)
            *volume = static_cast<DWORD>(voice.GetVolume());
        if (pan)
            *pan = voice.GetPan();
        return Succeed();
    });
}

BOOL BASS_ChannelSetAttributes(DWORD handle, int freq, int volume, int pan)
{
    return WithVoice(handle, [=](Voice& voice) {
        if (freq != BASS_ATTRIBUTE_KEEP)
            voice.SetFrequency(freq);
        if (volume != BASS_ATTRIBUTE_KEEP)
            voice.SetVolume(volume);
        if (pan != BASS_ATTRIBUTE_KEEP_PAN)
            voice.SetPan(pan);
        return Succeed();
    });
}

namespace Compat::Audio
{
bool MixNullAudioOutput(float* stereo, int frames)
{
    Library& library = TheLibrary();
    std::lock_guard lock(library.lock);
    if (!library.initialised || !library.nullOutput)
    {
        std::fill(stereo, stereo + 2 * frames, 0.0f);
        return false;
    }
    MixLocked(library, stereo, frames);
    return true;
}

const std::string& GetLastAudioErrorDetail()
{
    return tDetail;
}

unsigned long long CountAudioLibraryCalls()
{
    return gCalls.load(std::memory_order_relaxed);
}
} // namespace Compat::Audio
