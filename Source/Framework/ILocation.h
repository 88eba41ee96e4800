// A widget's position in virtual-screen pixels.
#pragma once

#include "Graphics/Vector2.h"

namespace Corvane
{
class ILocation
{
public:
    virtual const Vector2<float>& GetLocation() const = 0;
    virtual void SetLocation(const Vector2<float>& location) = 0;
    virtual ~ILocation() = default;
};
} // namespace Corvane
