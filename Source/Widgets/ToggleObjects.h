// The two toggling controls: the check box, which flips between checked and unchecked on every
// click and reports "CheckBoxClick", and the radio button, which becomes checked on a click,
// unchecks the other radio buttons of its group and reports "RadioButtonClick". Both carry a text
// label drawn 5 pixels right of the image, whose rectangle is placed when the text is set (in a
// font) and stays there when the control moves; a press on the label counts as a press on the
// control. Their mouse handling, sounds and image test are PressableControl's.
//
// Lists of up to 10 images hold one image per state, longer ones three pieces per state. A check
// box's checked images follow its unchecked ones (the second half of the list); a full list has
// 10 images (30 in pieces), the last of each half being the focused one. A radio button shows its
// pressed image while checked; its focused image exists in lists of exactly 5 or 15 images.
//
// Their factories, "checkbox" and "radiobutton", read "images", "sounds" ("Hot", "Down",
// "Checked", "Unchecked") and "alphaSensitivity"; the radio button's also "group". Code sets the
// text, the font and the checked state.
#pragma once

#include "Widgets/IText.h"
#include "Widgets/ObjectFactory.h"
#include "Widgets/PressableControl.h"

namespace Corvane
{
class ToggleObject : public PressableControl, public TextComponent
{
public:
    explicit ToggleObject(Label name) : PressableControl(name, 10) {}

    bool IsChecked() const { return mChecked; }
    // Sends no message and plays nothing.
    void SetChecked(bool checked) { mChecked = checked; }

    // Stores the text and, with a font, places the label beside the bounds as they are now.
    void SetText(const std::wstring& text) override;
    const Rect<float>& GetTextRect() const { return mTextRect; }

    // On the control, or, with a font, on its label.
    bool HitTest(float x, float y) override;
    void Draw() override;

protected:
    // The image index, or first piece, drawn in state.
    virtual int GetImageIndex(State state) const = 0;
    // The label is drawn centred on the image rather than beside it.
    virtual bool CentresLabel() const { return false; }

    bool mChecked = false;

private:
    Rect<float> mTextRect{0, 0, 0, 0};
};

class CheckBoxObject : public ToggleObject
{
public:
    using ToggleObject::ToggleObject;

    // Flips the checked state, plays "Checked" or "Unchecked" and broadcasts "CheckBoxClick".
    void Toggle();

protected:
    void Activate() override { Toggle(); }
    // Lists of exactly 10 or 30 images.
    bool HasFocusImage() const override;
    int GetImageIndex(State state) const override;
};

class RadioButtonObject : public ToggleObject
{
public:
    using ToggleObject::GetGroup;
    using ToggleObject::ToggleObject;

    // Every radio button is in the database's group "RadioButton".
    Label GetGroup() const override;
    // The finer group inside it: selecting unchecks the others of the same group.
    void SetRadioGroup(Label group) { mRadioGroup = group; }
    Label GetRadioGroup() const { return mRadioGroup; }

    // Checks this one, unchecks the radio buttons of the current database in the same group under
    // another name (without telling them), plays "Checked" and broadcasts "RadioButtonClick".
    void Select();
    // Pressed while checked.
    State GetState() const override;

protected:
    void Activate() override { Select(); }
    int GetImageIndex(State state) const override;
    bool CentresLabel() const override { return IsThreePiece(); }

private:
    Label mRadioGroup;
};

class CheckBoxObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};

class RadioButtonObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};
} // namespace Corvane
