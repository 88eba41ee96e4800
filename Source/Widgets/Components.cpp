#include "Widgets/Components.h"

namespace Corvane
{
Vector2<float> LocationComponent::GetScreenLocation() const
{
    Vector2<float> sum = mLocation;
    for (const LocationComponent* parent = mParent; parent; parent = parent->mParent)
        sum += parent->mLocation;
    return sum;
}

void BoundsComponent::SetLocation(const Vector2<float>& location)
{
    SetBounds({location.x, location.y, mBounds.width, mBounds.height});
}

void BoundsComponent::SetBounds(const Rect<float>& bounds)
{
    mBounds = bounds;
    mLocation = {bounds.x, bounds.y};
}

bool BoundsComponent::HitTest(float x, float y)
{
    return x >= mBounds.x && x < mBounds.x + mBounds.width && y >= mBounds.y && y < mBounds.y + mBounds.height;
}

void BoundsComponent::SetWidth(float width)
{
    SetBounds({mBounds.x, mBounds.y, width, mBounds.height});
}

void BoundsComponent::SetHeight(float height)
{
    SetBounds({mBounds.x, mBounds.y, mBounds.width, height});
}
} // namespace Corvane
