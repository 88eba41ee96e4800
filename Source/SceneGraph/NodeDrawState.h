// The draw state a display node draws with: a copy of the render context's current state with the
// node's clip rectangle when the node uses one. The node then puts its world colour (or alpha)
// into the slot its drawing reads.
#pragma once

#include "Graphics/DrawState.h"
#include "Graphics/RenderContext.h"
#include "SceneGraph/SceneNode.h"

inline Corvane::Graphics::DrawState MakeNodeDrawState(const SceneNode& node)
{
    Corvane::Graphics::DrawState state = Corvane::Graphics::GetRenderContext().state;
    if (node.IsClipRectUsed())
        state.clip = node.GetClipRect();
    return state;
}
