// The scene graph's radio button: one of a group that excludes each other. Selecting it (a release
// over it, or Enter, Space or the game pad's A while it has the keyboard focus) checks it, clears
// the other buttons of its radio group in the current screen (silently) and broadcasts
// "RadioButtonClick" with it as sender, also when it was checked already. Screens preselect with
// SetChecked (true), which clears the others the same way and sends nothing. Buttons without a
// "group" form one group. Sounds: "Hot" on enter, "Down" on press; selecting plays nothing.
// Layouts create it from "radiobuttonnode":
//
//   <radiobuttonnode nodeName="Page1" group="HelpPages" images="PageButton" font="Font_Small"
//                    text="1" width="40"/>
//
// Pictures (ToggleNode.h): one set of states, 5 images (15 in pieces) with the focused one; a
// checked button shows its pressed picture. In pieces the text is centred on the button, as on a
// push button; with single pictures it is a label beside it, as the check box draws its own. The
// text takes no presses. Main thread only.
#pragma once

#include "SceneGraph/ToggleNode.h"

class RadioButtonNode : public ToggleNode
{
public:
    using ToggleNode::GetGroup;

    // text may be null; group null is the group of the buttons without one; images and font are
    // not owned and may be null.
    RadioButtonNode(const Corvane::ColorF& color, const wchar_t* text, Corvane::Label group, Corvane::Label name,
                    const Corvane::Vector2<float>& position, Corvane::ImageList* images, float width,
                    Corvane::Font* font);

    // Every radio button is in the object database's group "RadioButton".
    Corvane::Label GetGroup() const override;
    // The group inside it whose buttons exclude each other.
    virtual Corvane::Label GetRadioGroup() const { return mGroup; }

    // Sets the state; checking clears the other buttons of the radio group live in the current
    // screen's database, without telling them. Sends nothing.
    void SetChecked(bool checked);
    // SetChecked (true), then "RadioButtonClick".
    void Select();

    Corvane::ControlState GetState() const override;
    // On the normal picture (alpha above the sensitivity); the text is not part of it.
    bool HitTest(const Corvane::Vector2<float>& worldPoint) override;
    void Draw(const Corvane::Vector2<float>& offset) override;

protected:
    void Activate() override { Select(); }

private:
    Corvane::Label mGroup;
};

// Element "radiobuttonnode": the control attributes of ControlNodeDescriptor and "group".
class RadioButtonNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
