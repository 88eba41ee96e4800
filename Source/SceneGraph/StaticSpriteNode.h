// The scene node that shows one image at its own size: splash pictures, backdrops, icons. Layouts
// create it from "staticspritenode":
//
//   <staticspritenode src="Title_Logo" alphaSensitivity="16" noBlur="true"/>
//
// Game code changes the picture with SetImage or SetImageFromList. With an alpha sensitivity only
// pixels whose alpha is greater than it are hit, so transparent margins take no presses. The
// image belongs to the resource manager (or the caller). Main thread only.
#pragma once

#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"

namespace Corvane
{
class ImageList;
}

class StaticSpriteNode : public SceneNode
{
public:
    // Unnamed, showing image (none: nothing).
    explicit StaticSpriteNode(Corvane::IImage* image);

    // Shows image and takes its size (0 by 0 for none).
    void SetImage(Corvane::IImage* image);
    Corvane::IImage* GetImage() const { return mImage; }
    // Shows item index of list; none (and size 0 by 0) for a null list, an index outside it or
    // an empty slot.
    void SetImageFromList(Corvane::ImageList* list, int index);

    // 0: the whole rectangle is hit; otherwise pixels whose alpha is greater than it.
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    // Draw at whole pixels.
    bool GetNoBlur() const { return mNoBlur; }
    void SetNoBlur(bool noBlur) { mNoBlur = noBlur; }

    // Never without an image; else in the world rectangle (left and top edges in, right and
    // bottom out) and, with an alpha sensitivity, on a pixel above it.
    bool HitTest(const Corvane::Vector2<float>& worldPoint) override;
    void Draw(const Corvane::Vector2<float>& offset) override;

private:
    Corvane::IImage* mImage = nullptr;
    int mAlphaSensitivity = 0;
    bool mNoBlur = false;
};

class StaticSpriteNodeDescriptor : public SceneNodeDescriptor
{
public:
    Corvane::Label mSrc;
    int mAlphaSensitivity = 0;
    bool mNoBlur = false;
};

// Element "staticspritenode": "src" (an image resource), "alphaSensitivity" (0), "noBlur" (false).
class StaticSpriteNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
