// A resizable frame drawn from a nine-piece image list: corners keep their size, edges and centre
// are repeated (never stretched) to fill the node's width and height. Panels and speech bubbles
// use it; a bubble fits its background to its text with SetHeight, which grows the height to
// whole rows of the middle pieces. Layouts create it from "backgroundnode":
//
//   <backgroundnode images="Panel_Frame" width="300" height="200"/>
//
// Pieces by index: 0 1 2 top row (as high as image 0), 3 4 5 middle row (repeated downwards, as
// high as image 3), 6 7 8 bottom row (as high as image 6). A list of fewer than 9 images draws
// nothing. The node takes no keyboard focus. Main thread only.
#pragma once

#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"

namespace Corvane
{
class ImageList;
}

class BackgroundNode : public SceneNode
{
public:
    // Unnamed, with the nine pieces of images (not owned; null draws nothing), size 0 by 0.
    explicit BackgroundNode(Corvane::ImageList* images);

    Corvane::ImageList* GetImages() const { return mImages; }
    // Sets the height, grown to the next height at which the middle rows fit whole between the top
    // and bottom rows (always by 1 to one middle row, even when they fit already). Unchanged when
    // the height is within the two end rows, without a list, or when the middle row has no height.
    void SetHeight(int height);
    // The frame at the node's world position + offset, across its size, in its world alpha.
    void Draw(const Corvane::Vector2<float>& offset) override;

private:
    Corvane::ImageList* mImages;
};

class BackgroundNodeDescriptor : public SceneNodeDescriptor
{
public:
    Corvane::Label mImages;
    float mWidth = 0.0f;
    float mHeight = 0.0f;
};

// Element "backgroundnode": "images" (an image list), "width" and "height" (taken as they are).
class BackgroundNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
