#include "Widgets/ControlObject.h"

namespace Corvane
{
bool ControlObject::HitTest(float x, float y)
{
    return BoundsComponent::HitTest(x, y) && HitTestPixel(static_cast<int>(x), static_cast<int>(y));
}
} // namespace Corvane
