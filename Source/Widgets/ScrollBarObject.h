// A vertical scroll bar: a three-piece channel and two arrow buttons of its own, named after it
// ("<name>ScrollUp" at its top, "<name>ScrollDown" at its bottom), which live in the object
// database beside it and report "ButtonClick" themselves. It finds them by name whenever it moves
// them and leaves them be when they are gone; removing the scroll bar does not remove them. The
// buttons are drawn above the channel (depth + 1). It has no value of its own; its thumb images
// are only kept.
//
// Its factory, "scrollbar", reads "channelImages", "thumbImages", "downArrowImages",
// "upArrowImages" and "sounds" (given to both buttons).
#pragma once

#include "Widgets/ControlObject.h"
#include "Widgets/ObjectFactory.h"

namespace Corvane
{
class ButtonObject;
class IImageList;
class SoundList;

class ScrollBarObject : public ControlObject
{
public:
    // Adds the two arrow buttons to the current object database (none without one).
    explicit ScrollBarObject(Label name);

    // Not owned: the resource manager's.
    void SetChannelImages(IImageList* images) { mChannelImages = images; }
    IImageList* GetChannelImages() const { return mChannelImages; }
    void SetThumbImages(IImageList* images) { mThumbImages = images; }
    IImageList* GetThumbImages() const { return mThumbImages; }
    // Kept and given to both buttons.
    void SetSounds(const SoundList* sounds);

    // The arrow buttons in the current database, or null.
    ButtonObject* GetUpButton() const;
    ButtonObject* GetDownButton() const;

    // The buttons go one above.
    void SetDepth(float depth) override;
    // The up button to the top-left corner, the down button to the bottom-left.
    void SetBounds(const Rect<float>& bounds) override;
    void Draw() override;

private:
    IImageList* mChannelImages = nullptr;
    IImageList* mThumbImages = nullptr;
    const SoundList* mSounds = nullptr;
};

class ScrollBarObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};
} // namespace Corvane
