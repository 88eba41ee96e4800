// The single-line text field: a nine-piece field, one line of text in a font, a blinking caret
// (shown 0.5 s, hidden 0.5 s), optional limits on the number of characters and on the text's
// width in pixels, and a password mode that shows one chosen character for each character. A
// click gives it the keyboard focus; with it, typed characters are inserted at the caret (control
// characters skipped), Backspace and Delete remove, Home, End, Left and Right move the caret.
// Every edit reports "TextEditChange"; setting the text from code reports nothing. An edit that
// would break a limit is refused silently. Enter, Tab and Escape are left to the screen.
//
// The text scrolls sideways to keep the caret inside the field. The line is as tall as the font's
// line, made a whole multiple of the field's side pieces when there are field images; the height
// of the object follows from it. Without a font everything measures 0; without a cursor image
// there is no caret.
//
// Its factory, "textedit", reads "fieldImages", "cursorImage", "maxCharacters", "maxStringWidth",
// "passwordMode", "passwordCharacter" and "textalign" ("left", "center", "right"). The owner sets
// the width, the font and the text.
#pragma once

#include "Widgets/ControlObject.h"
#include "Widgets/IText.h"
#include "Widgets/ImageListAnimation.h"
#include "Widgets/ObjectFactory.h"

#include <memory>
#include <string>

namespace Corvane
{
class IImage;
class IImageList;
class ImageList;

class TextEditObject : public ControlObject, public TextComponent
{
public:
    enum TextAlignment
    {
        kTextLeft = 0,
        kTextCenter = 1,
        kTextRight = 2
    };

    explicit TextEditObject(Label name);
    ~TextEditObject() override;

    // The nine field pieces; not owned. With them the height becomes the top and bottom pieces'
    // heights plus the line height.
    void SetFieldImages(IImageList* images);
    IImageList* GetFieldImages() const { return mFieldImages; }
    // The caret's picture (not owned; null: no caret).
    void SetCursorImage(IImage* image);
    // Negative (-1): no limit. A lower limit cuts the text at once, without a message.
    void SetMaxCharacters(int count);
    int GetMaxCharacters() const { return mMaxCharacters; }
    // Pixels; negative (-1): no limit.
    void SetMaxStringWidth(int width);
    int GetMaxStringWidth() const { return mMaxStringWidth; }
    void SetPasswordMode(bool on);
    bool IsPasswordMode() const { return mPasswordMode; }
    void SetPasswordCharacter(wchar_t c);
    wchar_t GetPasswordCharacter() const { return mPasswordCharacter; }
    void SetTextAlignment(int alignment);
    int GetTextAlignment() const { return mTextAlignment; }

    // Applies the limits, keeps the caret inside the text and scrolls it into view. No message.
    void SetText(const std::wstring& text) override;
    // Moves the caret (kept inside the text).
    void SetCaret(unsigned index);
    unsigned GetCaret() const { return mCaret; }
    // Where the caret stands, relative to the object's location, before scrolling.
    const Vector2<float>& GetCaretPosition() const { return mCaretPosition; }
    // The sideways offset of text and caret (0 or negative).
    float GetScroll() const { return mScroll; }
    float GetBlinkTime() const { return mBlinkTime; }

    // The edits; each reports "TextEditChange" when it changed the text.
    void InsertCharacter(wchar_t c);
    void DeleteBackward();
    void DeleteForward();

    // Layout, relative to the object's location: where the text starts, the width between the
    // field's side borders, the line height, and the width of a text as displayed.
    Vector2<float> GetTextOrigin() const;
    float GetTextAreaWidth() const;
    float GetLineHeight() const;
    float MeasureText(const std::wstring& text) const;

    void SetFont(Font* font) override;
    // A new width lays the text out again from no scrolling.
    void SetBounds(const Rect<float>& bounds) override;
    void OnUpdate(float dt) override { mBlinkTime += dt; }
    void Draw() override;

    bool KeyDown(int key) override;
    bool Char(const std::wstring& text) override;
    bool MouseDown(int button, int x, int y) override;

private:
    // The character shown at index of text.
    wchar_t Displayed(const std::wstring& text, std::size_t index) const;
    // The text is too wide for the width limit.
    bool BreaksWidthLimit(const std::wstring& text) const;
    // The field's borders: the widths of pieces 3 and 5, the height of piece 0; 0 without images.
    float GetLeftBorder() const;
    float GetRightBorder() const;
    float GetTopBorder() const;

    IImageList* mFieldImages = nullptr;
    std::unique_ptr<ImageList> mCaretImages;
    std::unique_ptr<ImageListAnimation> mCaretAnimation;
    float mBlinkTime = 0.0f;
    Vector2<float> mCaretPosition{0.0f, 0.0f};
    float mScroll = 0.0f;
    unsigned mCaret = 0;
    int mMaxCharacters = -1;
    int mMaxStringWidth = -1;
    bool mPasswordMode = false;
    wchar_t mPasswordCharacter = L'*';
    int mTextAlignment = kTextLeft;
};

class TextEditObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};
} // namespace Corvane
