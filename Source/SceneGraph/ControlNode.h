// The mechanics that the scene graph's controls share (button, check box, radio button; the
// slider takes what it needs): the enable flag, the hover flag, the press/release protocol with
// the mouse capture, named sounds from a sound list, the state picked for drawing, the alpha-
// sensitive hit test of state pictures and the drawing state of controls. TextControlNode adds the
// text and the font of the labelled controls; ControlNodeDescriptor reads the attributes they have
// in common.
//
// The protocol. The constructor connects the node's ButtonDown, ButtonUp, MouseEnter, MouseLeave
// and CapturedButtonUp signals to OnPress, OnRelease, OnEnter, OnLeave and OnCapturedRelease. The
// defaults are the push button's:
//   press (enabled)          hover, take the capture, play "Down"
//   release over the control the control held the capture and is enabled: OnActivate; then the
//                            capture is given up in every case, so that a control disabled
//                            while pressed never keeps the screen's mouse
//   enter (enabled)          hover, play "Hot"
//   leave                    no hover (also when disabled)
//   release elsewhere        give the capture up; nothing else
// While the control holds the capture the screen keeps telling it leave and enter, so it shows
// pressed while the pointer is on it and normal while away. Subclasses override a handler where
// their rules differ and OnActivate for what a completed mouse click does.
//
// Main thread only.
#pragma once

#include "Graphics/DrawState.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"
#include "Widgets/Components.h"
#include "Widgets/FontComponent.h"
#include "Widgets/IText.h"
#include "Widgets/StateImages.h"

namespace Corvane
{
class SoundList;
}

class ControlNode : public SceneNode, public Corvane::EnableComponent
{
public:
    // Enabled, visible, hit-testable, not hovered, alpha sensitivity 25, silent.
    explicit ControlNode(Corvane::Label name);

    // Controls take part in keyboard focus moves.
    bool CanTakeFocus() override { return true; }

    bool IsHovered() const { return mHover; }
    // Not owned (the resource manager's); null is silent.
    Corvane::SoundList* GetSounds() const { return mSounds; }
    void SetSounds(Corvane::SoundList* sounds) { mSounds = sounds; }
    // Plays the sound list's sound for event; nothing without a list or such a sound.
    void PlaySound(Corvane::Label event) const;
    // 0: the whole rectangle is hit; otherwise pixels of the normal picture whose alpha is above.
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }

    // The state to draw (Corvane::ControlState), from the flags, the capture and the focus.
    Corvane::ControlState GetControlState(bool hasFocusImage) const;

protected:
    virtual void OnPress();
    virtual void OnRelease();
    virtual void OnEnter();
    virtual void OnLeave();
    virtual void OnCapturedRelease();
    // A mouse click completed over the enabled control that held the capture.
    virtual void OnActivate() {}
    void SetHover(bool hover) { mHover = hover; }

    // In the world rectangle (left and top edges in, right and bottom out) and, with an alpha
    // sensitivity and a list of pictures, on a pixel of the normal picture above it.
    bool HitTestStateImages(const Corvane::Vector2<float>& worldPoint, const Corvane::StateImages& images);
    // A copy of the current draw state, clipped like the node, with the node's world alpha as the
    // tint's alpha (the tint's colour stays).
    Corvane::Graphics::DrawState ControlDrawState();

private:
    Corvane::SoundList* mSounds = nullptr;
    int mAlphaSensitivity = 25;
    bool mHover = false;
};

// A control with a text drawn in a font: text or font changes resize it (UpdateSize).
class TextControlNode : public ControlNode, public Corvane::TextComponent, public Corvane::FontComponent
{
public:
    using ControlNode::ControlNode;

    // Store, then UpdateSize.
    void SetText(const std::wstring& text) override;
    void SetFont(Corvane::Font* font) override;
    // Fits the node's size to its pictures or its text; nothing in the base.
    virtual void UpdateSize() {}

protected:
    // The text centred on the node at position p (the node's drawn top-left corner), in the node's
    // font and world colour, over state (ControlDrawState). Nothing without text or font.
    void DrawCentredText(const Corvane::Vector2<float>& p, const Corvane::Graphics::DrawState& state);
};

// The attributes that the labelled controls read alike. Resource names are kept as labels.
class ControlNodeDescriptor : public SceneNodeDescriptor
{
public:
    // Reads "images", "width" (0), "text", "font", "alphaSensitivity" (25), "sounds" and
    // "textResource" (only when present).
    void ReadControlAttributes(const Corvane::IAttributeContainer& attributes);

    Corvane::Label mImages;
    float mWidth = 0.0f;
    std::wstring mText;
    Corvane::Label mFont;
    int mAlphaSensitivity = 25;
    Corvane::Label mSounds;
    Corvane::Label mTextResource; // null: the literal text
};
