// One line of editable text, as the widget text field (TextEditObject) and the scene graph's text
// edit node (TextEditNode) both hold it: the text, the caret, the sideways scrolling that keeps the
// caret in view, the limits on characters and on pixel width, password display and alignment, all
// measured in a font, and the blinking caret picture. The owner supplies where its text area lies
// (Frame) and draws; the editor decides what an edit or a key does and tells the owner whether the
// text changed, so that the owner sends "TextEditChange".
//
// Measuring a text adds the font's advance of each displayed character followed by the next one
// (the last followed by 0); in password mode every displayed character is the password character.
// Main thread.
#pragma once

#include "Graphics/DrawState.h"
#include "Graphics/ICanvas.h"
#include "Graphics/Rect.h"
#include "Graphics/Vector2.h"
#include "TextConversion.h"

#include <memory>
#include <string>

namespace Corvane
{
class Font;
class IImage;
class ImageList;
struct ImageListAnimation;

class LineEdit
{
public:
    enum Alignment
    {
        kAlignLeft = 0,
        kAlignCenter = 1,
        kAlignRight = 2
    };

    // Where the text area lies, relative to the owner's top-left corner.
    struct Frame
    {
        float left = 0.0f;
        float top = 0.0f;
        float areaWidth = 0.0f;
    };

    // What a key did.
    enum class KeyResult
    {
        kPassOn,  // the owner's screen should have it (Enter, Tab, Escape, the codes 512 and 513)
        kKept,    // the field took it; the text stayed
        kChanged, // the field took it and the text changed
    };

    LineEdit();
    ~LineEdit();
    LineEdit(const LineEdit&) = delete;
    LineEdit& operator=(const LineEdit&) = delete;

    // Layout inputs. None lays the text out again: the owner calls Relayout after a change.
    void SetFont(const Font* font) { mFont = font; }
    const Font* GetFont() const { return mFont; }
    void SetFrame(const Frame& frame) { mFrame = frame; }
    const Frame& GetFrame() const { return mFrame; }
    // Negative: no limit.
    void SetMaxCharacters(int count) { mMaxCharacters = count; }
    int GetMaxCharacters() const { return mMaxCharacters; }
    void SetMaxStringWidth(int width) { mMaxStringWidth = width; }
    int GetMaxStringWidth() const { return mMaxStringWidth; }
    void SetPasswordMode(bool on) { mPasswordMode = on; }
    bool IsPasswordMode() const { return mPasswordMode; }
    void SetPasswordCharacter(wchar_t c) { mPasswordCharacter = c; }
    wchar_t GetPasswordCharacter() const { return mPasswordCharacter; }
    void SetAlignment(int alignment) { mAlignment = alignment; }
    int GetAlignment() const { return mAlignment; }
    // Forgets the scrolling (a new field width).
    void ResetScroll() { mScroll = 0.0f; }

    // Applies a text: cut to the character limit, then from its end until it fits the width
    // limit; the caret kept inside it; the caret placed and scrolled into view. No message.
    void SetText(const std::wstring& text);
    // SetText of the current text, after a change of a layout input.
    void Relayout() { SetText(std::wstring(mText)); }
    const std::wstring& GetText() const { return mText; }
    // The text as shown: one password character per character in password mode.
    std::wstring GetDisplayText() const;

    void SetCaret(unsigned index);
    unsigned GetCaret() const { return mCaret; }
    // Where the caret stands relative to the owner, before scrolling.
    const Vector2<float>& GetCaretPosition() const { return mCaretPosition; }
    // Added to the text's and the caret's x (0 or negative).
    float GetScroll() const { return mScroll; }

    // The width of text as displayed; 0 without a font.
    float MeasureText(const std::wstring& text) const;
    // Where the current text starts, relative to the owner: the frame's corner, moved along by
    // the alignment.
    Vector2<float> GetTextOrigin() const;
    // The font's line height made a whole multiple of pieceHeight (the field's side pieces) when
    // both are positive; 0 without a font.
    float GetLineHeight(int pieceHeight) const;

    // Inserts c at the caret unless that breaks a limit; true when it did.
    bool Insert(wchar_t c);
    // Removes the character before (after) the caret; true when there was one.
    bool DeleteBackward();
    bool DeleteForward();
    // Typed text: every character but the control characters is inserted in turn; changed runs
    // after each insertion that happened.
    template <typename Changed> void Type(const std::wstring& text, Changed changed)
    {
        for (const wchar_t c : text)
            if (IsTyped(c) && Insert(c))
                changed();
    }
    // Whether typing c puts it into the text: control characters never do.
    static bool IsTyped(wchar_t c) { return !IsControlCharacter(static_cast<CodePoint>(c)); }
    // A key down while the owner holds the keyboard focus: Backspace, Delete, Home, End, Left and
    // Right edit or move the caret; Enter, Tab, Escape and the codes 512 and 513 pass on; every
    // other key is kept.
    KeyResult Key(int key);

    // The caret picture (not owned; null: no caret), shown and hidden for half a second each.
    void SetCursorImage(IImage* image);
    bool HasCursor() const { return mCursorAnimation != nullptr; }
    float GetCursorWidth() const;
    // The caret's frame blinkTime seconds after the start stretched into rect; 1 without a caret.
    int DrawCaret(float blinkTime, const Rect<float>& rect, const Graphics::DrawState& state,
                  Graphics::ICanvas* canvas) const;

private:
    wchar_t Displayed(const std::wstring& text, std::size_t index) const;
    bool BreaksWidthLimit(const std::wstring& text) const;

    const Font* mFont = nullptr;
    Frame mFrame;
    std::wstring mText;
    unsigned mCaret = 0;
    Vector2<float> mCaretPosition{0.0f, 0.0f};
    float mScroll = 0.0f;
    int mMaxCharacters = -1;
    int mMaxStringWidth = -1;
    bool mPasswordMode = false;
    wchar_t mPasswordCharacter = L'*';
    int mAlignment = kAlignLeft;
    std::unique_ptr<ImageList> mCursorImages;
    std::unique_ptr<ImageListAnimation> mCursorAnimation;
};
} // namespace Corvane
