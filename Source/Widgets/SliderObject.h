// A horizontal slider: a three-piece channel and a thumb the user drags, or moves with the arrow
// keys in adjustment mode, to set a value from 0 (thumb at the left end) to 1 (at the right end).
// With snapping on and at least 2 ticks, values snap to evenly spaced ticks. Every move of the
// thumb by the user reports "SliderValueChange", and a release over the slider "SliderReleased".
//
// The value follows from where the thumb is: it keeps when the slider moves or is resized. Only
// the thumb takes presses (where its image is opaque beyond the alpha sensitivity). Without thumb
// images the thumb is 0 wide; a slider no wider than its thumb has no travel, value 0 and the
// thumb at its left.
//
// Adjustment mode runs from key 512 to key 512 or 513, or to the loss of focus; in it Left and
// Right step by the tick step (snapping) or by 0.05. Sounds: "Hot", "Down", "Snap".
//
// Its factory, "slider", reads "channelImages", "thumbImages", "sounds", "alphaSensitivity",
// "numTicks" and "snapToTicks".
#pragma once

#include "Widgets/ControlObject.h"
#include "Widgets/ObjectFactory.h"

namespace Corvane
{
class IImageList;
class SoundList;

class SliderObject : public ControlObject
{
public:
    enum ThumbState
    {
        kThumbNormal = 0,
        kThumbHot = 1,
        kThumbDragged = 2,
        kThumbDisabled = 3,
        kThumbAdjusting = 4 // only with exactly 5 thumb images
    };

    using ControlObject::ControlObject;

    // Not owned: the resource manager's.
    void SetChannelImages(IImageList* images) { mChannelImages = images; }
    IImageList* GetChannelImages() const { return mChannelImages; }
    // Stores them, makes the height the taller of the channel and the thumb, and the value 0.
    void SetThumbImages(IImageList* images);
    IImageList* GetThumbImages() const { return mThumbImages; }
    // Not owned; null plays nothing.
    void SetSounds(const SoundList* sounds) { mSounds = sounds; }
    const SoundList* GetSounds() const { return mSounds; }
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    void SetTickCount(int count) { mTickCount = count; }
    int GetTickCount() const { return mTickCount; }
    // Turning snapping on snaps the value at once, without a message or sound.
    void SetSnapToTicks(bool snap);
    bool IsSnappingToTicks() const { return mSnapToTicks; }
    bool IsAdjusting() const { return mAdjusting; }

    // The value at thumb position px, and back; 0 and the left edge without travel.
    float ValueFromPosition(float px) const;
    float PositionFromValue(float value) const;
    float GetValue() const { return ValueFromPosition(mThumbX); }
    // Snaps value to the nearest tick when snapping (the earlier tick winning a tie), moves the
    // thumb there and, with notify, plays "Snap" when the value moved and broadcasts
    // "SliderValueChange". Not clamped: callers keep values within 0 to 1.
    void SetValue(float value, bool notify = false);
    // 1 / (tick count - 1); 0 below 2 ticks.
    float GetTickStep() const;
    // The value moved by delta, kept within 0 to 1, with notification.
    void Step(float delta);
    // The screen x of the thumb's left edge.
    float GetThumbX() const { return mThumbX; }
    ThumbState GetThumbState() const;

    // Keeps the value.
    void SetBounds(const Rect<float>& bounds) override;
    // The thumb's image test.
    bool HitTestPixel(int x, int y) override;
    void OnMessage(const ObjectMessage& message) override;
    void Draw() override;

    bool KeyDown(int key) override;
    bool MouseMove(int x, int y) override;
    bool MouseDown(int button, int x, int y) override;
    bool MouseUp(int button, int x, int y) override;
    // Not while snapping with fewer than 2 ticks.
    bool CanTakeFocus() override { return MayTakeFocus(); }

private:
    bool MayTakeFocus() const;
    float GetThumbWidth() const;
    void Play(Label event) const;

    IImageList* mChannelImages = nullptr;
    float mThumbX = 0.0f;
    IImageList* mThumbImages = nullptr;
    float mGrabOffset = 0.0f;
    bool mMouseOver = false;
    int mAlphaSensitivity = 25;
    int mTickCount = 0;
    bool mSnapToTicks = false;
    bool mAdjusting = false;
    const SoundList* mSounds = nullptr;
};

class SliderObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};
} // namespace Corvane
