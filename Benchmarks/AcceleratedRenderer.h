// The hardware renderer's cases time a frame on an accelerated SDL renderer. Without one (headless,
// or a display whose GL draws on the processor) SDL's software renderer would draw their frames,
// and the figure would be neither the hardware path's nor the software renderer's the game uses:
// such a case is skipped and says why.
#pragma once

#include "Platform/Compat/DirectDraw/DisplayMachine.h"

#include <benchmark/benchmark.h>

namespace Benchmarks
{
// True (the case is skipped) when this machine has no accelerated SDL renderer.
inline bool SkipWithoutAcceleratedRenderer(benchmark::State& state)
{
    if (Compat::HasAcceleratedRenderer())
        return false;
    state.SkipWithError("no accelerated renderer here (SDL would draw with its software renderer): run under a "
                        "display with a GPU, SDL_VIDEODRIVER=x11");
    return true;
}
} // namespace Benchmarks
