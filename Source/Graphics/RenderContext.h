// The render context: the canvas drawn on now and the draw state, with a stack of 64 saved
// contexts. Drawing code that wants other settings pushes, changes the current context, draws
// and pops.
//
// Each thread has its own context and stack. The main thread's starts on the screen-canvas
// proxy; a loader thread that builds a font draws into its image through its own context, so it
// never disturbs the main thread's drawing.
#pragma once

#include "Graphics/DrawState.h"

namespace Corvane::Graphics
{
class ICanvas;

struct RenderContext
{
    ICanvas* target = nullptr; // not owned; null means the screen-canvas proxy
    DrawState state;

    bool operator==(const RenderContext& o) const = default;
};

// How many contexts the stack holds.
constexpr int kRenderContextStackSize = 64;

// The calling thread's current context; it starts with the screen-canvas proxy as target and
// the default draw state.
RenderContext& GetRenderContext();
// The current target, or the screen-canvas proxy when it is null.
ICanvas* GetCurrentCanvas();
// Saves the current context on the stack and makes next current. A push beyond 64 is refused
// (returns false, the current context stays, and the matching pop does nothing), so callers
// that nest too deep lose their settings but no memory is overwritten.
bool PushDrawState(const RenderContext& next);
// Restores the context saved by the matching push; nothing on an empty stack.
void PopDrawState();
// Pushes now, pops when it goes out of scope.
class ScopedDrawState
{
public:
    explicit ScopedDrawState(const RenderContext& next) { PushDrawState(next); }
    ~ScopedDrawState() { PopDrawState(); }
    ScopedDrawState(const ScopedDrawState&) = delete;
    ScopedDrawState& operator=(const ScopedDrawState&) = delete;
};
// The number of saved contexts on the calling thread's stack.
int GetDrawStateDepth();
} // namespace Corvane::Graphics
