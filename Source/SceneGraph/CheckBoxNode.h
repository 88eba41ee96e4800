// The scene graph's check box: a box of state pictures with a label to its right, flipped by a
// release over the box or the label, or by Enter, Space or the game pad's A while it has the
// keyboard focus. Each flip plays "Checked" or "Unchecked" (the new state) and broadcasts
// "CheckBoxClick" with the box as sender; the screen reads IsChecked. Screens set the state with
// SetChecked, which plays and sends nothing. Other sounds: "Hot" on enter, "Down" on press.
// Layouts create it from "checkboxnode":
//
//   <checkboxnode nodeName="Fullscreen" images="CheckBox" font="Font_Small" textResource="Opt_Full"
//                 sounds="CheckSounds" alphaSensitivity="25"/>
//
// Pictures (ToggleNode.h): the unchecked states in the list's first half, the checked ones from
// image n / 2 on; 10 images (30 in pieces) make both halves complete, with a focused picture each.
// With a font the label is hit like the box: its area is the text's width and the font's line
// height, 5 pixels right of the box and centred on it. Main thread only.
#pragma once

#include "SceneGraph/ToggleNode.h"

class CheckBoxNode : public ToggleNode
{
public:
    // text may be null; images and font are not owned and may be null.
    CheckBoxNode(const Corvane::ColorF& color, const wchar_t* text, Corvane::Label name,
                 const Corvane::Vector2<float>& position, Corvane::ImageList* images, float width, Corvane::Font* font);

    // Sends nothing, plays nothing; shows at the next draw.
    void SetChecked(bool checked) { mChecked = checked; }
    // Flips the state, plays "Checked" or "Unchecked", broadcasts "CheckBoxClick".
    void Toggle();

    // The picture's size, then, with a font, the label's area.
    void UpdateSize() override;
    // The label's area: x and y from the node's world position, the text's size. All 0 until a
    // font is set; kept when the font goes.
    const Corvane::Rect<float>& GetLabelRect() const { return mLabelRect; }
    Corvane::ControlState GetState() const override;

    // On the box (the unchecked normal picture's alpha above the sensitivity), or, with a font, on
    // the label's area.
    bool HitTest(const Corvane::Vector2<float>& worldPoint) override;
    void Draw(const Corvane::Vector2<float>& offset) override;

protected:
    void Activate() override { Toggle(); }

private:
    Corvane::Rect<float> mLabelRect{0.0f, 0.0f, 0.0f, 0.0f};
};

// Element "checkboxnode": the control attributes of ControlNodeDescriptor ("images", "width",
// "text", "font", "alphaSensitivity", "sounds", "textResource").
class CheckBoxNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
