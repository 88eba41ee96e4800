// A line plotted pixel by pixel, for canvases that can set pixels but not draw lines.
#pragma once

#include "Graphics/DrawState.h"
#include "Graphics/DrawingInterfaces.h"

namespace Corvane::Graphics
{
// Bresenham from the rounded first end point to the rounded second, both plotted; only pixels
// inside the state's clip and bounds; the state's colour, blended over the pixel there with
// kDrawBlend. Returns 0.
int DrawSoftwareLine(IPixelSettingCanvas& canvas, const Rect<int>& bounds, float x1, float y1, float x2, float y2,
                     const DrawState& state);

// (int)(v + 0.5), with v first kept within +-2^24 so that any float gives a defined pixel.
int RoundCoordinate(float v);
// (int)v toward zero, with v first kept within +-2^29 (two of them add without overflow).
int TruncateCoordinate(float v);
} // namespace Corvane::Graphics
