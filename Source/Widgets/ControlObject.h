// The base of the interactive widget objects (button, background, and the check boxes, lists,
// sliders and text fields built on it). The object database offers it input, keeps focus and
// capture for it and delivers the messages by which it reports what the user did. A point is on
// the control when it lies in the bounds and the control's image test (HitTestPixel) takes it,
// so that transparent parts of a control's picture take no presses.
#pragma once

#include "Framework/InputHandlerComponent.h"
#include "Framework/Object.h"
#include "Widgets/Components.h"
#include "Widgets/FontComponent.h"

namespace Corvane
{
class ControlObject : public Object,
                      public DrawableComponent,
                      public BoundsComponent,
                      public ColorComponent,
                      public EnableComponent,
                      public FontComponent,
                      public VisibleComponent,
                      public InputHandlerComponent
{
public:
    explicit ControlObject(Label name) : mName(name) {}

    Label GetName() const override { return mName; }
    // In the bounds (right and bottom edges excluded) and taken by HitTestPixel.
    bool HitTest(float x, float y) override;
    // The image test of a point known to lie in the bounds; the base takes every point.
    virtual bool HitTestPixel(int /*x*/, int /*y*/) { return true; }
    // HitTest through its virtual slot, for the mouse handlers.
    bool HitTestPoint(int x, int y) { return HitTest(static_cast<float>(x), static_cast<float>(y)); }

private:
    Label mName;
};
} // namespace Corvane
