// The styled text node: a block of text whose parts may differ in colour, effect colour, font and
// text mode (StyledText.h), wrapped at its width and justified. Scores, timers, dish names,
// judges' comments and most other text of the screens are styled text nodes.
//
//   node->SetText(L"Tom & Jerry");                                   // plain: shows as typed
//   node->SetMarkup(L"Score <style color=\"#FFD040\">1,200</style>"); // tags are tags
//
// The node lays its text out whenever the text, base style or width changes and takes the laid-out
// size as its own; drawing never lays out. It hit-tests as the scene node does (its world
// rectangle, right and bottom edges outside).
//
// Layout element "styledtextspritenode": "text" (markup), "font", "color", "bgColor", "textMode"
// (the base style), "textResource" (a string resource shown as plain text), "textJustify" ("left",
// "center", "right"), "width" (wrap width; 0 or less never wraps), "noBlur" (draw at whole pixels).
#pragma once

#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"
#include "SceneGraph/StyledText.h"
#include "SceneGraph/TextSpriteComponent.h"

class StyledTextSpriteNode : public SceneNode, public TextSpriteComponent
{
public:
    StyledTextSpriteNode(const Corvane::Vector2<float>& position, const std::wstring& markup, const TextStyle& style,
                         float width);

    // Plain text: "&", the double quote, "<" and ">" are escaped, so the text shows as typed.
    void SetText(const std::wstring& text) override;
    // Markup, stored as given: its "style" tags style the text.
    void SetMarkup(const std::wstring& markup);
    // The wrap width; an unchanged width lays nothing out.
    void SetWidth(float width) override;
    using TextSpriteComponent::GetWidth;

    const TextStyle& GetStyle() const { return mStyle; }
    void SetStyle(const TextStyle& style);
    bool GetNoBlur() const { return mNoBlur; }
    void SetNoBlur(bool noBlur) { mNoBlur = noBlur; }

    const StyleRunList& GetStyleRuns() const { return mRuns; }
    const LineDimensionList& GetLines() const { return mLines; }

    void Draw(const Corvane::Vector2<float>& offset) override;

protected:
    // Parses the markup with the base style, breaks it at the wrap width and takes the size.
    virtual void Layout();

private:
    TextStyle mStyle;
    StyleRunList mRuns;
    LineDimensionList mLines;
    bool mNoBlur = false;
};

class StyledTextSpriteNodeDescriptor : public SceneNodeDescriptor
{
public:
    std::wstring mText;
    float mWidth = 0.0f;
    TextStyle mStyle;
    int mJustify = 0;
    Corvane::Label mTextResource;
    bool mNoBlur = false;
};

class StyledTextSpriteNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
