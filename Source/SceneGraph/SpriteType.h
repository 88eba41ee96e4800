// Sprite types and animation lists. A sprite type names an image list and a set of named
// animations over it; an animated sprite node shows one sprite type and plays its animations. An
// animation list is a set of animations written once and copied by several sprite types. Both are
// resources built on the resource manager's loader thread (SpriteResourceFactories.h) and only
// read afterwards.
#pragma once

#include "Label.h"

#include <map>
#include <vector>

// One step of an animation: the image shown and for how long.
struct SpriteFrame
{
    int index = 0;          // into the sprite type's image list
    float duration = 1.0f;  // seconds; always above 0 once loaded
};

struct SpriteAnimation
{
    // One frame {0, 1 s}, played once, no link.
    SpriteAnimation() = default;
    SpriteAnimation(Corvane::Label name, int numPlays, bool pingPong, Corvane::Label linkedAnimation)
        : name(name), numPlays(numPlays), pingPong(pingPong), linkedAnimation(linkedAnimation)
    {
    }

    Corvane::Label name;
    std::vector<SpriteFrame> frames{SpriteFrame{}}; // never empty once loaded
    int numPlays = 1;                               // passes before the animation ends; negative: forever
    bool pingPong = false;                          // each further pass runs the other way
    Corvane::Label linkedAnimation;                 // the animation that follows; null for none
    // The sprite type's animation named linkedAnimation, set when the sprite type resolves its
    // links; never set in an animation list.
    const SpriteAnimation* linked = nullptr;
};

// Keyed by label handle: the order carries no meaning.
using SpriteAnimationMap = std::map<Corvane::Label, SpriteAnimation>;

class SpriteAnimationList
{
public:
    virtual ~SpriteAnimationList() = default;

    // Stores animation under its name, replacing one of that name. Links stay unresolved.
    void SetAnimation(const SpriteAnimation& animation) { mAnimations[animation.name] = animation; }
    const SpriteAnimationMap& GetAnimations() const { return mAnimations; }

private:
    SpriteAnimationMap mAnimations;
};

class SpriteType
{
public:
    SpriteType() = default;
    virtual ~SpriteType() = default;
    // The links point into the type's own map: a copy would point into the original.
    SpriteType(const SpriteType&) = delete;
    SpriteType& operator=(const SpriteType&) = delete;

    // The type's own name (its resource's name is usually the same).
    Corvane::Label GetTypeName() const { return mName; }
    void SetTypeName(Corvane::Label name) { mName = name; }
    // The name of the image-list resource the frames index, looked up by the node that shows it.
    Corvane::Label GetImages() const { return mImages; }
    void SetImages(Corvane::Label images) { mImages = images; }

    // Stores animation under its name, replacing one of that name, then resolves every link.
    void SetAnimation(const SpriteAnimation& animation);
    // Copies every animation of list (replacing those of the same names), then resolves links.
    // The type keeps copies: the list may go away later.
    void CopyAnimations(const SpriteAnimationList& list);
    // The animation stored under exactly that label, else null.
    const SpriteAnimation* FindAnimation(Corvane::Label name) const;
    const SpriteAnimationMap& GetAnimations() const { return mAnimations; }

private:
    void ResolveLinks();

    Corvane::Label mName;
    Corvane::Label mImages;
    SpriteAnimationMap mAnimations;
};
