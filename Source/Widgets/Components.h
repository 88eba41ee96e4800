// The one-value implementations of the widget interfaces. A widget object derives from Object and
// from the components it is made of, and overrides what must react to a change.
#pragma once

#include "Framework/IBounds.h"
#include "Framework/IDrawable.h"
#include "Framework/IEnable.h"
#include "Framework/IVisible.h"
#include "Widgets/WidgetInterfaces.h"

namespace Corvane
{
// Depth 0; draws nothing.
class DrawableComponent : public IDrawable
{
public:
    float GetDepth() const override { return mDepth; }
    void SetDepth(float depth) override { mDepth = depth; }
    void Draw() override {}

private:
    float mDepth = 0.0f;
};

// A location, optionally relative to another one: the screen location adds up the chain.
class LocationComponent : public ILocation, public IScreenLocation
{
public:
    const Vector2<float>& GetLocation() const override { return mLocation; }
    void SetLocation(const Vector2<float>& location) override { mLocation = location; }
    Vector2<float> GetScreenLocation() const override;
    // Places this location relative to parent's (null: to the screen). parent must outlive this
    // component or be unset first; a chain must not loop.
    void SetParentLocation(const LocationComponent* parent) { mParent = parent; }

private:
    Vector2<float> mLocation;
    const LocationComponent* mParent = nullptr;
};

// A rectangle whose top-left corner is the location. Every change goes through SetBounds, so a
// class that overrides it sees them all. Hits exclude the right and bottom edges.
class BoundsComponent : public IBounds
{
public:
    const Vector2<float>& GetLocation() const override { return mLocation; }
    // Keeps the size.
    void SetLocation(const Vector2<float>& location) override;
    const Rect<float>& GetBounds() const override { return mBounds; }
    void SetBounds(const Rect<float>& bounds) override;
    bool HitTest(float x, float y) override;
    // Replace one field through SetBounds.
    void SetWidth(float width);
    void SetHeight(float height);

private:
    Rect<float> mBounds{0, 0, 0, 0};
    Vector2<float> mLocation; // the bounds' corner, for GetLocation's reference
};

// Opaque white; the alpha is the colour's.
class ColorComponent : public IColor
{
public:
    float GetAlpha() const override { return mColor.alpha; }
    void SetAlpha(float alpha) override { mColor.alpha = alpha; }
    const ColorF& GetColor() const override { return mColor; }
    void SetColor(const ColorF& color) override { mColor = color; }

private:
    ColorF mColor{1.0f, 1.0f, 1.0f, 1.0f};
};

// An opacity for widgets without a colour; 1 at first.
class AlphaComponent : public IAlpha
{
public:
    float GetAlpha() const override { return mAlpha; }
    void SetAlpha(float alpha) override { mAlpha = alpha; }

private:
    float mAlpha = 1.0f;
};

class EnableComponent : public IEnable
{
public:
    explicit EnableComponent(bool enabled = true) : mEnabled(enabled) {}
    bool IsEnabled() const override { return mEnabled; }
    void SetEnabled(bool enabled) override { mEnabled = enabled; }

private:
    bool mEnabled;
};

// Visible at first.
class VisibleComponent : public IVisible
{
public:
    bool IsVisible() const override { return mVisible; }
    void SetVisible(bool visible) override { mVisible = visible; }

private:
    bool mVisible = true;
};

// (1, 1) at first.
class ScaleComponent : public IScale
{
public:
    const Vector2<float>& GetScale() const override { return mScale; }
    void SetScale(const Vector2<float>& scale) override { mScale = scale; }
    void SetScale(float scale) override { mScale = {scale, scale}; }
    void SetScale(float x, float y) override { mScale = {x, y}; }

private:
    Vector2<float> mScale{1.0f, 1.0f};
};

// Left and top at first.
class AlignmentComponent : public IAlignment
{
public:
    int GetHorizontalAlignment() const override { return mHorizontal; }
    void SetHorizontalAlignment(int alignment) override { mHorizontal = alignment; }
    int GetVerticalAlignment() const override { return mVertical; }
    void SetVerticalAlignment(int alignment) override { mVertical = alignment; }

private:
    int mHorizontal = 0;
    int mVertical = 0;
};

// Not mirrored at first.
class FlipStateComponent : public IFlipState
{
public:
    int GetFlipState() const override { return mFlipState; }
    void SetFlipState(int flipState) override { mFlipState = flipState; }

private:
    int mFlipState = 0;
};
} // namespace Corvane
