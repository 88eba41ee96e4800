// What the scene graph's check box and radio button share: a checked flag, state pictures in the
// toggles' forms, a text in a font, and the toggle's mouse protocol.
//
// Picture forms, by the list's image count n: up to 10 images one picture per state (the node is
// image 0's size); more than 10 three pieces per state drawn across the node's width (the given
// width, image 0's height). Without a list the node is 0 by 0, draws no picture and is not hit
// there. The check box keeps its checked pictures in the list's second half; the radio button has
// one set and shows its pressed picture while checked.
//
// Mouse protocol (ControlNode's press, enter and captured release): a release over the enabled
// control activates it (toggles, selects) whether or not it holds the capture, as long as no other
// node does; every release gives the capture up, enabled or not, so a control disabled while
// pressed never keeps the screen's mouse. Enter, Space and the game pad's A activate it while it
// has the keyboard focus, enabled or not. Main thread only.
#pragma once

#include "SceneGraph/ControlNode.h"

namespace Corvane
{
class ImageList;
}

class ToggleNode : public TextControlNode
{
public:
    // text may be null; images and font are not owned and may be null.
    ToggleNode(const Corvane::ColorF& color, const wchar_t* text, Corvane::Label name,
               const Corvane::Vector2<float>& position, Corvane::ImageList* images, float width, Corvane::Font* font);

    bool IsChecked() const { return mChecked; }
    Corvane::ImageList* GetImages() const { return mImages; }
    // The picture's size: image 0's, or the set width by image 0's height for pieces; 0 by 0
    // without a list. The text does not change it.
    void UpdateSize() override;
    // The state drawn now (Corvane::ControlState).
    virtual Corvane::ControlState GetState() const = 0;
    bool KeyDown(int key) override;

protected:
    // The gap between the picture and its label.
    static constexpr float kLabelGap = 5.0f;

    // The toggle's or the selection's work, by mouse or key.
    virtual void Activate() = 0;
    void OnRelease() override;
    // The list read in the toggles' forms (two sets: the check box's unchecked and checked halves).
    Corvane::StateImages GetStateImages() const;
    // The text left-aligned and centred on the node's middle, 5 pixels right of the picture, in the
    // node's font and world colour. Nothing without text or font.
    void DrawLabel(const Corvane::Vector2<float>& p, const Corvane::Graphics::DrawState& state);

    bool mChecked = false;

private:
    Corvane::ImageList* mImages;
    float mWidth;
};

// The attributes of the toggles: the control attributes of ControlNodeDescriptor, and the radio
// button's "group" (the null label when absent).
class ToggleNodeDescriptor : public ControlNodeDescriptor
{
public:
    Corvane::Label mGroup;
};
