#include "SceneGraph/SpriteType.h"

using Corvane::Label;

void SpriteType::SetAnimation(const SpriteAnimation& animation)
{
    mAnimations[animation.name] = animation;
    ResolveLinks();
}

void SpriteType::CopyAnimations(const SpriteAnimationList& list)
{
    for (const auto& [name, animation] : list.GetAnimations())
        mAnimations[name] = animation;
    ResolveLinks();
}

const SpriteAnimation* SpriteType::FindAnimation(Label name) const
{
    const auto found = mAnimations.find(name);
    return found == mAnimations.end() ? nullptr : &found->second;
}

void SpriteType::ResolveLinks()
{
    // Map nodes never move, so the pointers stay valid as later animations are stored; a replaced
    // animation is assigned in place and keeps its node too.
    for (auto& [name, animation] : mAnimations)
        animation.linked = animation.linkedAnimation ? FindAnimation(animation.linkedAnimation) : nullptr;
}
