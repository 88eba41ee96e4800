#include "Graphics/RenderContext.h"

#include "Debug.h"
#include "Graphics/ScreenCanvasProxy.h"

#include <array>

namespace Corvane::Graphics
{
namespace
{
struct ContextStack
{
    RenderContext current{GetScreenCanvasProxy(), GetDefaultDrawState()};
    std::array<RenderContext, kRenderContextStackSize> saved;
    int count = 0;
    // Pushes refused beyond the limit; their pops must not unwind a real level.
    int refused = 0;
};

ContextStack& Stack()
{
    thread_local ContextStack stack;
    return stack;
}
} // namespace

RenderContext& GetRenderContext()
{
    return Stack().current;
}

ICanvas* GetCurrentCanvas()
{
    ICanvas* target = Stack().current.target;
    return target ? target : GetScreenCanvasProxy();
}

bool PushDrawState(const RenderContext& next)
{
    ContextStack& stack = Stack();
    if (stack.count >= kRenderContextStackSize)
    {
        ++stack.refused;
        DebugPrint("PushDrawState: more than %d nested pushes; the context is left unchanged.\n",
                   kRenderContextStackSize);
        return false;
    }
    // Copy first: next may be the current context itself.
    const RenderContext incoming = next;
    stack.saved[stack.count++] = stack.current;
    stack.current = incoming;
    return true;
}

void PopDrawState()
{
    ContextStack& stack = Stack();
    if (stack.refused > 0)
    {
        --stack.refused;
        return;
    }
    if (stack.count > 0)
        stack.current = stack.saved[--stack.count];
}

int GetDrawStateDepth()
{
    return Stack().count;
}
} // namespace Corvane::Graphics
