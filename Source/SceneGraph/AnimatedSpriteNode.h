// The scene node that shows one image of a sprite type's image list at a time and changes it by
// playing the type's animations: the cook walks and stands this way, flames flicker, customers
// wave. Layouts create it from "animatedspritenode":
//
//   <animatedspritenode spriteType="Cook" initialAnimation="stand" alphaSensitivity="16" noBlur="true"/>
//
// Timing is the job of an AnimationController that the node creates when it gets a sprite type and
// keeps in the current screen's database; the node sizes itself to the image showing at every
// update and draws that image. A missing sprite type, image list or animation is never an error:
// the node shows nothing, or image 0. Main thread only.
#pragma once

#include "Framework/ObjectID.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"

namespace Corvane
{
class ImageList;
}
class AnimationController;
class SpriteType;

class AnimatedSpriteNode : public SceneNode
{
public:
    // Unnamed; shows the sprite type resource named spriteType (none when there is none).
    explicit AnimatedSpriteNode(Corvane::Label spriteType);

    // Sizes the node to the image showing.
    void OnUpdate(float dt) override;
    // Inside the world rectangle (left and top edges in, right and bottom out) and, with an alpha
    // sensitivity, on a pixel of the image showing whose alpha is greater than it.
    bool HitTest(const Corvane::Vector2<float>& worldPoint) override;
    void Draw(const Corvane::Vector2<float>& offset) override;
    // Removes the controller; the sprite type stays set.
    void OnRemoved() override;

    // The sprite type resource of that name, or none. A new type gets a new controller, stopped
    // on image 0; the old controller is removed.
    void SetSpriteType(Corvane::Label name);
    void SetSpriteType(const SpriteType* type);
    const SpriteType* GetSpriteType() const { return mSpriteType; }

    // Plays the sprite type's animation of that name from its first frame, unless it is the one
    // playing and restart is false. A name the type does not have stops on image 0.
    void PlayAnimation(Corvane::Label animation, bool restart = false);
    // Stops on image imageIndex of the list.
    void ShowFrame(int imageIndex);
    // The animation of that name (not the null label) is playing.
    bool IsPlaying(Corvane::Label animation) const;
    // The node's controller in the current screen's database, or null.
    AnimationController* GetController() const;
    // The number of images of the sprite type's list; 0 without one.
    int GetImageCount() const;

    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    bool GetNoBlur() const { return mNoBlur; }
    void SetNoBlur(bool noBlur) { mNoBlur = noBlur; }

private:
    // The node's own controller in the current screen's database, whatever the sprite type.
    AnimationController* FindController() const;
    void RemoveController();
    // Takes the size of the controller's image and remembers which image that is.
    void UpdateSize();

    const SpriteType* mSpriteType = nullptr;
    Corvane::ImageList* mImages = nullptr;
    Corvane::ObjectID mController = Corvane::kNoObject;
    // The image the node was last sized for, which Draw shows: drawn and sized stay one picture
    // whichever of node and controller the database updates first. -1: none.
    int mSizedImage = -1;
    int mAlphaSensitivity = 0;
    bool mNoBlur = false;
};

class AnimatedSpriteNodeDescriptor : public SceneNodeDescriptor
{
public:
    Corvane::Label mSpriteType;
    Corvane::Label mInitialAnimation; // null: play nothing
    int mAlphaSensitivity = 0;
    bool mNoBlur = false;
};

// Element "animatedspritenode": attributes "spriteType", "initialAnimation", "alphaSensitivity"
// (default 0) and "noBlur" (default false).
class AnimatedSpriteNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
