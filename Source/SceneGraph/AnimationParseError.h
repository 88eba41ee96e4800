// The error raised by a bad animation in a sprite type or animation list. Its text names where the
// error lies, outermost first, then the message:
//   in SpriteType "Cook": in animation "walk": illegal token ',' (line 1, pos 3). (Expected an integer).
// The context is filled in as the error passes outwards through the readers (frame list, animation,
// resource factory), each setting what it knows and the text being composed again.
#pragma once

#include <stdexcept>
#include <string>

class AnimationParseError : public std::runtime_error
{
public:
    // The frame-list parser knows neither name and passes them empty.
    AnimationParseError(const std::string& message, const std::string& animation = std::string(),
                        const std::string& spriteType = std::string());

    void SetSpriteType(const std::string& name);
    void SetAnimationList(const std::string& name);
    void SetAnimation(const std::string& name);

    const std::string& GetSpriteType() const { return mSpriteType; }
    const std::string& GetAnimationList() const { return mAnimationList; }
    const std::string& GetAnimation() const { return mAnimation; }
    const std::string& GetMessage() const { return mMessage; }

    const char* what() const noexcept override { return mText.c_str(); }

private:
    void Compose();

    std::string mSpriteType;
    std::string mAnimationList;
    std::string mAnimation;
    std::string mMessage;
    std::string mText;
};
