// The title screen left alone, as a player leaves the game open: the real program on a virtual
// display of 1280 x 1024 of its own, in its 800 x 600 window (a profile that asks for it) and on a
// first start (full screen: the 800 x 600 picture scaled to 1280 x 960 between bars), and its
// processor time over 10 s as a share of one core (the "core" counter: 1 is a whole core, all
// threads counted; "x_window": the full screen's share over the window's of the same run). With
// the software renderer (what the program takes by itself here: the display's GL is Mesa's,
// drawing on the processor) and with that GL asked for by name (SDL_RENDER_DRIVER=opengl, the
// hardware renderer on Mesa). The peer is the time of one frame of the same full-screen title drawn
// by the game's own loop (the kitchen test rig, in a child process of its own for each renderer),
// so the share of a core stands next to what one frame costs. Goal, software: at most 0.15 of a
// core full screen and at most 1.5 times the window's. Names end in /Corvane or /Peer. Pin it to a
// core on a busy machine:
//
//   taskset -c 3 build-rel/Benchmarks/idle_title_benchmark --benchmark_filter=Software
//
#include "Framework/DisplayChange.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Support/KitchenRig.h"
#include "VirtualDisplay.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>


namespace
{
namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Benchmarks::End;
using Benchmarks::Spawn;

constexpr auto kMeasured = 10s;
constexpr int kFramesTimed = 100;

// The renderer SDL is asked for, or the program's own choice for "".
void AskForRenderer(const char* driver)
{
    if (*driver)
        ::setenv("SDL_RENDER_DRIVER", driver, 1);
    else
        ::unsetenv("SDL_RENDER_DRIVER");
}

// Processor seconds of the process so far, all its threads.
double ProcessorSeconds(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 0; i < 13 && fields >> field; ++i)
        if (i >= 11) // user and system time
            ticks += std::stod(field);
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

bool WaitForLine(const fs::path& log, const std::string& line, pid_t pid)
{
    for (int i = 0; i < 1200; ++i)
    {
        std::ifstream file(log);
        const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (text.find(line) != std::string::npos)
            return true;
        if (::waitpid(pid, nullptr, WNOHANG) == pid)
            return false;
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

// A profile that asks for the 800 x 600 window instead of the first start's full screen.
void AskForWindow(const fs::path& data)
{
    fs::create_directories(data / "Trevold" / "Fennik");
    std::ofstream(data / "Trevold" / "Fennik" / "1.act")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<account>\n"
           "<record name=\"Corvane::AccountManager::Name\" value=\"TRVL_DEFAULT_PROFILE\"/>\n"
           "<record name=\"Corvane::AccountManager::IsCurrent\" value=\"true\"/>\n"
           "<record name=\"Corvane::Window::Mode\" value=\"0\"/>\n</account>\n";
}

// The windowed figure of this run, for the full screen's ratio to it.
double& WindowedShare()
{
    static double share = 0;
    return share;
}

void IdleTitle(benchmark::State& state, const char* driver, bool windowed)
{
    Benchmarks::UseVirtualDisplay();
    AskForRenderer(driver);
    char pattern[] = "/tmp/fennik-idle-XXXXXX";
    const fs::path home = ::mkdtemp(pattern);
    ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
    if (windowed)
        AskForWindow(home / "data");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const pid_t game = Spawn({FENNIK_PROGRAM}, &actions);
    posix_spawn_file_actions_destroy(&actions);
    const fs::path log = home / "data" / "Trevold" / "Fennik" / "Fennik.log";
    if (!WaitForLine(log, "TitleMode: the title screen is up", game))
        state.SkipWithError("the title screen never came");
    else
    {
        std::this_thread::sleep_for(2s); // settled
        for (auto _ : state)
        {
            const double before = ProcessorSeconds(game);
            std::this_thread::sleep_for(kMeasured);
            const double used = ProcessorSeconds(game) - before;
            state.SetIterationTime(std::chrono::duration<double>(kMeasured).count());
            state.counters["core"] = used / std::chrono::duration<double>(kMeasured).count();
            if (windowed)
                WindowedShare() = state.counters["core"];
            else if (WindowedShare() > 0)
                state.counters["x_window"] = state.counters["core"] / WindowedShare();
        }
        std::ifstream file(log);
        const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        state.SetLabel(text.find("Canvas2d:") != std::string::npos ? "software renderer" : "hardware renderer");
    }
    End(game);
    fs::remove_all(home);
}

// One full-screen title frame drawn by the game's loop, timed in a child process that has the
// renderer to itself (SDL decides on its renderers once per process).
void TitleFrame(benchmark::State& state, const char* driver)
{
    Benchmarks::UseVirtualDisplay();
    AskForRenderer(driver);
    int result[2];
    if (::pipe(result) != 0)
        std::abort();
    const pid_t child = ::fork();
    if (child == 0)
    {
        // As in the program: no diagnostics on the terminal, frames not kept for reading back.
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, 2);
        Compat::KeepPresentedFrames(false);
        double milliseconds = -1;
        {
            Corvane::Testing::KitchenRig rig;
            rig.Step(50); // a second at the title
            if (Corvane::GetDisplaySettings().windowMode == 1)
            {
                for (int i = 0; i < 10; ++i)
                    rig.DrawNow();
                const auto start = std::chrono::steady_clock::now();
                for (int i = 0; i < kFramesTimed; ++i)
                    rig.DrawNow();
                milliseconds =
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() /
                    kFramesTimed;
            }
        }
        (void)!::write(result[1], &milliseconds, sizeof milliseconds);
        ::_exit(0);
    }
    ::close(result[1]);
    double milliseconds = -1;
    if (::read(result[0], &milliseconds, sizeof milliseconds) != sizeof milliseconds)
        milliseconds = -1;
    ::close(result[0]);
    ::waitpid(child, nullptr, 0);
    if (milliseconds < 0)
    {
        state.SkipWithError("no full-screen title frame was drawn");
        return;
    }
    for (auto _ : state)
        state.SetIterationTime(milliseconds / 1000.0);
}

// Each renderer: the program left at its title in its 800 x 600 window, then full screen (on the
// 1280 x 1024 display, scaled), then the full-screen frame (SDL's choice here, and its GL).
const bool kRegistered = [] {
    for (const auto& [renderer, driver] : {std::pair{"Software", ""}, std::pair{"MesaGL", "opengl"}})
    {
        const std::string name = std::string("/") + renderer;
        for (const bool windowed : {true, false})
            benchmark::RegisterBenchmark(("IdleTitle" + name + (windowed ? "/Window800x600" : "/FullScreen1280x1024") +
                                          "/Corvane")
                                             .c_str(),
                                         IdleTitle, driver, windowed)
                ->UseManualTime()
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("TitleFrame" + name + "/FullScreen1280x1024/Peer").c_str(), TitleFrame, driver)
            ->UseManualTime()
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();
} // namespace
