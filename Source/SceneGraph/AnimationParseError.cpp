#include "SceneGraph/AnimationParseError.h"

AnimationParseError::AnimationParseError(const std::string& message, const std::string& animation,
                                         const std::string& spriteType)
    : std::runtime_error(std::string()), mSpriteType(spriteType), mAnimation(animation), mMessage(message)
{
    Compose();
}

void AnimationParseError::SetSpriteType(const std::string& name)
{
    mSpriteType = name;
    Compose();
}

void AnimationParseError::SetAnimationList(const std::string& name)
{
    mAnimationList = name;
    Compose();
}

void AnimationParseError::SetAnimation(const std::string& name)
{
    mAnimation = name;
    Compose();
}

void AnimationParseError::Compose()
{
    // A sprite type copies a list's animations, so an error belongs to one of the two, never both.
    mText.clear();
    if (!mSpriteType.empty())
        mText += "in SpriteType \"" + mSpriteType + "\": ";
    else if (!mAnimationList.empty())
        mText += "in SpriteAnimationList \"" + mAnimationList + "\": ";
    if (!mAnimation.empty())
        mText += "in animation \"" + mAnimation + "\": ";
    mText += mMessage.empty() ? "(unspecified error)" : mMessage;
}
