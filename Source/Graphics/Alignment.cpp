#include "Graphics/Alignment.h"

#include "Graphics/GraphicsMath.h"

namespace Corvane::Graphics
{
namespace
{
// Offset of the centre from the aligned point, along one axis.
float CentreOffset(int alignment, float size)
{
    switch (alignment)
    {
    case kAlignCenter: return 0.0f;
    case kAlignRight: return -size / 2;
    default: return size / 2;
    }
}
} // namespace

int AlignmentShift(int alignment, int size)
{
    switch (alignment)
    {
    case kAlignCenter: return size / 2;
    case kAlignRight: return size;
    default: return 0;
    }
}

Vector2<float> AlignPoint(const DrawState& state, int width, int height, float x, float y)
{
    return {x - static_cast<float>(AlignmentShift(state.horizontalAlignment, width)),
            y - static_cast<float>(AlignmentShift(state.verticalAlignment, height))};
}

Rect<int> AlignRect(const DrawState& state, Rect<int> rect)
{
    rect.x -= AlignmentShift(state.horizontalAlignment, rect.width);
    rect.y -= AlignmentShift(state.verticalAlignment, rect.height);
    return rect;
}

Vector2<float> AlignRotated(const DrawState& state, float width, float height, float x, float y, float angle)
{
    if (state.horizontalAlignment == kAlignCenter && state.verticalAlignment == kAlignCenter)
        return {x, y};
    const Vector2<float> offset(CentreOffset(state.horizontalAlignment, width),
                                CentreOffset(state.verticalAlignment, height));
    return Vector2<float>(x, y) + RotateVector(angle, offset);
}
} // namespace Corvane::Graphics
