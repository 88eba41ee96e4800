#include "Platform/Win32/BASSLibrary.h"

#include "Debug.h"
#include "Platform/Compat/Audio/Bass.h"

#include <atomic>

namespace Corvane
{
namespace
{
// Read on the loader thread, which loads sounds only while the library is open.
std::atomic<bool> gInitialized{false};

struct ErrorName
{
    int code;
    const char* name;
};

constexpr ErrorName kErrorNames[] = {
    {BASS_OK, "BASS_OK"},
    {BASS_ERROR_MEM, "BASS_ERROR_MEM"},
    {BASS_ERROR_FILEOPEN, "BASS_ERROR_FILEOPEN"},
    {BASS_ERROR_DRIVER, "BASS_ERROR_DRIVER"},
    {BASS_ERROR_BUFLOST, "BASS_ERROR_BUFLOST"},
    {BASS_ERROR_HANDLE, "BASS_ERROR_HANDLE"},
    {BASS_ERROR_FORMAT, "BASS_ERROR_FORMAT"},
    {BASS_ERROR_POSITION, "BASS_ERROR_POSITION"},
    {BASS_ERROR_INIT, "BASS_ERROR_INIT"},
    {BASS_ERROR_START, "BASS_ERROR_START"},
    {BASS_ERROR_ALREADY, "BASS_ERROR_ALREADY"},
    {BASS_ERROR_NOPAUSE, "BASS_ERROR_NOPAUSE"},
    {BASS_ERROR_NOCHAN, "BASS_ERROR_NOCHAN"},
    {BASS_ERROR_ILLTYPE, "BASS_ERROR_ILLTYPE"},
    {BASS_ERROR_ILLPARAM, "BASS_ERROR_ILLPARAM"},
    {BASS_ERROR_NO3D, "BASS_ERROR_NO3D"},
    {BASS_ERROR_NOEAX, "BASS_ERROR_NOEAX"},
    {BASS_ERROR_DEVICE, "BASS_ERROR_DEVICE"},
    {BASS_ERROR_NOPLAY, "BASS_ERROR_NOPLAY"},
    {BASS_ERROR_FREQ, "BASS_ERROR_FREQ"},
    {BASS_ERROR_NOTFILE, "BASS_ERROR_NOTFILE"},
    {BASS_ERROR_NOHW, "BASS_ERROR_NOHW"},
    {BASS_ERROR_EMPTY, "BASS_ERROR_EMPTY"},
    {BASS_ERROR_NONET, "BASS_ERROR_NONET"},
    {BASS_ERROR_CREATE, "BASS_ERROR_CREATE"},
    {BASS_ERROR_NOFX, "BASS_ERROR_NOFX"},
    {BASS_ERROR_PLAYING, "BASS_ERROR_PLAYING"},
    {BASS_ERROR_NOTAVAIL, "BASS_ERROR_NOTAVAIL"},
    {BASS_ERROR_DECODE, "BASS_ERROR_DECODE"},
    {BASS_ERROR_DX, "BASS_ERROR_DX"},
    {BASS_ERROR_TIMEOUT, "BASS_ERROR_TIMEOUT"},
    {BASS_ERROR_FILEFORM, "BASS_ERROR_FILEFORM"},
    {BASS_ERROR_SPEAKER, "BASS_ERROR_SPEAKER"},
    {BASS_ERROR_VERSION, "BASS_ERROR_VERSION"},
    {BASS_ERROR_CODEC, "BASS_ERROR_CODEC"},
};
} // namespace

bool IsBASSInitialized()
{
    return gInitialized.load(std::memory_order_acquire);
}

void SetBASSInitialized(bool initialized)
{
    gInitialized.store(initialized, std::memory_order_release);
}

const char* GetBASSErrorName(int code)
{
    for (const ErrorName& entry : kErrorNames)
        if (entry.code == code)
            return entry.name;
    return "unknown error";
}

bool CheckBASSError(const char* call)
{
    const int code = BASS_ErrorGetCode();
    if (code == BASS_OK)
        return true;
    DebugPrint("%s error: %d (%s)\n", call, code, GetBASSErrorName(code));
    return false;
}
} // namespace Corvane
