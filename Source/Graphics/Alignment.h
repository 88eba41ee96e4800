// Alignment of what is drawn around the given position, applied by the free drawing functions
// before they call a canvas (canvases never align).
#pragma once

#include "Graphics/DrawState.h"
#include "Graphics/Vector2.h"

namespace Corvane::Graphics
{
// How far an aligned position moves back: 0 for left/top, size / 2 (truncated toward zero) for
// centre, size for right/bottom; any other alignment counts as left/top.
int AlignmentShift(int alignment, int size);

// The top-left corner of a width x height picture aligned at (x, y).
Vector2<float> AlignPoint(const DrawState& state, int width, int height, float x, float y);
// The rectangle moved by its own size's alignment.
Rect<int> AlignRect(const DrawState& state, Rect<int> rect);
// The centre about which a width x height picture turned by angle is drawn so that its aligned
// point stays at (x, y); with both alignments centre the point is the centre.
Vector2<float> AlignRotated(const DrawState& state, float width, float height, float x, float y, float angle);
} // namespace Corvane::Graphics
