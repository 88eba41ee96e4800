// The opaque untinted copies, shared by both loop tables: block moves need no per-pixel work.
#pragma once

#include "Graphics/BlitLoops.h"

namespace Corvane::Graphics::Internal
{
// The whole block at once; rows must be contiguous (both strides equal to the width).
void CopyWhole(const BlitRows& rows, const BlitColor& color);
// One block move per row.
void CopyRows(const BlitRows& rows, const BlitColor& color);
} // namespace Corvane::Graphics::Internal
