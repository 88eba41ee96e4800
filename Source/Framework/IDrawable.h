// A widget that draws itself; the object database keeps drawables sorted by depth and offers
// input to the topmost first.
#pragma once

namespace Corvane
{
class IDrawable
{
public:
    // Larger depths draw later, on top.
    virtual float GetDepth() const = 0;
    virtual void SetDepth(float depth) = 0;
    // Draws with the current render context.
    virtual void Draw() = 0;

protected:
    ~IDrawable() = default;
};
} // namespace Corvane
