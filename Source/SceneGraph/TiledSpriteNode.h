// The scene node that fills a rectangle of any size by repeating one image, the pattern starting at
// a chosen column and row of the image: backgrounds, borders and bars whose size the layout sets.
// Layouts create it from "tiledspritenode":
//
//   <tiledspritenode src="Shelf_Wood" width="400" height="24" srcOffsetX="8" alphaSensitivity="16"/>
//
// Hit tests can look at the alpha of the repeated pixel under the point, so the gaps of a
// patterned border take no presses. An image with no pixels draws nothing and is never hit. The
// image belongs to the resource manager (or the caller). Main thread only.
#pragma once

#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"

class TiledSpriteNode : public SceneNode
{
public:
    // Unnamed, width x height, tiling image (none: nothing) from its top-left pixel.
    TiledSpriteNode(Corvane::IImage* image, float width, float height);

    Corvane::IImage* GetImage() const { return mImage; }
    void SetImage(Corvane::IImage* image) { mImage = image; }
    // The image column and row at the rectangle's top-left corner; any value, wrapped into the
    // image when drawn (40 on a 32-pixel image acts as 8, -8 as 24).
    int GetSourceOffsetX() const { return mSourceOffsetX; }
    int GetSourceOffsetY() const { return mSourceOffsetY; }
    void SetSourceOffset(int x, int y)
    {
        mSourceOffsetX = x;
        mSourceOffsetY = y;
    }
    // 0: the whole rectangle is hit; 1 to 254: pixels whose alpha is greater than it; 255 or
    // more: never hit.
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }

    // In the world rectangle (left and top edges in, right and bottom out) and, with an alpha
    // sensitivity, over a repeated pixel whose alpha is greater than it.
    bool HitTest(const Corvane::Vector2<float>& worldPoint) override;
    // The image tiled over the world rectangle plus offset, tinted by the world colour, clipped
    // by the node's clip rectangle when it uses one.
    void Draw(const Corvane::Vector2<float>& offset) override;

private:
    // An image with pixels to tile.
    bool HasPixels() const;

    Corvane::IImage* mImage;
    int mSourceOffsetX = 0;
    int mSourceOffsetY = 0;
    int mAlphaSensitivity = 0;
};

class TiledSpriteNodeDescriptor : public SceneNodeDescriptor
{
public:
    Corvane::Label mSrc;
    float mWidth = 0.0f;
    float mHeight = 0.0f;
    int mSourceOffsetX = 0;
    int mSourceOffsetY = 0;
    int mAlphaSensitivity = 0;
};

// Element "tiledspritenode": "src" (an image resource), "width", "height" (0), "srcOffsetX",
// "srcOffsetY" (0), "alphaSensitivity" (0).
class TiledSpriteNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
