// The scene graph's one-line text entry: a field drawn from a nine-piece image list, a text with a
// blinking caret, optional limits on characters and pixel width, password display, left, centre or
// right alignment and sideways scrolling that keeps the caret in view (the editing is LineEdit's,
// shared with the widget text field). A press on it gives it the keyboard focus; it edits only
// while it holds the focus and sends "TextEditChange" after every change of its text by typing or
// deleting. Enter, Tab and Escape pass on to the screen (to confirm a dialog, say); every other key
// stays with the focused field. Screens find it by name, give it the focus and read GetText.
//
//   <texteditnode name="AccountName" fieldImages="Profile_NameField" cursorImage="Profile_Caret"
//                 width="300" font="Font_Medium" maxCharacters="16" textalign="center"/>
//
// The height follows from the frame and the font: the frame's top and bottom pieces plus the line,
// made a whole multiple of the side pieces' height. Without a frame the height stays as set;
// without a font nothing is measured or drawn; without a cursor image there is no caret. A
// disabled field still edits but shows no caret. Main thread.
#pragma once

#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"
#include "Widgets/Components.h"
#include "Widgets/FontComponent.h"
#include "Widgets/LineEdit.h"

#include <string>

namespace Corvane
{
class IImage;
class IImageList;
} // namespace Corvane

class TextEditNode : public SceneNode, public Corvane::FontComponent, public Corvane::EnableComponent
{
public:
    explicit TextEditNode(Corvane::Label name = Corvane::Label());

    // Applies a text (limits, caret, scrolling); sends no message.
    void SetText(const std::wstring& text);
    const std::wstring& GetText() const { return mEdit.GetText(); }

    // Not owned; null: no frame.
    void SetFieldImages(Corvane::IImageList* images);
    Corvane::IImageList* GetFieldImages() const { return mFieldImages; }
    // Not owned; null: no caret.
    void SetCursorImage(Corvane::IImage* image);
    void SetFont(Corvane::Font* font) override;
    // The field's width; the text is laid out again.
    void SetFieldWidth(float width);
    // Negative: no limit.
    void SetMaxCharacters(int count);
    int GetMaxCharacters() const { return mEdit.GetMaxCharacters(); }
    void SetMaxStringWidth(int width);
    int GetMaxStringWidth() const { return mEdit.GetMaxStringWidth(); }
    void SetPasswordMode(bool on);
    bool IsPasswordMode() const { return mEdit.IsPasswordMode(); }
    void SetPasswordCharacter(wchar_t c);
    wchar_t GetPasswordCharacter() const { return mEdit.GetPasswordCharacter(); }
    // Corvane::LineEdit::Alignment.
    void SetTextAlign(int alignment);
    int GetTextAlign() const { return mEdit.GetAlignment(); }

    void SetCaret(unsigned index);
    unsigned GetCaret() const { return mEdit.GetCaret(); }
    // Relative to the node's top-left corner, before scrolling.
    const Corvane::Vector2<float>& GetCaretPosition() const { return mEdit.GetCaretPosition(); }
    float GetScroll() const { return mEdit.GetScroll(); }
    float GetBlinkTime() const { return mBlinkTime; }
    // The text area: its top-left corner relative to the node (before alignment), width, height.
    Corvane::Vector2<float> GetTextOrigin() const { return mEdit.GetTextOrigin(); }
    float GetTextAreaWidth() const;
    float GetTextAreaHeight() const;
    float MeasureText(const std::wstring& text) const { return mEdit.MeasureText(text); }

    bool CanTakeFocus() override { return true; }
    bool KeyDown(int key) override;
    bool Char(const std::wstring& text) override;
    void OnUpdate(float dt) override { mBlinkTime += dt; }
    void Draw(const Corvane::Vector2<float>& offset) override;

private:
    // Hands the frame and font to the editor and lays the text out again.
    void Relayout();
    // With a frame: the frame's top and bottom pieces plus the text area's height.
    void UpdateHeight();
    void Changed();

    Corvane::IImageList* mFieldImages = nullptr;
    Corvane::LineEdit mEdit;
    float mBlinkTime = 0.0f;
};

class TextEditNodeDescriptor : public SceneNodeDescriptor
{
public:
    Corvane::Label mFieldImages;
    Corvane::Label mCursorImage;
    float mWidth = 0.0f;
    Corvane::Label mFont;
    int mMaxCharacters = -1;
    int mMaxStringWidth = -1;
    bool mPasswordMode = false;
    wchar_t mPasswordCharacter = L'*';
    int mTextAlign = Corvane::LineEdit::kAlignLeft;
};

// Element "texteditnode": "fieldImages", "cursorImage", "width", "font", "maxCharacters" (-1),
// "maxStringWidth" (-1), "passwordMode", "passwordCharacter" (its first character; "*") and
// "textalign" ("left", "center" or "right", exactly; anything else is left).
class TextEditNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
