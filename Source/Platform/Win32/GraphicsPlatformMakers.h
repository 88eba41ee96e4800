// How IGraphicsPlatform::Create reaches the display device and the two renderers. Their own
// sources install these when they are built into the program; until then no renderer can start
// and Create reports "Could not create display".
#pragma once

#include <functional>

namespace Corvane
{
class IGraphicsPlatform;

namespace Internal
{
struct GraphicsPlatformMakers
{
    // Creates the display device when none exists; false when it cannot be made.
    std::function<bool()> createDisplay;
    // Adds bits to the display device's extra flags (graphics flag 4 asks for a depth buffer).
    std::function<void(int)> addDisplayFlags;
    // Each makes a renderer, which stores itself as the engine's graphics platform.
    std::function<IGraphicsPlatform*()> makeDirect3D;
    std::function<IGraphicsPlatform*()> makeDirectDraw;
};

GraphicsPlatformMakers& GetGraphicsPlatformMakers();
// The makers of the display device and the renderers built into the program (what the program
// starts with).
GraphicsPlatformMakers DefaultGraphicsPlatformMakers();
} // namespace Internal
} // namespace Corvane
