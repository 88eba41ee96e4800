// Frames as widget objects: a nine-brush stretched over its bounds and a three-brush along the
// width of its bounds, each drawn from image list pieces 0 on (BrushDrawing.h). Their factories,
// "ninebrush" and "threebrush", read only "images", the name of the image list resource; bounds,
// colour, alpha and depth are the owner's to set.
#pragma once

#include "Framework/Object.h"
#include "Widgets/Components.h"
#include "Widgets/ObjectFactory.h"

namespace Corvane
{
class IImageList;

class NineBrushObject : public Object,
                        public DrawableComponent,
                        public BoundsComponent,
                        public AlphaComponent,
                        public VisibleComponent
{
public:
    explicit NineBrushObject(Label name) : mName(name) {}

    Label GetName() const override { return mName; }
    // Not owned: the resource manager's. Null draws nothing.
    virtual void SetImages(IImageList* images) { mImages = images; }
    IImageList* GetImages() const { return mImages; }

    // Over the bounds, at the object's alpha.
    void Draw() override;

private:
    Label mName;
    IImageList* mImages = nullptr;
};

class ThreeBrushObject : public Object,
                         public DrawableComponent,
                         public BoundsComponent,
                         public VisibleComponent,
                         public ColorComponent
{
public:
    explicit ThreeBrushObject(Label name) : mName(name) {}

    Label GetName() const override { return mName; }
    virtual void SetImages(IImageList* images) { mImages = images; }
    IImageList* GetImages() const { return mImages; }

    // Horizontally from the bounds' corner along their width (the height is the pieces'), tinted
    // by the colour.
    void Draw() override;

private:
    Label mName;
    IImageList* mImages = nullptr;
};

class NineBrushObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};

class ThreeBrushObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};
} // namespace Corvane
