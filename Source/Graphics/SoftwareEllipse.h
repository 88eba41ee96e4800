// Circles and ellipses plotted into a 32-bit pixel surface from the quarter-circle point tables,
// mirrored into the four quarters, in the state's colour written as it is (never blended), within
// the surface and the state's clip rectangle. The image canvas and the software renderer draw
// their circles and ellipses through it; they differ only on the smallest circles.
#pragma once

#include "Graphics/Blitter.h"
#include "Graphics/DrawState.h"

#include <functional>

namespace Corvane::Graphics
{
struct SmallCircleRules
{
    // A radius that rounds to 0 answers 0 (nothing drawn, no failure); otherwise 1.
    bool zeroRadiusAnswersDrawn = true;
    // Draws the circle of rounded radius 1 around (cx, cy) and answers its result; when empty the
    // point table's single point is plotted like any other radius.
    std::function<int(int cx, int cy)> unitCircle;
};

// The circle of radius about (x, y). 0 drawn; 1 when the colour is more than half transparent,
// the radius is negative or the circle misses the clip. A radius of exactly 0.5 is the centre
// pixel.
int PlotSoftwareCircle(BlitSurface& surface, float x, float y, float radius, const DrawState& state, bool filled,
                       const SmallCircleRules& rules);
// The ellipse inside bounds; bounds whose width and height differ by less than half a pixel give
// the circle of half the width.
int PlotSoftwareEllipse(BlitSurface& surface, const Rect<float>& bounds, const DrawState& state, bool filled,
                        const SmallCircleRules& rules);
} // namespace Corvane::Graphics
