// Bars that show a meter's value (IMeter, MeterComponent.h) between 0 and its maximum:
//
//   <meterbarnode images="HealthBar" direction="bottomToTop" max="100" start="40"/>
//   <discretemeterbarnode images="Pips" size="5" offset="2" max="5" start="3"/>
//
// "meterbarnode" fills along one of four directions: item 0 of its image list is the fill, item 1
// the track behind it, each repeated along the bar; the bar is "size" pixels long (0: the fill
// image's own extent). A bar that empties towards its start keeps the fill pattern fixed in place.
// "discretemeterbarnode" is a row or column of "size" cells, "offset" pixels apart: item 0 for a
// filled cell, item 1 for an empty one; value / max of the cells are filled, rounded down.
// Both draw nothing without images or with a maximum of 0 (no fill, no cells). Main thread only.
#pragma once

#include "SceneGraph/ImageListItems.h"
#include "SceneGraph/MeterComponent.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"

#include <string>

enum MeterDirection
{
    kMeterLeftToRight = 0,
    kMeterRightToLeft = 1,
    kMeterTopToBottom = 2,
    kMeterBottomToTop = 3,
};

// "leftToRight", "rightToLeft", "topToBottom", "bottomToTop" (exactly, case included); any other
// text gives left to right.
int ParseMeterDirection(const std::wstring& text);

class MeterBarNode : public SceneNode, public MeterComponent
{
public:
    // list: not owned (item 0 fill, item 1 track); size: the length in pixels, 0 or less for the
    // fill image's extent along the bar.
    MeterBarNode(Corvane::IImageList* list, int direction, int size);

    // Works the length out again and sizes the node: the length by the fill image's other extent.
    void UpdateSize();
    // Draws with list from now on (not owned) and sizes the node for it.
    void SetImageList(Corvane::IImageList* list);
    Corvane::IImageList* GetImageList() const { return mImages.GetList(); }
    int GetLength() const { return mLength; }
    // Pixels of the length filled at the present value.
    int GetFillLength() const;
    void Draw(const Corvane::Vector2<float>& offset) override;

private:
    bool IsHorizontal() const { return mDirection == kMeterLeftToRight || mDirection == kMeterRightToLeft; }
    // A strip of the item along the bar, length pixels from start, its pattern starting at source.
    void DrawStrip(int item, float x, float y, int length, int source, const Corvane::Graphics::DrawState& state);

    ImageListItems mImages;
    int mDirection;
    int mSize;
    int mLength = 0;
};

class DiscreteMeterBarNode : public SceneNode, public MeterComponent
{
public:
    // list: not owned (item 0 filled cell, item 1 empty cell); size cells, offset pixels apart.
    DiscreteMeterBarNode(Corvane::IImageList* list, int direction, int size, int offset);

    // Cells filled at the present value.
    int GetFilledCells() const;
    void Draw(const Corvane::Vector2<float>& offset) override;

private:
    Corvane::IImageList* mImages;
    int mDirection;
    int mSize;
    int mOffset;
};

class MeterBarNodeDescriptor : public SceneNodeDescriptor
{
public:
    Corvane::Label mImages;
    int mDirection = kMeterLeftToRight;
    int mSize = 0;
    float mMax = 0.0f;
    float mStart = 0.0f;
};

class DiscreteMeterBarNodeDescriptor : public MeterBarNodeDescriptor
{
public:
    int mOffset = 0;
};

// "images", "direction", "size" (negative: 0), "max", "start".
class MeterBarNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};

// As the bar's, and "offset" (negative: 0).
class DiscreteMeterBarNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
