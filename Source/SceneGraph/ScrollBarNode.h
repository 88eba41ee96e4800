// The scene graph's scroll bar: a vertical channel (a three-piece column of the node's height) with
// an up-arrow button at its top and a down-arrow button at its bottom. It keeps no scroll position:
// each arrow is an ordinary ButtonNode whose clicks reach the screen as "ButtonClick" from the
// arrow, and the screen scrolls what it shows. A bar named N has the arrows N + "ScrollUp" and
// N + "ScrollDown" (their object and node names), so two bars in one screen keep their arrows
// apart. Layouts create it from "scrollbarnode":
//
//   <scrollbarnode name="Recipes" height="180" channelImages="ScrollChannel"
//                  upArrowImages="ScrollUpArrow" downArrowImages="ScrollDownArrow"/>
//
// The arrows are the bar's first two children (up, then down). They are named from the bar's
// name (its node name when it has no object name) when the bar is made and whenever it is named
// again, which layouts do before anything enters the object database, with or without a parent.
// The node is as wide as the channel's first picture (0 without one). The thumb
// pictures are kept for screens; no thumb is drawn. Main thread only.
#pragma once

#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"

namespace Corvane
{
class ImageList;
}
class ButtonNode;

class ScrollBarNode : public SceneNode
{
public:
    // The lists are not owned and may be null.
    ScrollBarNode(Corvane::Label name, float height, Corvane::ImageList* channel, Corvane::ImageList* upArrow,
                  Corvane::ImageList* downArrow, Corvane::ImageList* thumb);

    ButtonNode* GetUpButton() const { return mUp; }
    ButtonNode* GetDownButton() const { return mDown; }
    Corvane::ImageList* GetThumbImages() const { return mThumb; }
    // Names the arrows after the bar's name as it is now; arrows already in a database keep theirs.
    void NameArrows();

    void Draw(const Corvane::Vector2<float>& offset) override;
    void NamesChanged() override;

private:
    Corvane::ImageList* mChannel;
    Corvane::ImageList* mThumb;
    ButtonNode* mUp;
    ButtonNode* mDown;
};

class ScrollBarNodeDescriptor : public SceneNodeDescriptor
{
public:
    bool mHasHeight = false;
    float mHeight = 0.0f;
    Corvane::Label mDownArrowImages;
    Corvane::Label mUpArrowImages;
    Corvane::Label mThumbImages;
    Corvane::Label mChannelImages;
};

// Element "scrollbarnode": "height" (the two arrows' heights together when absent),
// "channelImages", "upArrowImages", "downArrowImages", "thumbImages".
class ScrollBarNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
