// The text holder of the text sprite nodes (plain and styled): one text, a wrap width and a
// justification. Like every IText holder it only stores; node types that must resize or re-lay
// their text override SetText and SetWidth, and SetTextFromResource always goes through SetText.
//
// Careful: a node deriving from SceneNode and this component has two widths. Through the node type
// (or ITextSprite) GetWidth/SetWidth are the wrap width; the node's own size is SceneNode's
// (GetLocalState ().width, or GetWidth through a SceneNode pointer).
#pragma once

#include "Widgets/IText.h"

#include <string>

class ITextSprite : public Corvane::IText
{
public:
    // The wrap width: 0 keeps the text on one line.
    virtual void SetWidth(float width) = 0;
    virtual float GetWidth() const = 0;
    // 0 left, 1 centre, 2 right: the draw state's horizontal alignments.
    virtual void SetJustify(int justify) = 0;
    virtual int GetJustify() const = 0;
};

class TextSpriteComponent : public ITextSprite
{
public:
    const std::wstring& GetText() const override { return mText; }
    void SetText(const std::wstring& text) override { mText = text; }
    void SetTextFromResource(Corvane::Label name) override { SetText(Corvane::TextFromResource(name)); }
    void SetWidth(float width) override { mWidth = width; }
    float GetWidth() const override { return mWidth; }
    void SetJustify(int justify) override { mJustify = justify; }
    int GetJustify() const override { return mJustify; }

private:
    std::wstring mText;
    float mWidth = 0.0f;
    int mJustify = 0;
};
