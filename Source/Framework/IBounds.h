// A widget's rectangle; the object database asks it which object the mouse is over.
#pragma once

#include "Framework/ILocation.h"
#include "Graphics/Rect.h"

namespace Corvane
{
class IBounds : public ILocation
{
public:
    virtual const Rect<float>& GetBounds() const = 0;
    virtual void SetBounds(const Rect<float>& bounds) = 0;
    // The point (virtual-screen pixels) lies on the widget.
    virtual bool HitTest(float x, float y) = 0;
};
} // namespace Corvane
