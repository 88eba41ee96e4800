// The plain text node: one text in one font and one colour, on one line or wrapped into a block
// of the wrap width, justified left, centre or right, plain, outlined or drop-shadowed. Its node
// size is always the measured size of its text (0 by 0 without a font or text), so layouts align
// and hit-test it like any other node; the size is measured on every change of text, font or wrap
// width, never while drawing. Layouts create it from "textspritenode":
//
//   <textspritenode font="Font_Large" textResource="Title_Text" textJustify="center" width="200"
//                   textMode="outline" bgColor="#202020" noBlur="true" color="#FFE080"/>
//
// "text" is the literal text, replaced by the string resource "textResource" when that is given
// (a missing resource shows Missing: "<name>"); "bgColor" is the colour of the outline or shadow.
// Main thread only.
#pragma once

#include "Graphics/ColorF.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"
#include "SceneGraph/TextSpriteComponent.h"
#include "Widgets/FontComponent.h"

class TextSpriteNode : public SceneNode, public Corvane::FontComponent, public TextSpriteComponent
{
public:
    // Unnamed, at position in colour; width is the wrap width (0: one line). text may be null.
    TextSpriteNode(const Corvane::Vector2<float>& position, const wchar_t* text, Corvane::Font* font, float width,
                   const Corvane::ColorF& color);

    // Store, then measure the text again.
    void SetText(const std::wstring& text) override;
    void SetWidth(float width) override;
    void SetFont(Corvane::Font* font) override;
    // The wrap width (the node's size is SceneNode::GetWidth).
    using TextSpriteComponent::GetWidth;

    // Snap the drawing position to whole pixels.
    bool GetNoBlur() const { return mNoBlur; }
    void SetNoBlur(bool noBlur) { mNoBlur = noBlur; }
    // The colour of the outline or the drop shadow; opaque white at first.
    const Corvane::ColorF& GetEffectColor() const { return mEffectColor; }
    void SetEffectColor(const Corvane::ColorF& color) { mEffectColor = color; }

    // The text in the node's world colour, its left edge at the node's left edge whatever the
    // justification.
    void Draw(const Corvane::Vector2<float>& offset) override;

private:
    void UpdateSize();

    bool mNoBlur = false;
    Corvane::ColorF mEffectColor{1.0f, 1.0f, 1.0f, 1.0f};
};

class TextSpriteNodeDescriptor : public SceneNodeDescriptor
{
public:
    std::wstring mText;
    Corvane::Label mFont;
    float mWidth = 0.0f;
    int mJustify = 0;
    Corvane::Label mTextResource; // null: the literal text
    bool mNoBlur = false;
    int mTextMode = 0;
    Corvane::ColorF mBgColor{1.0f, 1.0f, 1.0f, 1.0f};
};

// Element "textspritenode": "text", "font", "width", "textJustify" ("left", "center", "right"),
// "textResource", "noBlur", "textMode" ("outline", "dropShadow"), "bgColor".
class TextSpriteNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
