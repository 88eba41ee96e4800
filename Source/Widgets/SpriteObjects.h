// The widget objects that only show something: a picture, an animation over an image list, a line
// or block of text. Each is placed at its screen location, tinted by its colour, aligned and
// mirrored as its components say, and drawn with a copy of the current draw state on the current
// canvas. Images and lists belong to the resource manager and must outlive the sprites.
#pragma once

#include "Framework/Object.h"
#include "Graphics/DrawState.h"
#include "Widgets/Components.h"
#include "Widgets/FontComponent.h"
#include "Widgets/IText.h"
#include "Widgets/ImageListAnimation.h"

#include <optional>
#include <string>

namespace Corvane
{
class IImage;

class SpriteObject : public Object,
                     public DrawableComponent,
                     public LocationComponent,
                     public ColorComponent,
                     public VisibleComponent,
                     public AlignmentComponent,
                     public FlipStateComponent
{
public:
    explicit SpriteObject(Label name) : mName(name) {}

    using Object::GetGroup;
    Label GetName() const override { return mName; }
    Label GetGroup() const override { return mGroup; }
    void SetGroup(Label group) { mGroup = group; }

protected:
    // The current draw state with the sprite's colour as tint, its alignments and its flip state.
    Graphics::DrawState MakeDrawState() const;

private:
    Label mName;
    Label mGroup;
};

class ImageSpriteObject : public SpriteObject, public ScaleComponent
{
public:
    using SpriteObject::SpriteObject;

    IImage* GetImage() const { return mImage; }
    void SetImage(IImage* image) { mImage = image; }
    // Draw only this part of the image; nullopt draws all of it.
    void SetSourceRect(std::optional<Rect<int>> rect) { mSourceRect = rect; }
    // Clip drawing to this rectangle instead of the draw state's; nullopt keeps the state's.
    void SetClipRect(std::optional<Rect<int>> rect) { mClipRect = rect; }

    // At the point when the scale is exactly 1, otherwise stretched to the scaled size.
    void Draw() override;

private:
    IImage* mImage = nullptr;
    std::optional<Rect<int>> mSourceRect;
    std::optional<Rect<int>> mClipRect;
};

class AnimationSpriteObject : public SpriteObject, public ScaleComponent
{
public:
    using SpriteObject::SpriteObject;

    const ImageListAnimation& GetAnimation() const { return mAnimation; }
    // Plays animation from the current time on (the time is not reset).
    void SetAnimation(const ImageListAnimation& animation) { mAnimation = animation; }
    // Seconds since the sprite was made.
    float GetTime() const { return mTime; }

    void OnUpdate(float dt) override { mTime += dt; }
    // The frame at the point when the scale is exactly 1, otherwise stretched to the scaled size
    // of the list's first item.
    void Draw() override;

private:
    ImageListAnimation mAnimation;
    float mTime = 0.0f;
};

class TextSpriteObject : public SpriteObject, public FontComponent, public TextComponent
{
public:
    using SpriteObject::SpriteObject;

    // Kept for the owner; drawing does not use it.
    virtual const std::wstring& GetTextFormat() const { return mTextFormat; }
    virtual void SetTextFormat(const std::wstring& format) { mTextFormat = format; }

    // 0: one line, no wrapping.
    float GetWrapWidth() const { return mWrapWidth; }
    void SetWrapWidth(float width) { mWrapWidth = width; }
    // Outline or drop shadow.
    const ColorF& GetEffectColor() const { return mEffectColor; }
    void SetEffectColor(const ColorF& color) { mEffectColor = color; }
    const Vector2<int>& GetEffectOffset() const { return mEffectOffset; }
    void SetEffectOffset(const Vector2<int>& offset) { mEffectOffset = offset; }

    // The text in the font, colour and text mode, on one line or wrapped at the wrap width.
    void Draw() override;

private:
    float mWrapWidth = 0.0f;
    ColorF mEffectColor{0.0f, 0.0f, 0.0f, 0.5f};
    Vector2<int> mEffectOffset{2, 2};
    std::wstring mTextFormat;
};

// "a,b" gives (a, b) and "a" gives (a, a); nullopt when the text does not start with a number.
std::optional<Vector2<int>> ParseIntPair(const std::wstring& text);
} // namespace Corvane
