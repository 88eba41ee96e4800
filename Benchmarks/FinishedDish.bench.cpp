// One frame of the level screen with the finished-dish popup over it (the dish in place, the meter,
// the knife and the wiped-in name band), drawn by the game's own loop on the built data through
// the kitchen test rig, headless. The peer "LevelScreen" draws the same level screen without the
// popup: the ratio of the two is the popup's price. Each runs on the software renderer
// ("-software") and on the hardware one, which needs an accelerated SDL renderer (a display with a
// GPU and SDL_VIDEODRIVER=x11; skipped without one). Goal: under 5 ms a frame in software. Names
// end in /Corvane or /Peer.
//
//   SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy build-rel/Benchmarks/finished_dish_benchmark
#include "AcceleratedRenderer.h"
#include "Framework/CommandLine.h"
#include "Framework/IGraphicsPlatform.h"
#include "Framework/Looper.h"
#include "Game/Kitchen/GameMode.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Support/KitchenRig.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// Soup_Veg_Easy: the plate type of the game's first recipe.
constexpr int kPlateType = 26;

void DrawKitchenFrame(benchmark::State& state, bool software, bool popup)
{
    // A typical PC with 3D hardware, whatever display runs the case.
    Compat::StandInForThisMachine(Compat::DefaultDisplayMachine());
    SetCommandLine(software ? L"fennik -software" : L"fennik");
    KitchenRig rig;
    if (!software && Benchmarks::SkipWithoutAcceleratedRenderer(state))
        return;
    GameMode* game = rig.StartLevel(0);
    if (!game)
    {
        state.SkipWithError("no level screen");
        return;
    }
    if (popup)
    {
        PushApplicationMode(new FinishedDishMode(game, kPlateType));
        // The dish has arrived and the band is wiped in; the popup has not closed yet.
        rig.Step(100);
        if (!rig.TopAs<FinishedDishMode>())
        {
            state.SkipWithError("the popup closed early");
            return;
        }
    }
    IGraphicsPlatform* graphics = IGraphicsPlatform::GetInstance();
    state.SetLabel(graphics ? graphics->GetName().c_str() : "no renderer");
    for (auto _ : state)
        Looper::GetInstance().Draw();
    SetCommandLine(L"");
}

// Software first, then hardware; each the popup's frame and its peer.
const bool kRegistered = [] {
    for (const bool software : {true, false})
        for (const bool popup : {true, false})
        {
            const std::string name = std::string(popup ? "FinishedDishFrame/" : "LevelScreenFrame/") +
                                     (software ? "Software" : "Hardware") + (popup ? "/Corvane" : "/Peer");
            benchmark::RegisterBenchmark(name.c_str(), DrawKitchenFrame, software, popup)
                ->Unit(benchmark::kMillisecond);
        }
    return true;
}();
} // namespace
