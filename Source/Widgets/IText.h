// A holder of one text: the widget objects' and the scene graph's text-bearing nodes share it.
#pragma once

#include "Label.h"

#include <string>

namespace Corvane
{
class IText
{
public:
    virtual ~IText() = default;
    virtual const std::wstring& GetText() const = 0;
    virtual void SetText(const std::wstring& text) = 0;
    // Sets the text (through SetText) from the string resource of that name; without one the text
    // becomes Missing: "<name>", so the gap shows on the screen instead of failing.
    virtual void SetTextFromResource(Label name) = 0;
};

// The text of the string resource named name, copied; Missing: "<name>" when there is no string
// resource of that name. Every SetTextFromResource goes through it.
std::wstring TextFromResource(Label name);

// The text holder that only stores. Classes that react to a new text override SetText.
class TextComponent : public IText
{
public:
    const std::wstring& GetText() const override { return mText; }
    void SetText(const std::wstring& text) override { mText = text; }
    void SetTextFromResource(Label name) override;

private:
    std::wstring mText;
};
} // namespace Corvane
