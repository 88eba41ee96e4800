// The push button of the scene graph: a picture per interaction state (StateImages: one image per
// state, or three pieces per state stretched across the button's width), an optional text centred
// on it, sounds from a sound list ("Hot" on enter, "Down" on press, "Release" after a mouse
// click), and a click by mouse (press and release over it), by Enter, Space or the game pad's A
// while it has the keyboard focus, or by its hot key at any time (a disabled or hidden button too).
// Each click broadcasts "ButtonClick" with the button as sender through the current screen, then
// emits Clicked. Layouts create it from "buttonnode":
//
//   <buttonnode name="StartButton" images="Title_Start" font="Font_Large" textResource="Start_Text"
//               keyCode="enter" sounds="ButtonSounds" alphaSensitivity="25" width="160"/>
//
// Without "sounds" it plays the list named by the string resource "DefaultButtonSoundLabel".
// The mouse protocol is ControlNode's. Main thread only.
#pragma once

#include "SceneGraph/ControlNode.h"

#include <cstdint>

namespace Corvane
{
class ImageList;
}

class ButtonNode : public TextControlNode
{
public:
    // text may be null; images, font not owned (null: none); width is the stretched form's width.
    ButtonNode(const Corvane::ColorF& color, const wchar_t* text, Corvane::Label name, Corvane::ImageList* images,
               float width, Corvane::Font* font);

    // Broadcasts "ButtonClick" (sender: this node) to the current screen and its objects, then
    // emits Clicked.
    void Click();
    // Width and height of image 0 (the stretched form: the set width and image 0's height), else
    // of the text in the font; unchanged without either.
    void UpdateSize() override;

    Corvane::ImageList* GetImages() const { return mImages; }
    // The hot key: a key code as key events deliver it (0: none).
    std::uint16_t GetKeyCode() const { return mKeyCode; }
    void SetKeyCode(std::uint16_t keyCode) { mKeyCode = keyCode; }
    // The state drawn now (Corvane::ControlState).
    Corvane::ControlState GetState() const;

    bool HitTest(const Corvane::Vector2<float>& worldPoint) override;
    void Draw(const Corvane::Vector2<float>& offset) override;
    bool KeyDown(int key) override;

    // After the broadcast; handlers run in connection order.
    NodeSignal<void(ButtonNode*)> Clicked;

protected:
    // A mouse click: Click, then "Release".
    void OnActivate() override;
    Corvane::StateImages GetStateImages() const;

private:
    std::uint16_t mKeyCode = 0;
    Corvane::ImageList* mImages;
    float mWidth;
};

class ButtonNodeDescriptor : public ControlNodeDescriptor
{
public:
    std::uint16_t mKeyCode = 0;
};

// Element "buttonnode": the control attributes (ControlNodeDescriptor) and "keyCode", a key name
// ("Enter", "VK_ESCAPE", "F1", "GamePadA", or one character such as "a").
class ButtonNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
