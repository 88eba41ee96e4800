// A font and a text mode, held by the widget objects and the scene graph's text-bearing nodes.
// Fonts belong to the resource manager: the holder does not own them.
#pragma once

namespace Corvane
{
class Font;

class IFontComponent
{
public:
    // A font is set.
    virtual bool HasFont() const = 0;
    virtual Font* GetFont() const = 0;
    virtual void SetFont(Font* font) = 0;
    virtual ~IFontComponent() = default;
};

// The draw state's text modes: 0 plain, 1 outline, 2 drop shadow.
class ITextModeComponent
{
public:
    virtual int GetTextMode() const = 0;
    virtual void SetTextMode(int textMode) = 0;

protected:
    ~ITextModeComponent() = default;
};

// Stores and returns; no font and plain text at first.
class FontComponent : public IFontComponent, public ITextModeComponent
{
public:
    bool HasFont() const override { return mFont != nullptr; }
    Font* GetFont() const override { return mFont; }
    void SetFont(Font* font) override { mFont = font; }
    int GetTextMode() const override { return mTextMode; }
    void SetTextMode(int textMode) override { mTextMode = textMode; }

private:
    Font* mFont = nullptr;
    int mTextMode = 0;
};
} // namespace Corvane
