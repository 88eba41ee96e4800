// Particle systems: one update of 2,000 and of 16,384 live particles (age, style from the 256-entry
// table, accelerate, damp, drift, move), against the peer "PlainLoop", the same motion over the
// same records with each particle's style interpolated directly from its life; and one frame
// drawing them as one sprite batch on the software renderer (stretched one by one into an
// 800 x 600 frame) and on the hardware renderer (one batch on the window's accelerated SDL
// renderer, under a display with a GPU and SDL_VIDEODRIVER=x11; skipped without one), the
// empty frame (0 particles) given for each so that the cost per particle can be read off.
// "per_particle" is the time of one particle (for drawing, the empty frame included). Names end in
// /Corvane or /Peer.
//
//   build-rel/Benchmarks/particles_benchmark --benchmark_min_time=0.5
#include "AcceleratedRenderer.h"
#include "Graphics/Image.h"
#include "Graphics/RenderContext.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Win32/D3D7GraphicsPlatform.h"
#include "Platform/Win32/DDraw7GraphicsPlatform.h"
#include "SceneGraph/ParticleSystemNode.h"
#include "Support/DisplayTestPlatform.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>
#include <type_traits>
#include <vector>

using namespace Corvane;

namespace
{
constexpr int kWidth = 800;
constexpr int kHeight = 600;
const ColorF kStart{1, 1, 1, 0.7f};
const ColorF kEnd{1, 0.6f, 0.2f, 0};

// A node holding count particles spread over the screen at mixed ages (lifetimes of 1 to 256 s,
// half a second gone), as particles emitted over time are. The runs take steps of a microsecond,
// so that none dies and the count stays.
std::unique_ptr<ParticleSystemNode> MakeSystem(int count, Image* image)
{
    auto node = std::make_unique<ParticleSystemNode>(image, kStart, kEnd, 1.0f, 0.25f, 0.0f);
    node->SetAcceleration(4.71f, 100);
    node->mDamping = 0.1f;
    node->mDrift = {3, 0};
    std::mt19937 random(5);
    std::uniform_real_distribution<float> unit(0, 1);
    for (int i = 0; i < count; ++i)
    {
        node->SetPosition(unit(random) * kWidth, unit(random) * kHeight);
        node->AddParticle({0, 0}, {unit(random) * 20 - 10, unit(random) * 20 - 10}, 1 + unit(random) * 255);
    }
    for (int i = 0; i < 5; ++i)
        node->UpdateParticles(0.1f);
    return node;
}

constexpr float kStep = 1e-6f;

// "per_particle": the time of one iteration divided by the particles (the empty frame counted as
// one).
void PerParticle(benchmark::State& state, int count)
{
    state.counters["per_particle"] = benchmark::Counter(
        double(std::max(count, 1)), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Update(benchmark::State& state)
{
    const int count = int(state.range(0));
    std::unique_ptr<ParticleSystemNode> node = MakeSystem(count, nullptr);
    for (auto _ : state)
    {
        node->UpdateParticles(kStep);
        benchmark::DoNotOptimize(node->GetParticles());
    }
    PerParticle(state, count);
}

// The same records and motion, the style interpolated per particle instead of looked up.
void PlainLoop(benchmark::State& state)
{
    const int count = int(state.range(0));
    std::unique_ptr<ParticleSystemNode> source = MakeSystem(count, nullptr);
    std::vector<Particle> particles(source->GetParticles(), source->GetParticles() + count);
    const Vector2<float> acceleration = source->mAcceleration, drift = source->mDrift;
    const float damping = source->mDamping;
    int live = count;
    for (auto _ : state)
    {
        const float dt = kStep;
        const float keep = 1 - damping * dt;
        for (int i = 0; i < live;)
        {
            Particle& p = particles[std::size_t(i)];
            p.life -= dt;
            if (p.life <= 0)
            {
                p = particles[std::size_t(--live)];
                continue;
            }
            const float t = p.life * p.invLifetime;
            p.color = {kEnd.red + (kStart.red - kEnd.red) * t, kEnd.green + (kStart.green - kEnd.green) * t,
                       kEnd.blue + (kStart.blue - kEnd.blue) * t, kEnd.alpha + (kStart.alpha - kEnd.alpha) * t};
            p.scaleX = p.scaleY = 0.25f + (1.0f - 0.25f) * t;
            p.vx = (p.vx + acceleration.x * dt) * keep;
            p.vy = (p.vy + acceleration.y * dt) * keep;
            p.x += p.vx * dt + drift.x * dt;
            p.y += p.vy * dt + drift.y * dt;
            ++i;
        }
        benchmark::DoNotOptimize(particles.data());
    }
    PerParticle(state, count);
}

// A soft 16 x 16 spark.
Image* Spark()
{
    static const std::unique_ptr<Image> image = [] {
        auto spark = std::make_unique<Image>(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
            {
                const float d = std::hypot(x - 7.5f, y - 7.5f) / 8;
                spark->SetPixel(x, y, PackedColor(std::clamp(1 - d, 0.0f, 1.0f) * 255) << 24 | 0xFFFFFF);
            }
        return spark;
    }();
    return image.get();
}

// One frame (begin, the node's draw, end) of a renderer set up in a headless window.
template <typename Renderer> void Frame(benchmark::State& state)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    // A typical PC with 3D hardware, whatever display runs the case.
    Compat::StandInForThisMachine(Compat::DefaultDisplayMachine());
    Testing::DisplayTestPlatform platform(kWidth, kHeight);
    Renderer renderer;
    DisplaySettings settings;
    settings.windowMode = 0;
    settings.width = kWidth;
    settings.height = kHeight;
    renderer.Setup(settings);
    if constexpr (std::is_same_v<Renderer, D3D7GraphicsPlatform>)
        if (Benchmarks::SkipWithoutAcceleratedRenderer(state))
            return;

    const int count = int(state.range(0));
    std::unique_ptr<ParticleSystemNode> node = MakeSystem(count, Spark());
    Graphics::ScopedDrawState onScreen({renderer.GetCanvas(), Graphics::DrawState()});
    for (auto _ : state)
    {
        if (renderer.BeginScene() == 0)
        {
            // The software renderer presents only drawn frames: the empty one is presented too.
            if constexpr (std::is_same_v<Renderer, DDraw7GraphicsPlatform>)
                renderer.SetPixel(0, 0, 0xFF000000);
            node->Draw({0, 0});
            renderer.EndScene();
        }
    }
    PerParticle(state, count);
}
} // namespace

BENCHMARK(Update)->Name("Update/Corvane")->Arg(2000)->Arg(16384);
BENCHMARK(PlainLoop)->Name("Update/Peer")->Arg(2000)->Arg(16384);
BENCHMARK(Frame<DDraw7GraphicsPlatform>)
    ->Name("SoftwareRenderer/Frame/Corvane")
    ->Arg(0)
    ->Arg(2000)
    ->Arg(16384)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(Frame<D3D7GraphicsPlatform>)
    ->Name("HardwareRenderer/Frame/Corvane")
    ->Arg(0)
    ->Arg(2000)
    ->Arg(16384)
    ->Unit(benchmark::kMicrosecond);
