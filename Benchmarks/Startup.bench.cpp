// The game's start-up to its title screen, as a player meets it: the real program in a copy of its
// built data folder whose splash times are 0, headless (SDL's dummy drivers), from launch to the
// title screen's first update. Reported: the wall time to the title, the loading work (the sum of
// the worker's group times from the program's own report), and the program's peak resident memory
// at the title. The peer "ReadDataFiles" reads every file of the data folder into memory, the least
// any loading must do. Names end in /Corvane or /Peer. Goals: under 1 s of loading work, under
// 150 MB at the title.
//
//   build-rel/Benchmarks/startup_benchmark --benchmark_min_time=3x
#include <benchmark/benchmark.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
namespace fs = std::filesystem;

// The manifest with the values of "SplashScreenVisibleTime" and "SplashScreenCrossFadeTime" set to 0.
std::string WithoutSplashTimes(std::string manifest)
{
    for (const char* name : {"\"SplashScreenVisibleTime\"", "\"SplashScreenCrossFadeTime\""})
    {
        const std::size_t element = manifest.find(name);
        const std::size_t value = manifest.find("value=\"", element);
        const std::size_t end = manifest.find('"', value + 7);
        if (element == std::string::npos || value == std::string::npos || end == std::string::npos)
            std::abort();
        manifest.replace(value + 7, end - value - 7, "0");
    }
    return manifest;
}

// A program folder beside the built one: the program copied (it finds its data beside its own
// file), everything else linked, the "Loading" manifest with splash times of 0.
class ProgramCopy
{
public:
    ProgramCopy()
    {
        char pattern[] = "/tmp/fennik-startup-XXXXXX";
        mRoot = mkdtemp(pattern);
        const fs::path data = fs::path(FENNIK_PROGRAM).parent_path();
        mFolder = mRoot / "Data";
        fs::create_directories(mFolder / "Manifests");
        for (const fs::directory_entry& entry : fs::directory_iterator(data))
            if (entry.path().filename() != "Manifests" && entry.path().filename() != "fennik")
                fs::create_symlink(entry.path(), mFolder / entry.path().filename());
        for (const fs::directory_entry& entry : fs::directory_iterator(data / "Manifests"))
            if (entry.path().filename() != "Loading.xml")
                fs::create_symlink(entry.path(), mFolder / "Manifests" / entry.path().filename());
        std::ifstream in(data / "Manifests" / "Loading.xml");
        std::stringstream text;
        text << in.rdbuf();
        std::ofstream(mFolder / "Manifests" / "Loading.xml") << WithoutSplashTimes(text.str());
        fs::copy_file(FENNIK_PROGRAM, mFolder / "fennik");
        fs::permissions(mFolder / "fennik", fs::perms::owner_all);
        fs::create_directories(mRoot / "user");
    }
    ~ProgramCopy() { fs::remove_all(mRoot); }

    fs::path Program() const { return mFolder / "fennik"; }
    fs::path DataFolder() const { return mFolder; }
    fs::path Root() const { return mRoot; }

private:
    fs::path mRoot;
    fs::path mFolder;
};

ProgramCopy& Copy()
{
    static ProgramCopy copy;
    return copy;
}

struct Run
{
    double seconds = 0;        // launch to the title
    double loadingSeconds = 0; // the worker's group times
    double peakMegabytes = 0;  // peak resident memory at the title
};

double PeakResidentMegabytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    return 0;
}

// Starts the program, reads its debug output until the title screen is up, measures, quits it.
Run StartToTitle(benchmark::State& state)
{
    int out[2];
    if (pipe(out) != 0)
        std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 2);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string user = (Copy().Root() / "user").string();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("XDG_DATA_HOME", user.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", user.c_str(), 1);
    // The program's debug output, which it otherwise keeps in its log only.
    setenv("CORVANE_DEBUG", "1", 1);
    const std::string program = Copy().Program().string();
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0)
    {
        state.SkipWithError("the program could not be started");
        return {};
    }
    close(out[1]);
    posix_spawn_file_actions_destroy(&actions);

    Run run;
    std::string output;
    char buffer[4096];
    bool titled = false;
    while (!titled)
    {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        output.append(buffer, static_cast<std::size_t>(n));
        titled = output.find("TitleMode: the title screen is up") != std::string::npos;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMegabytes = PeakResidentMegabytes(pid);
    kill(pid, SIGTERM);
    while (read(out[0], buffer, sizeof buffer) > 0)
    {
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!titled)
    {
        state.SkipWithError("the program never reached the title screen");
        return {};
    }
    // "\tTask <i> - <microseconds>\n" per group.
    for (std::size_t at = output.find("\tTask "); at != std::string::npos; at = output.find("\tTask ", at + 1))
    {
        const std::size_t dash = output.find(" - ", at);
        if (dash != std::string::npos)
            run.loadingSeconds += std::strtod(output.c_str() + dash + 3, nullptr) / 1e6;
    }
    return run;
}

void BM_StartupToTitle(benchmark::State& state)
{
    Run total;
    int runs = 0;
    for (auto _ : state)
    {
        const Run run = StartToTitle(state);
        state.SetIterationTime(run.seconds);
        total.loadingSeconds += run.loadingSeconds;
        total.peakMegabytes = std::max(total.peakMegabytes, run.peakMegabytes);
        ++runs;
    }
    state.counters["loading_work_s"] = runs ? total.loadingSeconds / runs : 0;
    state.counters["peak_rss_MB"] = total.peakMegabytes;
}
BENCHMARK(BM_StartupToTitle)->Name("StartupToTitle/Corvane")->UseManualTime()->Unit(benchmark::kMillisecond);

// Every file the game's data folder holds, read whole: the floor under any loading.
void BM_ReadDataFiles(benchmark::State& state)
{
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(fs::path(FENNIK_PROGRAM).parent_path()))
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
BENCHMARK(BM_ReadDataFiles)->Name("ReadDataFiles/Peer")->Unit(benchmark::kMillisecond);
} // namespace
