// A nine-brush frame behind other controls that swallows the mouse over it: moves, presses and
// releases over its bounds go to nobody beneath it. It never takes the keyboard focus and lets
// keys and the wheel pass. Its factory, "background", reads only "images", the image list's name.
#pragma once

#include "Widgets/ControlObject.h"
#include "Widgets/ObjectFactory.h"

namespace Corvane
{
class IImageList;

class BackgroundObject : public ControlObject
{
public:
    using ControlObject::ControlObject;

    // Not owned: the resource manager's.
    void SetImages(IImageList* images) { mImages = images; }
    IImageList* GetImages() const { return mImages; }

    // Over the bounds with the current draw state as it is.
    void Draw() override;

    bool MouseMove(int x, int y) override { return HitTestPoint(x, y); }
    bool MouseDown(int, int x, int y) override { return HitTestPoint(x, y); }
    bool MouseUp(int, int x, int y) override { return HitTestPoint(x, y); }
    bool CanTakeFocus() override { return false; }

private:
    IImageList* mImages = nullptr;
};

class BackgroundObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};
} // namespace Corvane
