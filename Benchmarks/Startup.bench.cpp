// The game's start-up to its title screen: the real program, each run a first start (a new home
// folder), from launch until it writes "TitleMode: the title screen is up" in its debug output
// (CORVANE_DEBUG=1; the title is drawn in the frame that follows). Two cases:
// - "StartupToTitle/PlayerFirstStart_Xvfb1280x1024": as a player meets it. The program as built,
//   its splash pictures shown for their full times, full screen (a first start's choice) on an X
//   display of 1280 x 1024 of the benchmark's own (Xvfb), SDL choosing its drivers as for a player
//   (the renderer the program takes by itself; sound when the machine has a device).
//   "splashes_s" is the splash sequence's length as the "Loading" manifest sets it: no start that
//   shows the splashes is shorter.
// - "StartupToTitle/NoSplashes_Headless": the loading alone. A copy of the data folder whose splash
//   times are 0, on SDL's dummy video and sound drivers.
// Both report "cpu_s", the program's processor time to the title (all threads), "peak_rss_MB", its
// peak resident memory then, and "loading_work_s", the sum of the loading worker's group times
// from the program's own report. The peer "ReadDataFiles" reads every file of the data folder into
// memory, the least any loading must do. Names end in /Corvane or /Peer. Goals: under 1 s of loading
// work, under 150 MB at the title.
//
//   build-rel/Benchmarks/startup_benchmark      (three starts of each case)
#include "VirtualDisplay.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kTitleLine = "TitleMode: the title screen is up";
constexpr auto kLongestStart = std::chrono::seconds(120);
const char* const kSplashTimes[] = {"\"SplashScreenVisibleTime\"", "\"SplashScreenCrossFadeTime\""};

const fs::path kDataFolder = fs::path(FENNIK_PROGRAM).parent_path();

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Where the value of the element named name (quoted) starts and how long it is; aborts when the
// manifest has none, for then the case would time something else.
std::pair<std::size_t, std::size_t> ValueOf(const std::string& manifest, const char* name)
{
    const std::size_t element = manifest.find(name);
    const std::size_t value = manifest.find("value=\"", element);
    const std::size_t end = manifest.find('"', value + 7);
    if (element == std::string::npos || value == std::string::npos || end == std::string::npos)
        std::abort();
    return {value + 7, end - value - 7};
}

// The "Loading" manifest with the splash times set to 0.
std::string WithoutSplashTimes(std::string manifest)
{
    for (const char* name : kSplashTimes)
    {
        const auto [at, length] = ValueOf(manifest, name);
        manifest.replace(at, length, "0");
    }
    return manifest;
}

// The splash sequence's length: each picture "Splash<n>" fades in and stays, the last fades out.
double SplashSeconds(const std::string& manifest)
{
    const auto seconds = [&](const char* name) {
        const auto [at, length] = ValueOf(manifest, name);
        return std::strtod(manifest.substr(at, length).c_str(), nullptr);
    };
    int pictures = 0;
    while (manifest.find("name=\"Splash" + std::to_string(pictures + 1) + "\"") != std::string::npos)
        ++pictures;
    return pictures * (seconds(kSplashTimes[0]) + seconds(kSplashTimes[1])) + seconds(kSplashTimes[1]);
}

// A program folder beside the built one: the program copied (it finds its data beside its own
// file), everything else linked, the "Loading" manifest with splash times of 0.
class ProgramWithoutSplashes
{
public:
    ProgramWithoutSplashes()
    {
        char pattern[] = "/tmp/fennik-startup-XXXXXX";
        mRoot = ::mkdtemp(pattern);
        const fs::path folder = mRoot / "Data";
        fs::create_directories(folder / "Manifests");
        for (const fs::directory_entry& entry : fs::directory_iterator(kDataFolder))
            if (entry.path().filename() != "Manifests" && entry.path().filename() != "fennik")
                fs::create_symlink(entry.path(), folder / entry.path().filename());
        for (const fs::directory_entry& entry : fs::directory_iterator(kDataFolder / "Manifests"))
            if (entry.path().filename() != "Loading.xml")
                fs::create_symlink(entry.path(), folder / "Manifests" / entry.path().filename());
        std::ofstream(folder / "Manifests" / "Loading.xml")
            << WithoutSplashTimes(ReadText(kDataFolder / "Manifests" / "Loading.xml"));
        fs::copy_file(FENNIK_PROGRAM, folder / "fennik");
        fs::permissions(folder / "fennik", fs::perms::owner_all);
    }
    ~ProgramWithoutSplashes() { fs::remove_all(mRoot); }

    fs::path Program() const { return mRoot / "Data" / "fennik"; }

private:
    fs::path mRoot;
};

// A new home folder for one run, as a new player's, with its own profiles (the game allows one
// copy on them) and runtime folder; removed after the run.
class FreshHome
{
public:
    FreshHome()
    {
        char pattern[] = "/tmp/fennik-home-XXXXXX";
        mHome = ::mkdtemp(pattern);
        fs::create_directory(mHome / "run");
        ::chmod((mHome / "run").c_str(), 0700);
        ::setenv("HOME", mHome.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (mHome / "run").c_str(), 1);
        for (const char* folder : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            ::unsetenv(folder);
    }
    ~FreshHome() { fs::remove_all(mHome); }
    FreshHome(const FreshHome&) = delete;
    FreshHome& operator=(const FreshHome&) = delete;

private:
    fs::path mHome;
};

struct Run
{
    double seconds = 0;        // launch to the title
    double cpuSeconds = 0;     // the program's processor time then
    double peakMegabytes = 0;  // its peak resident memory then
    double loadingSeconds = 0; // the worker's group times
};

double PeakResidentMegabytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    return 0;
}

// User and system time of every thread of the process so far.
double ProcessorSeconds(pid_t pid)
{
    const std::string stat = ReadText("/proc/" + std::to_string(pid) + "/stat");
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 0; i < 13 && fields >> field; ++i)
        if (i >= 11)
            ticks += std::stod(field);
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// The worker's group times, "\tTask <i> - <microseconds>\n" each.
double LoadingSeconds(const std::string& output)
{
    double seconds = 0;
    for (std::size_t at = output.find("\tTask "); at != std::string::npos; at = output.find("\tTask ", at + 1))
        if (const std::size_t dash = output.find(" - ", at); dash != std::string::npos)
            seconds += std::strtod(output.c_str() + dash + 3, nullptr) / 1e6;
    return seconds;
}

// Reads the program's output until the title line (true) or its end, or the longest start.
bool ReadUntilTitle(int from, std::string& output)
{
    const Clock::time_point deadline = Clock::now() + kLongestStart;
    char buffer[4096];
    while (output.find(kTitleLine) == std::string::npos)
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd ready{from, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            return false;
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        output.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

// Starts program in the environment set up, reads its debug output until the title screen is up,
// measures, ends it.
Run StartToTitle(benchmark::State& state, const fs::path& program)
{
    int out[2];
    if (::pipe(out) != 0)
        std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 2);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    // The program's debug output, which it otherwise keeps in its log only; error boxes there too,
    // where a box on the display would wait for a click.
    ::setenv("CORVANE_DEBUG", "1", 1);
    ::setenv("CORVANE_ERROR_BOX", "stderr", 1);

    const Clock::time_point start = Clock::now();
    const pid_t pid = Benchmarks::Spawn({program.string()}, &actions);
    ::close(out[1]);
    posix_spawn_file_actions_destroy(&actions);
    if (pid < 0)
    {
        ::close(out[0]);
        state.SkipWithError("the program could not be started");
        return {};
    }
    Run run;
    std::string output;
    const bool titled = ReadUntilTitle(out[0], output);
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.cpuSeconds = ProcessorSeconds(pid);
    run.peakMegabytes = PeakResidentMegabytes(pid);
    run.loadingSeconds = LoadingSeconds(output);
    ::close(out[0]);
    Benchmarks::End(pid);
    if (!titled)
    {
        const std::size_t tail = output.size() > 2000 ? output.size() - 2000 : 0;
        state.SkipWithError(("the program never reached the title screen: " + output.substr(tail)).c_str());
        return {};
    }
    return run;
}

// Runs the program to its title once per iteration, each in a new home folder, and reports the
// averages (the peak memory's highest).
void TimeStarts(benchmark::State& state, const fs::path& program)
{
    Run total;
    int runs = 0;
    for (auto _ : state)
    {
        const FreshHome home;
        const Run run = StartToTitle(state, program);
        state.SetIterationTime(run.seconds);
        total.cpuSeconds += run.cpuSeconds;
        total.loadingSeconds += run.loadingSeconds;
        total.peakMegabytes = std::max(total.peakMegabytes, run.peakMegabytes);
        ++runs;
    }
    state.counters["cpu_s"] = runs ? total.cpuSeconds / runs : 0;
    state.counters["peak_rss_MB"] = total.peakMegabytes;
    state.counters["loading_work_s"] = runs ? total.loadingSeconds / runs : 0;
}

void PlayerFirstStart(benchmark::State& state)
{
    Benchmarks::UseVirtualDisplay();
    ::unsetenv("SDL_VIDEODRIVER");
    ::unsetenv("SDL_AUDIODRIVER");
    ::unsetenv("SDL_RENDER_DRIVER");
    state.counters["splashes_s"] = SplashSeconds(ReadText(kDataFolder / "Manifests" / "Loading.xml"));
    TimeStarts(state, FENNIK_PROGRAM);
}

void NoSplashesHeadless(benchmark::State& state)
{
    static const ProgramWithoutSplashes copy;
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    TimeStarts(state, copy.Program());
}

// Each start is timed by hand, from launch to the title line.
const bool kRegistered = [] {
    for (const auto& [name, starts] :
         {std::pair{"StartupToTitle/PlayerFirstStart_Xvfb1280x1024/Corvane", &PlayerFirstStart},
          std::pair{"StartupToTitle/NoSplashes_Headless/Corvane", &NoSplashesHeadless}})
        benchmark::RegisterBenchmark(name, starts)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
    return true;
}();

// Every file the game's data folder holds, read whole: the floor under any loading.
void ReadDataFiles(benchmark::State& state)
{
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kDataFolder))
        if (entry.is_regular_file() && entry.path().filename() != "fennik")
            files.push_back(entry.path());
    std::size_t bytes = 0;
    for (auto _ : state)
    {
        for (const fs::path& file : files)
        {
            std::ifstream in(file, std::ios::binary);
            std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            bytes += content.size();
            benchmark::DoNotOptimize(content.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(ReadDataFiles)->Name("ReadDataFiles/Peer")->Unit(benchmark::kMillisecond);
} // namespace
