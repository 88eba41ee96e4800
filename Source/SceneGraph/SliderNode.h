// The scene graph's slider: a horizontal channel (a three-piece bar across the node's width) and a
// thumb that sets a value from 0 (thumb at the left end) to 1 (at width - thumb width). The value
// is where the thumb is, never stored. The player drags the thumb, clicks the channel (the thumb
// jumps to centre on the pointer, without a drag), or, once the engine's kKeyboardModeOn key has
// reached the focused slider, steps it by 0.05 with Left and Right. Every such move broadcasts
// "SliderValueChange" (a drag on every move, changed or not); the release that ends a drag,
// "SliderReleased". SetValue, for screens restoring a setting, sends nothing. Sounds: "Down" when
// a drag starts, "Up" when it ends, "Hot" when the pointer comes onto the thumb.
//
// Layouts create it from "slidernode":
//
//   <slidernode nodeName="MusicVolume" width="200" channelImages="SliderBar" thumbImages="SliderKnob"
//               disableImages="SliderBarGrey" thumbOffsetY="-3" initialValue="0.5" sounds="SliderSounds"/>
//
// Thumb frames: 0 normal, 1 hot, 2 dragged, 3 disabled, 4 keyboard mode (only in lists of exactly
// five; otherwise frame 1 shows). A slider no wider than its thumb has no travel: its value is 0
// and the thumb stays at the left. Missing pictures take no room and no presses. The node is
// hit-testable from the start, like every control. Main thread only.
#pragma once

#include "SceneGraph/ControlNode.h"

namespace Corvane
{
class ImageList;
}

class SliderNode : public ControlNode
{
public:
    // The lists are not owned; a null one draws nothing where it would show.
    SliderNode(Corvane::Label name, float width, Corvane::ImageList* channel, Corvane::ImageList* disabledChannel,
               Corvane::ImageList* thumb, float thumbOffsetY, float initialValue);

    // thumb x / (width - thumb width); 0 without travel.
    float GetValue() const;
    // Places the thumb for value (brought into 0 to 1) without a message.
    void SetValue(float value);
    // The value + delta, brought into 0 to 1, with "SliderValueChange".
    void Step(float delta);

    // The thumb's top-left corner inside the node.
    const Corvane::Vector2<float>& GetThumbPosition() const { return mThumb; }
    float GetThumbWidth() const;
    float GetThumbHeight() const;
    // The room the thumb moves in: width - thumb width, at least 0.
    float GetTravel() const;
    bool IsHot() const { return mHot; }
    bool IsKeyboardActive() const { return mKeyboardActive; }
    // The thumb frame drawn now.
    int GetThumbFrame() const;

    // On the channel's picture (a pixel not fully transparent) or on the thumb's (alpha above the
    // sensitivity); 0 sensitivity tests both rectangles only.
    bool HitTest(const Corvane::Vector2<float>& worldPoint) override;
    void Draw(const Corvane::Vector2<float>& offset) override;
    bool KeyDown(int key) override;
    // Drags while the slider holds the capture; otherwise follows the pointer on and off the
    // thumb. Takes no move it is not dragging with.
    bool MouseMove(int x, int y) override;
    // "LostFocus" ends the keyboard mode.
    void OnMessage(const Corvane::ObjectMessage& message) override;

protected:
    // The press and the release need the pointer: the slider handles its buttons itself.
    void OnPress() override {}
    void OnRelease() override;
    // Hot follows the thumb, not the node.
    void OnEnter() override {}
    void OnLeave() override {}

private:
    void Press(int x, int y);
    // The thumb to x (no clamping), and the message when notify.
    void PlaceThumb(float x, bool notify);
    void MarkHot();
    // The point (world coordinates) on the thumb's picture.
    bool IsOnThumb(float worldX, float worldY);
    float ChannelHeight() const;

    Corvane::ImageList* mChannel;
    Corvane::ImageList* mDisabledChannel;
    Corvane::ImageList* mThumbImages;
    Corvane::Vector2<float> mThumb;
    float mDragOffset = 0.0f;
    bool mHot = false;
    bool mKeyboardActive = false;
};

class SliderNodeDescriptor : public SceneNodeDescriptor
{
public:
    Corvane::Label mSounds;
    int mAlphaSensitivity = 25;
    float mInitialValue = 0.0f;
    float mThumbOffsetY = 0.0f;
    float mWidth = 0.0f;
    Corvane::Label mThumbImages;
    Corvane::Label mChannelImages;
    Corvane::Label mDisableImages;
};

// Element "slidernode": "width", "channelImages", "thumbImages", "disableImages" (the channel's
// when absent), "thumbOffsetY" (0), "initialValue" (0), "alphaSensitivity" (25), "sounds".
class SliderNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
