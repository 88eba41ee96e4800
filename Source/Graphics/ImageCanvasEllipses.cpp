// Circles and ellipses of the image canvas, through the shared software plotting.
#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "Graphics/SoftwareEllipse.h"

namespace Corvane::Graphics
{
int cImageCanvas::DrawLineCircle(float cx, float cy, float radius, const DrawState& state)
{
    return DrawCircle(cx, cy, radius, state, false);
}

int cImageCanvas::DrawFilledCircle(float cx, float cy, float radius, const DrawState& state)
{
    return DrawCircle(cx, cy, radius, state, true);
}

int cImageCanvas::DrawLineEllipse(const Rect<float>& bounds, const DrawState& state)
{
    return DrawEllipse(bounds, state, false);
}

int cImageCanvas::DrawFilledEllipse(const Rect<float>& bounds, const DrawState& state)
{
    return DrawEllipse(bounds, state, true);
}

SmallCircleRules cImageCanvas::SmallCircles(const DrawState& state)
{
    SmallCircleRules rules;
    // Too small for the point table: a 3 x 3 block in the state's colour.
    rules.unitCircle = [this, &state](int cx, int cy) { return FillRect(Rect<int>(cx - 1, cy - 1, 3, 3), state); };
    return rules;
}

int cImageCanvas::DrawCircle(float x, float y, float radius, const DrawState& state, bool filled)
{
    BlitSurface surface = Surface();
    return Drawn(PlotSoftwareCircle(surface, x, y, radius, state, filled, SmallCircles(state)));
}

int cImageCanvas::DrawEllipse(const Rect<float>& bounds, const DrawState& state, bool filled)
{
    BlitSurface surface = Surface();
    return Drawn(PlotSoftwareEllipse(surface, bounds, state, filled, SmallCircles(state)));
}
} // namespace Corvane::Graphics
