// A frame of the busiest kitchen of the campaign: the level with the most stations and dishes,
// played by the play bot (Support/PlayBot.h) on the built data through the kitchen test rig, on a
// virtual X display of 1280 x 1024 of its own (Xvfb) with the software renderer, in the 800 x 600
// window and full screen (the picture scaled to 1280 x 960 between bars), measured over the five
// seconds of play that held the most on screen (visible nodes plus live particles). A frame is what
// the game's loop does each 20 ms step: one update of the top screen and one draw of the screens,
// presented as the program presents them (their pixels not kept for reading back). The bot's
// moves, and the rig's own steps between the measured frames, are left out. The time is the
// frame's processor time on the main thread (mean); counters: its median ("cpu_median_ms"), its
// share of the step, the average visible nodes, live particles and steps in the kitchen. The peer
// "StartingKitchen" is the same level from its start, its dishes' cards closed and nothing cooked.
// Goal: a median of at most 1.2 ms in the window and 2.0 ms full screen.
// "PeakMemory" plays level 1-1 full screen for 20 s of play, every frame drawn, in a process of its
// own (this program started again for that case alone): that process's peak resident memory
// ("peak_rss_MB"). Goal: at most 150 MB. Names end in /Corvane, /Peer or /PeakMemory. Pin it to a
// core on a busy machine:
//
//   taskset -c 3 build-rel/Benchmarks/busy_kitchen_benchmark
#include "CampaignPlay.h"

#include "Framework/CommandLine.h"
#include "Framework/DisplayChange.h"
#include "Framework/IGraphicsPlatform.h"
#include "Framework/Looper.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Game/Kitchen/GameMode.h"
#include "Game/Kitchen/RecipeStep.h"
#include "Game/Menus/LevelOutroMode.h"
#include "SceneGraph/ParticleSystemNode.h"
#include "SceneGraph/SceneNode.h"
#include "Support/KitchenRig.h"
#include "Support/PlayBot.h"
#include "VirtualDisplay.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr unsigned kSeed = 1;
// The program's own audio platform (over SDL's dummy driver), as the shipped game runs.
const KitchenRig::Options kOptions{kSeed, "", true, KitchenRig::Options::Sound::kReal};
// Measured frames; each is preceded by at least one step of the rig, so they span ten seconds of play.
constexpr int kFrames = 250;
constexpr int kSpanUpdates = 2 * kFrames;
constexpr float kStepSeconds = 0.02f;
constexpr int kLevelUpdateLimit = 30000;

struct Load
{
    long nodes = 0;
    long particles = 0;
    long steps = 0;
    long Score() const { return nodes + particles; }
    void Add(const Load& other)
    {
        nodes += other.nodes;
        particles += other.particles;
        steps += other.steps;
    }
};

void CountVisible(SceneNode* node, Load& load)
{
    if (!node->IsVisible())
        return;
    ++load.nodes;
    if (const auto* particles = dynamic_cast<ParticleSystemNode*>(node))
        load.particles += particles->GetCount();
    for (SceneNode* child : node->GetChildren())
        CountVisible(child, load);
}

// What the level screen holds now: its visible nodes, live particles and the steps at or on a station.
Load LoadOf(const PlayBot& bot)
{
    Load load;
    GameMode* game = bot.GetGame();
    if (!game)
        return load;
    if (SceneNode* root = game->GetRootNode())
        CountVisible(root, load);
    for (RecipeStep* step : bot.AllSteps())
        if (step->GetState() == RecipeStep::kAtStation || step->GetState() == RecipeStep::kCooking)
            ++load.steps;
    return load;
}

bool StartBusiestLevel(PlayBot& bot)
{
    const int level = BusiestLevelIndex();
    if (level < 0)
        return false;
    bot.SetGame(bot.StartLevel(level));
    return bot.GetGame() != nullptr;
}

// The update, counted from the level's start, where the busiest span of play begins: the bot plays
// the whole level once and the span whose samples hold the most on average wins. The rig's
// clock and random stream are the test's, so the same seed plays the same game again.
int BusiestSpanStart()
{
    static std::map<unsigned, int> found;
    if (const auto known = found.find(kSeed); known != found.end())
        return known->second;
    SetCommandLine(L"fennik -software");
    KitchenRig rig(kOptions);
    PlayBot bot(rig);
    int start = -1;
    if (StartBusiestLevel(bot))
    {
        const int begin = rig.GetUpdateCount();
        std::vector<std::pair<int, long>> samples; // update, score
        while (!rig.TopAs<LevelOutroMode>() && rig.GetUpdateCount() - begin < kLevelUpdateLimit)
        {
            bot.Move();
            rig.Step();
            samples.emplace_back(rig.GetUpdateCount() - begin, LoadOf(bot).Score());
        }
        // Two pointers over the samples: the span [first, first + kSpanUpdates) that ends before
        // the level does.
        const int end = samples.empty() ? 0 : samples.back().first;
        double best = -1;
        long sum = 0;
        std::size_t last = 0;
        for (std::size_t first = 0; first < samples.size() && samples[first].first + kSpanUpdates < end; ++first)
        {
            while (last < samples.size() && samples[last].first < samples[first].first + kSpanUpdates)
                sum += samples[last++].second;
            const double mean = static_cast<double>(sum) / static_cast<double>(last - first);
            if (mean > best)
            {
                best = mean;
                start = samples[first].first;
            }
            sum -= samples[first].second;
        }
    }
    SetCommandLine(L"");
    found[kSeed] = start;
    return start;
}

// As the program presents: the frames' pixels are not kept for reading back.
struct FramesAsTheProgramPresents
{
    FramesAsTheProgramPresents() { Compat::KeepPresentedFrames(false); }
    ~FramesAsTheProgramPresents() { Compat::KeepPresentedFrames(true); }
    FramesAsTheProgramPresents(const FramesAsTheProgramPresents&) = delete;
    FramesAsTheProgramPresents& operator=(const FramesAsTheProgramPresents&) = delete;
};

// The rig's window: the first start's full screen, or the 800 x 600 window.
void UseWindowMode(KitchenRig& rig, bool windowed)
{
    if (windowed)
    {
        SetWindowMode(0);
        rig.Step();
    }
}

void KitchenFrames(benchmark::State& state, bool windowed, bool busy)
{
    Benchmarks::UseVirtualDisplay();
    const int spanStart = busy ? BusiestSpanStart() : 0;
    if (spanStart < 0)
    {
        state.SkipWithError("the busiest level gave no span of play");
        return;
    }
    SetCommandLine(L"fennik -software");
    const FramesAsTheProgramPresents presenting;
    KitchenRig rig(kOptions);
    UseWindowMode(rig, windowed);
    PlayBot bot(rig);
    if (!StartBusiestLevel(bot))
    {
        state.SkipWithError("no level screen");
        return;
    }
    const int begin = rig.GetUpdateCount();
    while (busy && rig.GetUpdateCount() - begin < spanStart && rig.TopAs<GameMode>())
    {
        bot.Move();
        rig.Step();
    }
    IGraphicsPlatform* graphics = IGraphicsPlatform::GetInstance();
    state.SetLabel(graphics ? graphics->GetName().c_str() : "no renderer");
    Looper& looper = Looper::GetInstance();
    Load load;
    std::vector<double> cpu;
    for (auto _ : state)
    {
        state.PauseTiming();
        if (busy)
            bot.Move();
        else if (bot.GetGame()->GetPopup() != kNoObject)
            bot.ClosePopup();
        rig.Step();
        while (looper.HasPendingRequests())
            rig.Step();
        if (rig.TopAs<LevelOutroMode>())
        {
            state.SkipWithError("the level ended before the frames were measured");
            break;
        }
        load.Add(LoadOf(bot));
        state.ResumeTiming();
        const double before = Benchmarks::ThreadSeconds();
        looper.Update(kStepSeconds);
        looper.Draw();
        cpu.push_back(Benchmarks::ThreadSeconds() - before);
        state.SetIterationTime(cpu.back());
    }
    const auto frames = static_cast<double>(cpu.size());
    if (frames > 0)
    {
        double total = 0;
        for (const double frame : cpu)
            total += frame;
        std::nth_element(cpu.begin(), cpu.begin() + cpu.size() / 2, cpu.end());
        state.counters["cpu_median_ms"] = cpu[cpu.size() / 2] * 1000.0;
        state.counters["cpu_share_of_step_%"] = total / frames / kStepSeconds * 100.0;
        state.counters["nodes"] = static_cast<double>(load.nodes) / frames;
        state.counters["particles"] = static_cast<double>(load.particles) / frames;
        state.counters["steps"] = static_cast<double>(load.steps) / frames;
    }
    SetCommandLine(L"");
}

constexpr const char* kFreshVariable = "CORVANE_FRESH_LEVEL_FD";
constexpr const char* kPeakMemoryName = "Level1-1/Software/FullScreen1280x1024/PeakMemory";
constexpr int kPeakMemoryUpdates = 1000;

// In the process of its own: level 1-1 played full screen with every frame drawn; its peak
// resident memory written to the descriptor the variable names.
void PlayOneLevel(int answer)
{
    SetCommandLine(L"fennik -software");
    double peak = -1;
    {
        const FramesAsTheProgramPresents presenting;
        KitchenRig::Options options = kOptions;
        options.keepDecodes = false;
        KitchenRig rig(options);
        PlayBot bot(rig);
        bot.SetGame(bot.StartLevel(0));
        Looper& looper = Looper::GetInstance();
        for (int update = 0; bot.GetGame() && update < kPeakMemoryUpdates && !rig.TopAs<LevelOutroMode>(); ++update)
        {
            bot.Move();
            rig.Step();
            looper.Draw();
        }
        if (bot.GetGame())
            peak = ResidentMegabytes("VmHWM");
    }
    (void)!::write(answer, &peak, sizeof peak);
}

void PeakMemory(benchmark::State& state)
{
    Benchmarks::UseVirtualDisplay();
    if (const char* answer = std::getenv(kFreshVariable))
    {
        PlayOneLevel(std::atoi(answer));
        for (auto _ : state)
            state.SetIterationTime(1);
        return;
    }
    int ends[2];
    if (::pipe(ends) != 0)
        std::abort();
    ::setenv(kFreshVariable, std::to_string(ends[1]).c_str(), 1);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    const pid_t fresh = Benchmarks::Spawn(
        {"/proc/self/exe", std::string("--benchmark_filter=^") + kPeakMemoryName}, &quiet);
    posix_spawn_file_actions_destroy(&quiet);
    ::unsetenv(kFreshVariable);
    ::close(ends[1]);
    double peak = -1;
    if (fresh < 0 || ::read(ends[0], &peak, sizeof peak) != sizeof peak)
        peak = -1;
    ::close(ends[0]);
    if (fresh > 0)
        ::waitpid(fresh, nullptr, 0);
    if (peak < 0)
        state.SkipWithError("the level was not played");
    for (auto _ : state)
        state.SetIterationTime(1);
    state.counters["peak_rss_MB"] = peak;
}

} // namespace

// The window first, then full screen, each busy and at its start.
const bool kRegistered = [] {
    for (const bool windowed : {true, false})
        for (const bool busy : {true, false})
        {
            const std::string name = std::string(busy ? "BusyKitchen" : "StartingKitchen") + "/Software/" +
                                     (windowed ? "Window800x600" : "FullScreen1280x1024") +
                                     (busy ? "/Corvane" : "/Peer");
            benchmark::RegisterBenchmark(name.c_str(), KitchenFrames, windowed, busy)
                ->Iterations(kFrames)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    return true;
}();
BENCHMARK(PeakMemory)->Name(kPeakMemoryName)->Iterations(1)->UseManualTime();
