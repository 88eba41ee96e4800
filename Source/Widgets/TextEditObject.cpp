#include "Widgets/TextEditObject.h"

#include "AttributeContainer.h"
#include "Graphics/BrushDrawing.h"
#include "Graphics/Font.h"
#include "Graphics/IImage.h"
#include "Graphics/IImageList.h"
#include "Graphics/RenderContext.h"
#include "Graphics/TextDrawing.h"
#include "Widgets/WidgetFocus.h"
#include "Widgets/WidgetResources.h"

namespace Corvane
{
using namespace Graphics;

namespace
{
Label TextEditChange()
{
    static const Label label("TextEditChange");
    return label;
}
} // namespace

TextEditObject::TextEditObject(Label name) : ControlObject(name) {}

TextEditObject::~TextEditObject() = default;

float TextEditObject::GetLeftBorder() const
{
    return mFieldImages ? static_cast<float>(mFieldImages->GetWidth(3)) : 0.0f;
}

float TextEditObject::GetRightBorder() const
{
    return mFieldImages ? static_cast<float>(mFieldImages->GetWidth(5)) : 0.0f;
}

float TextEditObject::GetTopBorder() const
{
    return mFieldImages ? static_cast<float>(mFieldImages->GetHeight(0)) : 0.0f;
}

float TextEditObject::GetTextAreaWidth() const
{
    return GetBounds().width - (GetRightBorder() + GetLeftBorder());
}

float TextEditObject::GetLineHeight() const
{
    return mEdit.GetLineHeight(mFieldImages ? mFieldImages->GetHeight(3) : 0);
}

void TextEditObject::SyncText()
{
    TextComponent::SetText(mEdit.GetText());
}

void TextEditObject::Relayout()
{
    mEdit.SetFont(GetFont());
    mEdit.SetFrame({GetLeftBorder(), GetTopBorder(), GetTextAreaWidth()});
    mEdit.Relayout();
    SyncText();
}

void TextEditObject::SetFieldImages(IImageList* images)
{
    mFieldImages = images;
    if (mFieldImages)
        SetHeight(static_cast<float>(mFieldImages->GetHeight(0) + mFieldImages->GetHeight(6)) + GetLineHeight());
    Relayout();
}

void TextEditObject::SetCursorImage(IImage* image)
{
    mEdit.SetCursorImage(image);
}

void TextEditObject::SetMaxCharacters(int count)
{
    mEdit.SetMaxCharacters(count);
    Relayout();
}

void TextEditObject::SetMaxStringWidth(int width)
{
    mEdit.SetMaxStringWidth(width);
    Relayout();
}

void TextEditObject::SetPasswordMode(bool on)
{
    mEdit.SetPasswordMode(on);
    Relayout();
}

void TextEditObject::SetPasswordCharacter(wchar_t c)
{
    mEdit.SetPasswordCharacter(c);
    Relayout();
}

void TextEditObject::SetTextAlignment(int alignment)
{
    mEdit.SetAlignment(alignment);
    Relayout();
}

void TextEditObject::SetFont(Font* font)
{
    ControlObject::SetFont(font);
    mEdit.SetFont(font);
    if (mFieldImages)
        SetHeight(static_cast<float>(mFieldImages->GetHeight(0) + mFieldImages->GetHeight(6)) + GetLineHeight());
    Relayout();
}

void TextEditObject::SetBounds(const Rect<float>& bounds)
{
    const bool resized = bounds.width != GetBounds().width;
    ControlObject::SetBounds(bounds);
    if (resized)
    {
        mEdit.ResetScroll();
        Relayout();
    }
}

void TextEditObject::SetText(const std::wstring& text)
{
    mEdit.SetFont(GetFont());
    mEdit.SetFrame({GetLeftBorder(), GetTopBorder(), GetTextAreaWidth()});
    mEdit.SetText(text);
    SyncText();
}

void TextEditObject::SetCaret(unsigned index)
{
    mEdit.SetCaret(index);
}

void TextEditObject::InsertCharacter(wchar_t c)
{
    if (!mEdit.Insert(c))
        return;
    SyncText();
    BroadcastFrom(*this, TextEditChange());
}

void TextEditObject::DeleteBackward()
{
    if (!mEdit.DeleteBackward())
        return;
    SyncText();
    BroadcastFrom(*this, TextEditChange());
}

void TextEditObject::DeleteForward()
{
    if (!mEdit.DeleteForward())
        return;
    SyncText();
    BroadcastFrom(*this, TextEditChange());
}

bool TextEditObject::KeyDown(int key)
{
    if (!HasFocus(this))
        return false;
    const LineEdit::KeyResult result = mEdit.Key(key);
    if (result == LineEdit::KeyResult::kChanged)
    {
        SyncText();
        BroadcastFrom(*this, TextEditChange());
    }
    // Every key but the owner's is the field's while it has the focus.
    return result != LineEdit::KeyResult::kPassOn;
}

bool TextEditObject::Char(const std::wstring& text)
{
    if (!HasFocus(this))
        return false;
    for (const wchar_t c : text)
        if (LineEdit::IsTyped(c))
            InsertCharacter(c);
    return true;
}

bool TextEditObject::MouseDown(int, int x, int y)
{
    if (!HitTestPoint(x, y))
        return false;
    SetFocus(this);
    return true;
}

void TextEditObject::Draw()
{
    if (!IsVisible())
        return;
    const Rect<float>& bounds = GetBounds();
    const DrawState& current = GetRenderContext().state;
    DrawNineBrush(mFieldImages, 0, bounds.x, bounds.y, bounds.width, bounds.height, current, GetCurrentCanvas());

    const std::wstring display = mEdit.GetDisplayText();
    const Vector2<float> origin = GetTextOrigin();
    DrawState text = current;
    text.font = GetFont();
    text.color = GetColor();
    text.clip =
        Rect<int>::FromRect(Rect<float>{bounds.x + origin.x, bounds.y + origin.y, GetTextAreaWidth(), GetLineHeight()});
    DrawText(display.c_str(), bounds.x + origin.x + GetScroll(), bounds.y + origin.y, text, GetCurrentCanvas());

    if (!mEdit.HasCursor() || !HasFocus(this) || !IsEnabled())
        return;
    DrawState caret = current;
    caret.horizontalAlignment = kAlignCenter;
    const Vector2<float>& at = GetCaretPosition();
    const Rect<float> rect{bounds.x + at.x + GetScroll(), bounds.y + at.y, mEdit.GetCursorWidth(),
                           bounds.height - 2.0f * at.y};
    mEdit.DrawCaret(mBlinkTime, rect, caret, GetCurrentCanvas());
}

Object* TextEditObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto edit = std::make_unique<TextEditObject>(name);
    if (attributes.HasAttribute(L"fieldImages"))
        edit->SetFieldImages(FindNamedResource<IImageList>(attributes, L"fieldImages"));
    if (attributes.HasAttribute(L"cursorImage"))
        edit->SetCursorImage(FindNamedResource<IImage>(attributes, L"cursorImage"));
    if (attributes.HasAttribute(L"maxCharacters"))
        edit->SetMaxCharacters(attributes.GetIntAttribute(L"maxCharacters", 0));
    if (attributes.HasAttribute(L"maxStringWidth"))
        edit->SetMaxStringWidth(attributes.GetIntAttribute(L"maxStringWidth", 0));
    if (attributes.HasAttribute(L"passwordMode"))
        edit->SetPasswordMode(attributes.GetBoolAttribute(L"passwordMode", false));
    if (const wchar_t* c = attributes.GetStringAttribute(L"passwordCharacter", L""); c[0] != 0)
        edit->SetPasswordCharacter(c[0]);
    const std::wstring align = attributes.GetStringAttribute(L"textalign", L"");
    if (align == L"center")
        edit->SetTextAlignment(TextEditObject::kTextCenter);
    else if (align == L"right")
        edit->SetTextAlignment(TextEditObject::kTextRight);
    return edit.release();
}
} // namespace Corvane
