// The small interfaces widget objects are put together from, beside the ones the object database
// looks for (IDrawable, ILocation, IBounds, IInputHandler, IEnable, IVisible in Framework). Each
// has a one-value implementation in Components.h.
#pragma once

#include "Graphics/ColorF.h"
#include "Graphics/Vector2.h"

namespace Corvane
{
// Where the widget is on the screen: its own location plus those of the locations it is placed
// relative to.
class IScreenLocation
{
public:
    virtual Vector2<float> GetScreenLocation() const = 0;

protected:
    ~IScreenLocation() = default;
};

// Opacity, 0 to 1.
class IAlpha
{
public:
    virtual float GetAlpha() const = 0;
    virtual void SetAlpha(float alpha) = 0;
    virtual ~IAlpha() = default;
};

// A colour whose alpha is the IAlpha value.
class IColor : public IAlpha
{
public:
    virtual const ColorF& GetColor() const = 0;
    virtual void SetColor(const ColorF& color) = 0;
};

class IScale
{
public:
    virtual const Vector2<float>& GetScale() const = 0;
    virtual void SetScale(const Vector2<float>& scale) = 0;
    // Both axes.
    virtual void SetScale(float scale) = 0;
    virtual void SetScale(float x, float y) = 0;
    virtual ~IScale() = default;
};

// The draw state's alignments: 0 left (top), 1 centre, 2 right (bottom).
class IAlignment
{
public:
    virtual ~IAlignment() = default;
    virtual int GetHorizontalAlignment() const = 0;
    virtual void SetHorizontalAlignment(int alignment) = 0;
    virtual int GetVerticalAlignment() const = 0;
    virtual void SetVerticalAlignment(int alignment) = 0;
};

// Mirroring as the draw state's flags hold it, shifted down by two: 1 left-right, 2 top-bottom.
class IFlipState
{
public:
    virtual ~IFlipState() = default;
    virtual int GetFlipState() const = 0;
    virtual void SetFlipState(int flipState) = 0;
};
} // namespace Corvane
