#include "Platform/Compat/Audio/AlsaDiagnostics.h"

#include "Platform/Compat/Kernel/DebugOutput.h"

#include <dlfcn.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace Compat::Audio
{
namespace
{
// ALSA's error handler and the calls that install it and name an error code (alsa/error.h).
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int error, const char* format,
                                  ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler handler);
using AlsaErrorText = const char* (*)(int error);

AlsaErrorText gErrorText = nullptr;

// The line ALSA's own handler would print.
void ToDebugOutput(const char* file, int line, const char* function, int error, const char* format, ...)
{
    char message[512];
    std::va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format ? format : "", arguments);
    va_end(arguments);
    const char* reason = error != 0 && gErrorText ? gErrorText(error) : nullptr;
    char text[1024];
    std::snprintf(text, sizeof text, "ALSA lib %s:%d:(%s) %s%s%s\n", file ? file : "?", line,
                  function ? function : "?", message, reason ? ": " : "", reason ? reason : "");
    OutputDebugStringA(text);
}
} // namespace

void RouteAlsaDiagnostics()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Kept open for the process: the handler must stay installed in the copy of the library
        // that SDL opens later, which is this one.
        void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return;
        gErrorText = reinterpret_cast<AlsaErrorText>(dlsym(library, "snd_strerror"));
        if (const auto install = reinterpret_cast<SetAlsaErrorHandler>(dlsym(library, "snd_lib_error_set_handler")))
            install(&ToDebugOutput);
    });
}
} // namespace Compat::Audio
