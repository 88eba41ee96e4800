// The machine as SDL sees it, described the way the DirectDraw and Direct3D layer offers it.
#include "Platform/Compat/DirectDraw/DisplayMachine.h"

#include "Platform/Compat/Direct3D/Direct3D.h"
#include "Platform/Compat/Kernel/DebugOutput.h"
#include "Platform/Compat/User/WindowObject.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace Compat
{
namespace
{
constexpr int kScaledModeSizes[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 720}, {1280, 1024}, {1920, 1080}};

// 32 for every four-byte layout (SDL counts its "888" formats as 24 bits).
int BitsOf(Uint32 format)
{
    return SDL_BYTESPERPIXEL(format) == 4 ? 32 : static_cast<int>(SDL_BITSPERPIXEL(format));
}

void AddMode(std::vector<DisplayModeDescription>& modes, const DisplayModeDescription& mode)
{
    const bool listed = std::any_of(modes.begin(), modes.end(), [&](const DisplayModeDescription& m) {
        return m.width == mode.width && m.height == mode.height && m.bits == mode.bits;
    });
    if (!listed)
        modes.push_back(mode);
}

// Mesa's GL drivers that draw on the processor: more work per frame than SDL's software renderer,
// spread over threads of their own, for the same picture.
bool IsSoftwareGl(const char* rendererName)
{
    if (!rendererName || std::strncmp(rendererName, "opengl", 6) != 0)
        return false;
    using GetString = const unsigned char* (*)(unsigned);
    constexpr unsigned kGlRenderer = 0x1F01;
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
    if (!name)
        return false;
    std::string lower;
    for (const unsigned char* c = name; *c; ++c)
        lower.push_back(static_cast<char>(std::tolower(*c)));
    for (const char* software : {"llvmpipe", "softpipe", "swrast", "software rasterizer"})
        if (lower.find(software) != std::string::npos)
            return true;
    return false;
}

// SDL's first renderer that draws through the GPU's interface and works here, when there is one.
std::optional<SDL_RendererInfo> FirstGpuRenderer(SDL_Window* probe, bool& softwareGl)
{
    for (int i = 0, n = SDL_GetNumRenderDrivers(); i < n; ++i)
    {
        SDL_RendererInfo info{};
        if (SDL_GetRenderDriverInfo(i, &info) != 0 || !info.name || std::strcmp(info.name, "software") == 0)
            continue;
        if (SDL_Renderer* renderer = SDL_CreateRenderer(probe, i, SDL_RENDERER_ACCELERATED))
        {
            const bool described = SDL_GetRendererInfo(renderer, &info) == 0;
            softwareGl = described && IsSoftwareGl(info.name);
            SDL_DestroyRenderer(renderer);
            if (described)
                return info;
        }
    }
    return std::nullopt;
}

// What an accelerated renderer of this machine can do, when it has one: a hidden window tries to
// make one (SDL's list of renderers names drivers that may not work here). A software GL counts
// as none (softwareGl says so), unless SDL_RENDER_DRIVER asks for it by name.
std::optional<SDL_RendererInfo> ProbeHere(bool& softwareGl)
{
    SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN);
    if (!probe)
        return std::nullopt;
    std::optional<SDL_RendererInfo> found = FirstGpuRenderer(probe, softwareGl);
    if (softwareGl)
        found.reset();
    if (const char* asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER); asked && *asked)
    {
        // The renderer asked for is the one the windows get.
        found.reset();
        if (SDL_Renderer* renderer = SDL_CreateRenderer(probe, -1, SDL_RENDERER_ACCELERATED))
        {
            SDL_RendererInfo info{};
            if (SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_ACCELERATED))
                found = info;
            SDL_DestroyRenderer(renderer);
        }
    }
    SDL_DestroyWindow(probe);
    return found;
}

// Under a real display the probe runs in a short-lived copy of this program: the same executable
// started again with this variable naming the descriptor it answers on. A GL driver once loaded
// stays in the process (Mesa's with LLVM: about 70 MB) even when the answer is that it draws on
// the processor and will not be used.
constexpr const char* kProbeVariable = "CORVANE_RENDERER_PROBE";
constexpr int kProbeDescriptor = 3;
constexpr int kProbeWaitMilliseconds = 10000;
// A copy that answered, or was killed, ends at once unless a driver holds it in the kernel: it is
// then left behind rather than waited for.
constexpr int kProbeEndMilliseconds = 1000;

struct ProbeAnswer
{
    int found = 0;
    int softwareGl = 0;
    Uint32 flags = 0;
    int maxTextureWidth = 0;
    int maxTextureHeight = 0;
    char name[32] = {};
};

// The probing copy answers before anything else of the program runs, and ends.
[[maybe_unused]] const bool kProbingCopy = [] {
    if (!std::getenv(kProbeVariable))
        return false;
    ProbeAnswer answer;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0)
    {
        bool softwareGl = false;
        if (const std::optional<SDL_RendererInfo> found = ProbeHere(softwareGl))
        {
            answer.found = 1;
            answer.flags = found->flags;
            answer.maxTextureWidth = found->max_texture_width;
            answer.maxTextureHeight = found->max_texture_height;
            std::snprintf(answer.name, sizeof answer.name, "%s", found->name ? found->name : "");
        }
        answer.softwareGl = softwareGl;
    }
    (void)!::write(kProbeDescriptor, &answer, sizeof answer);
    ::_exit(0);
}();

// Whether the copy ended (and was reaped) within kProbeEndMilliseconds.
bool CopyEnded(pid_t copy)
{
    for (int waited = 0; waited < kProbeEndMilliseconds; waited += 10)
    {
        if (::waitpid(copy, nullptr, WNOHANG) != 0)
            return true;
        ::usleep(10000);
    }
    return false;
}

// A probe that gave no answer, or left its copy behind, says so once in the log.
void ReportProbe(const std::string& what)
{
    OutputDebugStringA(("The renderer probe " + what + ".\n").c_str());
}

// Starts the probing copy and reads its answer; none when it cannot start or does not answer in
// time (it is then ended).
std::optional<ProbeAnswer> ProbeInCopy()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
    {
        ReportProbe("could not start: drawing without the GPU");
        return std::nullopt;
    }
    // The write end above the descriptor it becomes in the copy, so that dup2 really makes it.
    const int writeEnd = ::fcntl(ends[1], F_DUPFD_CLOEXEC, kProbeDescriptor + 1);
    ::close(ends[1]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, writeEnd, kProbeDescriptor);
    posix_spawn_file_actions_addclosefrom_np(&actions, kProbeDescriptor + 1);
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable)
        variables.emplace_back(*variable);
    variables.push_back(std::string(kProbeVariable) + "=1");
    std::vector<char*> environment;
    for (std::string& variable : variables)
        environment.push_back(variable.data());
    environment.push_back(nullptr);
    char program[] = "/proc/self/exe";
    char* arguments[] = {program, nullptr};
    pid_t copy = -1;
    const bool started =
        writeEnd >= 0 && ::posix_spawn(&copy, program, &actions, nullptr, arguments, environment.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (writeEnd >= 0)
        ::close(writeEnd);
    std::optional<ProbeAnswer> answer;
    std::string failure = "could not start";
    bool ended = true;
    if (started)
    {
        pollfd readable{ends[0], POLLIN, 0};
        ProbeAnswer read;
        const int ready = ::poll(&readable, 1, kProbeWaitMilliseconds);
        if (ready == 1 && ::read(ends[0], &read, sizeof read) == sizeof read)
            answer = read;
        else
        {
            failure = ready == 0 ? "gave no answer within " + std::to_string(kProbeWaitMilliseconds / 1000) + " s"
                                 : "ended without an answer";
            ::kill(copy, SIGKILL);
        }
        ended = CopyEnded(copy);
    }
    ::close(ends[0]);
    const std::string left = ended ? "" : " (its copy " + std::to_string(copy) + " did not end and is left behind)";
    if (!answer)
        ReportProbe(failure + left + ": drawing without the GPU");
    else if (!ended)
        ReportProbe("answered" + left);
    return answer;
}

// The probe: none asked for, here on a display without GL (headless), else in a copy.
std::optional<SDL_RendererInfo> ProbeAcceleratedRenderer()
{
    const char* asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    if (asked && SDL_strcasecmp(asked, "software") == 0)
        return std::nullopt;
    bool softwareGl = false;
    std::optional<SDL_RendererInfo> found;
    if (IsHeadless())
        found = ProbeHere(softwareGl);
    else if (const std::optional<ProbeAnswer> answer = ProbeInCopy())
    {
        softwareGl = answer->softwareGl != 0;
        if (answer->found)
        {
            static std::string name;
            name = answer->name;
            SDL_RendererInfo info{};
            info.name = name.c_str();
            info.flags = answer->flags;
            info.max_texture_width = answer->maxTextureWidth;
            info.max_texture_height = answer->maxTextureHeight;
            found = info;
        }
    }
    if (softwareGl)
    {
        // SDL would show even its software renderer's pictures through that GL driver; the window
        // system's own shared memory shows them for far less.
        SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    }
    return found;
}

const std::optional<SDL_RendererInfo>& AcceleratedRenderer()
{
    static const std::optional<SDL_RendererInfo> accelerated = ProbeAcceleratedRenderer();
    return accelerated;
}
} // namespace

namespace
{
unsigned gDisplayChanges = 0;
} // namespace

void NoteDisplayChange()
{
    ++gDisplayChanges;
}

unsigned CountDisplayChanges()
{
    return gDisplayChanges;
}

bool HasAcceleratedRenderer()
{
    return EnsureVideo() && AcceleratedRenderer().has_value();
}

DisplayModeDescription CurrentDesktopMode()
{
    SDL_DisplayMode desktop;
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return {0, 0, 0};
    return {desktop.w, desktop.h, BitsOf(desktop.format)};
}

DisplayMachine DescribeThisMachine()
{
    // SDL cannot tell the video memory: the default driver's stated amounts stay.
    DisplayMachine machine = DefaultDisplayMachine();
    DisplayDriverDescription& driver = machine.drivers[0];
    SDL_DisplayMode desktop;
    if (!EnsureVideo() || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
    {
        // No display at all: nothing can be shown, in any mode.
        driver.modes.clear();
        driver.devices.resize(1);
        return machine;
    }
    machine.desktopWidth = desktop.w;
    machine.desktopHeight = desktop.h;
    machine.desktopBits = BitsOf(desktop.format);

    const char* video = SDL_GetCurrentVideoDriver();
    const char* display = SDL_GetDisplayName(0);
    driver.description = display ? display : "Display";
    std::snprintf(driver.identifier.szDriver, sizeof driver.identifier.szDriver, "%s", video ? video : "");
    std::snprintf(driver.identifier.szDescription, sizeof driver.identifier.szDescription, "%s",
                  driver.description.c_str());

    // The display's modes, each size and depth once (SDL lists each refresh rate).
    driver.modes.clear();
    for (int i = 0, n = SDL_GetNumDisplayModes(0); i < n; ++i)
    {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) == 0)
            AddMode(driver.modes, {mode.w, mode.h, BitsOf(mode.format)});
    }
    if (driver.modes.empty())
        driver.modes.push_back({desktop.w, desktop.h, machine.desktopBits});
    // A mode is shown on a window that covers the display, its picture scaled up to fit with its
    // shape kept (Presenter.h), as a display's own scaler shows a mode smaller than the screen: so
    // the common sizes that fit are offered too, and a program gets the size it asks for.
    for (const auto& size : kScaledModeSizes)
        for (const int bits : {16, 32})
            if (size[0] <= desktop.w && size[1] <= desktop.h)
                AddMode(driver.modes, {size[0], size[1], bits});

    // Without an accelerated renderer only the software device is offered, as on a machine
    // without 3D hardware; with one, the hardware devices take on its largest texture.
    driver.devices = {SoftwareDevice(IID_IDirect3DRGBDevice, "RGB Emulation")};
    if (const std::optional<SDL_RendererInfo>& accelerated = AcceleratedRenderer())
    {
        for (Direct3DDeviceDescription device : {HardwareDevice(IID_IDirect3DHALDevice, "Direct3D HAL"),
                                                 HardwareDevice(IID_IDirect3DTnLHalDevice, "Direct3D T&L HAL")})
        {
            if (accelerated->max_texture_width > 0)
                device.caps.dwMaxTextureWidth = static_cast<DWORD>(accelerated->max_texture_width);
            if (accelerated->max_texture_height > 0)
                device.caps.dwMaxTextureHeight = static_cast<DWORD>(accelerated->max_texture_height);
            device.description = std::string("Direct3D on ") + accelerated->name;
            driver.devices.push_back(device);
        }
    }
    return machine;
}
} // namespace Compat
