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
// The editing itself is LineEdit's (shared with the scene graph's text edit node); this object
// supplies the field around it. Its factory, "textedit", reads "fieldImages", "cursorImage",
// "maxCharacters", "maxStringWidth", "passwordMode", "passwordCharacter" and "textalign" ("left",
// "center", "right"). The owner sets the width, the font and the text.
#pragma once

#include "Widgets/ControlObject.h"
#include "Widgets/IText.h"
#include "Widgets/LineEdit.h"
#include "Widgets/ObjectFactory.h"

#include <string>

namespace Corvane
{
class IImage;
class IImageList;

class TextEditObject : public ControlObject, public TextComponent
{
public:
    enum TextAlignment
    {
        kTextLeft = LineEdit::kAlignLeft,
        kTextCenter = LineEdit::kAlignCenter,
        kTextRight = LineEdit::kAlignRight
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
    int GetMaxCharacters() const { return mEdit.GetMaxCharacters(); }
    // Pixels; negative (-1): no limit.
    void SetMaxStringWidth(int width);
    int GetMaxStringWidth() const { return mEdit.GetMaxStringWidth(); }
    void SetPasswordMode(bool on);
    bool IsPasswordMode() const { return mEdit.IsPasswordMode(); }
    void SetPasswordCharacter(wchar_t c);
    wchar_t GetPasswordCharacter() const { return mEdit.GetPasswordCharacter(); }
    void SetTextAlignment(int alignment);
    int GetTextAlignment() const { return mEdit.GetAlignment(); }

    // Applies the limits, keeps the caret inside the text and scrolls it into view. No message.
    void SetText(const std::wstring& text) override;
    // Moves the caret (kept inside the text).
    void SetCaret(unsigned index);
    unsigned GetCaret() const { return mEdit.GetCaret(); }
    // Where the caret stands, relative to the object's location, before scrolling.
    const Vector2<float>& GetCaretPosition() const { return mEdit.GetCaretPosition(); }
    // The sideways offset of text and caret (0 or negative).
    float GetScroll() const { return mEdit.GetScroll(); }
    float GetBlinkTime() const { return mBlinkTime; }

    // The edits; each reports "TextEditChange" when it changed the text.
    void InsertCharacter(wchar_t c);
    void DeleteBackward();
    void DeleteForward();

    // Layout, relative to the object's location: where the text starts, the width between the
    // field's side borders, the line height, and the width of a text as displayed.
    Vector2<float> GetTextOrigin() const { return mEdit.GetTextOrigin(); }
    float GetTextAreaWidth() const;
    float GetLineHeight() const;
    float MeasureText(const std::wstring& text) const { return mEdit.MeasureText(text); }

    void SetFont(Font* font) override;
    // A new width lays the text out again from no scrolling.
    void SetBounds(const Rect<float>& bounds) override;
    void OnUpdate(float dt) override { mBlinkTime += dt; }
    void Draw() override;

    bool KeyDown(int key) override;
    bool Char(const std::wstring& text) override;
    bool MouseDown(int button, int x, int y) override;

private:
    // The field's borders: the widths of pieces 3 and 5, the height of piece 0; 0 without images.
    float GetLeftBorder() const;
    float GetRightBorder() const;
    float GetTopBorder() const;
    // Hands the frame and the font to the editor, lays the text out again and keeps the text
    // component's copy of the text in step.
    void Relayout();
    // The editor's text into the text component.
    void SyncText();

    IImageList* mFieldImages = nullptr;
    LineEdit mEdit;
    float mBlinkTime = 0.0f;
};

class TextEditObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};
} // namespace Corvane
