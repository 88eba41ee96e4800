// A frame of the busiest kitchen of the campaign: the level with the most stations and dishes,
// played by the play bot (Support/PlayBot.h) on the built data through the kitchen test rig,
// headless, measured over the five seconds of play that held the most on screen (visible nodes
// plus live particles). A frame is what the game's loop does each 20 ms step: one update of the top
// screen and one draw of the screens. The bot's moves, and the rig's own steps between the
// measured frames, are left out of the timing. The peer "StartingKitchen" is the same level from
// its start, its dishes' cards closed and nothing cooked. Frames are presented as the program
// presents them (their pixels not kept for reading back). Each runs on the software renderer
// ("-software") and on the hardware one: headless on a stand-in display with 3D hardware, whose
// frames SDL's software renderer draws (under a display with SDL_VIDEODRIVER=x11, the GPU's). Goal: under 2 ms of CPU a frame
// on the software renderer. Counters: the frame's CPU as a share of the step, the average
// visible nodes, live particles and steps in the kitchen, and the process's peak resident memory.
// Names end in /Corvane or /Peer.
//
//   SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy build-rel/Benchmarks/busy_kitchen_benchmark
#include "CampaignPlay.h"

#include "Framework/CommandLine.h"
#include "Framework/IGraphicsPlatform.h"
#include "Framework/Looper.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Game/Kitchen/GameMode.h"
#include "Game/Kitchen/RecipeStep.h"
#include "Game/Menus/LevelOutroMode.h"
#include "SceneGraph/ParticleSystemNode.h"
#include "SceneGraph/SceneNode.h"
#include "Support/KitchenRig.h"
#include "Support/PlayBot.h"

#include <benchmark/benchmark.h>

#include <time.h>

#include <map>
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

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void KitchenFrames(benchmark::State& state, bool software, bool busy)
{
    const int spanStart = busy ? BusiestSpanStart() : 0;
    if (spanStart < 0)
    {
        state.SkipWithError("the busiest level gave no span of play");
        return;
    }
    // Headless, the hardware renderer starts on a stand-in display with 3D hardware.
    Compat::StandInForThisMachine(Compat::DefaultDisplayMachine());
    SetCommandLine(software ? L"fennik -software" : L"fennik");
    const FramesAsTheProgramPresents presenting;
    KitchenRig rig(kOptions);
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
    double cpu = 0;
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
        const double before = ThreadSeconds();
        looper.Update(kStepSeconds);
        looper.Draw();
        cpu += ThreadSeconds() - before;
    }
    const auto frames = static_cast<double>(state.iterations());
    if (frames > 0)
    {
        state.counters["cpu_share_of_step_%"] = cpu / frames / kStepSeconds * 100.0;
        state.counters["nodes"] = static_cast<double>(load.nodes) / frames;
        state.counters["particles"] = static_cast<double>(load.particles) / frames;
        state.counters["steps"] = static_cast<double>(load.steps) / frames;
    }
    state.counters["peak_rss_MB"] = ResidentMegabytes("VmHWM");
    SetCommandLine(L"");
}

} // namespace

BENCHMARK_CAPTURE(KitchenFrames, BusyKitchen_Software, true, true)->Name("BusyKitchen/Software/Corvane")->Iterations(kFrames)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(KitchenFrames, StartingKitchen_Software, true, false)->Name("StartingKitchen/Software/Peer")->Iterations(kFrames)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(KitchenFrames, BusyKitchen_Hardware, false, true)->Name("BusyKitchen/Hardware/Corvane")->Iterations(kFrames)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(KitchenFrames, StartingKitchen_Hardware, false, false)->Name("StartingKitchen/Hardware/Peer")->Iterations(kFrames)->Unit(benchmark::kMillisecond);
