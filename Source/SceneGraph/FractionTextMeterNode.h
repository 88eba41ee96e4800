// A meter shown as text: the value and the maximum, each rounded down, as a fraction ("3/10"),
// in a text sprite child that the node makes itself; the node takes the text's size.
//
//   <fractiontextmeternode font="Font_Small" color="#FFFFFF" textJustify="right" max="10" start="3"/>
//
// Main thread only.
#pragma once

#include "Graphics/ColorF.h"
#include "SceneGraph/MeterComponent.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"

namespace Corvane
{
class Font;
}
class TextSpriteNode;

class FractionTextMeterNode : public SceneNode, public MeterComponent
{
public:
    // font: not owned (null: no text drawn); justify: 0 left, 1 centre, 2 right.
    FractionTextMeterNode(Corvane::Font* font, const Corvane::ColorF& textColor, int justify);

    // Both keep the value within [0, maximum] and rewrite the text.
    void SetValue(float value) override;
    void SetMax(float max) override;

    // The text child; part of the node's tree, registered and removed with it.
    TextSpriteNode* GetTextNode() const { return mText; }

private:
    void UpdateText();

    TextSpriteNode* mText;
};

class FractionTextMeterNodeDescriptor : public SceneNodeDescriptor
{
public:
    Corvane::Label mFont;
    Corvane::ColorF mTextColor{0.0f, 0.0f, 0.0f, 1.0f};
    int mJustify = 0;
    float mMax = 0.0f;
    float mStart = 0.0f;
};

// "font", "color" (opaque black), "textJustify" ("left", "center", "right"), "max", "start".
class FractionTextMeterNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
