#include "Widgets/TextEditObject.h"

#include "AttributeContainer.h"
#include "Graphics/BrushDrawing.h"
#include "Graphics/Font.h"
#include "Graphics/Image.h"
#include "Graphics/ImageList.h"
#include "Graphics/RenderContext.h"
#include "Graphics/TextDrawing.h"
#include "Widgets/WidgetFocus.h"
#include "Widgets/WidgetResources.h"

#include <cmath>

namespace Corvane
{
using namespace Graphics;

namespace
{
// Keys the field leaves to its owner: the engine's codes 512 and 513, Enter, Tab, Escape.
bool IsOwnersKey(int key)
{
    return key == 512 || key == 513 || key == 13 || key == 9 || key == 27;
}

constexpr int kBackspace = 8;
constexpr int kDelete = 46;
constexpr int kHome = 36;
constexpr int kEnd = 35;
constexpr int kLeft = 37;
constexpr int kRight = 39;
// Characters up to this code are control characters, never inserted.
constexpr wchar_t kLastControl = 31;
// The caret shows for half a second and hides for half a second.
constexpr float kCaretFramesPerSecond = 2.0f;

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

void TextEditObject::SetFieldImages(IImageList* images)
{
    mFieldImages = images;
    if (mFieldImages)
        SetHeight(static_cast<float>(mFieldImages->GetHeight(0) + mFieldImages->GetHeight(6)) + GetLineHeight());
    SetText(std::wstring(GetText()));
}

void TextEditObject::SetCursorImage(IImage* image)
{
    mCaretAnimation.reset();
    mCaretImages.reset();
    if (!image)
        return;
    mCaretImages = std::make_unique<ImageList>();
    mCaretImages->AddImage(image, false);
    mCaretImages->AddImage(new Image(), true);
    mCaretAnimation = std::make_unique<ImageListAnimation>();
    mCaretAnimation->list = mCaretImages.get();
    mCaretAnimation->mode = kAnimationLoop;
    mCaretAnimation->fps = kCaretFramesPerSecond;
}

void TextEditObject::SetMaxCharacters(int count)
{
    mMaxCharacters = count;
    SetText(std::wstring(GetText()));
}

void TextEditObject::SetMaxStringWidth(int width)
{
    mMaxStringWidth = width;
    SetText(std::wstring(GetText()));
}

void TextEditObject::SetPasswordMode(bool on)
{
    mPasswordMode = on;
    SetText(std::wstring(GetText()));
}

void TextEditObject::SetPasswordCharacter(wchar_t c)
{
    mPasswordCharacter = c;
    SetText(std::wstring(GetText()));
}

void TextEditObject::SetTextAlignment(int alignment)
{
    mTextAlignment = alignment;
    SetText(std::wstring(GetText()));
}

void TextEditObject::SetFont(Font* font)
{
    ControlObject::SetFont(font);
    if (mFieldImages)
        SetHeight(static_cast<float>(mFieldImages->GetHeight(0) + mFieldImages->GetHeight(6)) + GetLineHeight());
    SetText(std::wstring(GetText()));
}

void TextEditObject::SetBounds(const Rect<float>& bounds)
{
    const bool resized = bounds.width != GetBounds().width;
    ControlObject::SetBounds(bounds);
    if (resized)
    {
        mScroll = 0.0f;
        SetText(std::wstring(GetText()));
    }
}

wchar_t TextEditObject::Displayed(const std::wstring& text, std::size_t index) const
{
    if (index >= text.size())
        return 0;
    return mPasswordMode ? mPasswordCharacter : text[index];
}

float TextEditObject::MeasureText(const std::wstring& text) const
{
    const Font* font = GetFont();
    if (!font)
        return 0.0f;
    float width = 0.0f;
    for (std::size_t i = 0; i < text.size(); ++i)
        width += static_cast<float>(font->GetAdvance(Displayed(text, i), Displayed(text, i + 1)));
    return width;
}

float TextEditObject::GetLineHeight() const
{
    const Font* font = GetFont();
    if (!font)
        return 0.0f;
    const int lineHeight = font->GetLineHeight();
    const int piece = mFieldImages ? mFieldImages->GetHeight(3) : 0;
    // Without field images, or with side pieces of no height, no multiple can be made.
    if (piece <= 0 || lineHeight <= 0)
        return static_cast<float>(std::max(lineHeight, 0));
    return static_cast<float>((lineHeight + piece - 1) / piece * piece);
}

float TextEditObject::GetTextAreaWidth() const
{
    return GetBounds().width - (GetRightBorder() + GetLeftBorder());
}

Vector2<float> TextEditObject::GetTextOrigin() const
{
    const float left = GetLeftBorder();
    const float textWidth = MeasureText(GetText());
    float x = left;
    if (mTextAlignment == kTextCenter)
        x = left + GetTextAreaWidth() * 0.5f - textWidth * 0.5f;
    else if (mTextAlignment == kTextRight)
        x = left + GetTextAreaWidth() - textWidth;
    return {x, GetTopBorder()};
}

bool TextEditObject::BreaksWidthLimit(const std::wstring& text) const
{
    return mMaxStringWidth >= 0 && std::floor(MeasureText(text) + 0.5f) > static_cast<float>(mMaxStringWidth);
}

void TextEditObject::SetText(const std::wstring& newText)
{
    std::wstring text = newText;
    if (mMaxCharacters >= 0 && text.size() > static_cast<std::size_t>(mMaxCharacters))
        text.resize(static_cast<std::size_t>(mMaxCharacters));
    while (!text.empty() && BreaksWidthLimit(text))
        text.pop_back();
    TextComponent::SetText(text);
    if (mCaret > text.size())
        mCaret = static_cast<unsigned>(text.size());

    const Vector2<float> origin = GetTextOrigin();
    mCaretPosition = origin;
    if (const Font* font = GetFont())
        for (unsigned i = 0; i < mCaret; ++i)
            mCaretPosition.x += static_cast<float>(font->GetAdvance(Displayed(text, i), Displayed(text, i + 1)));

    const float area = GetTextAreaWidth();
    if (mCaretPosition.x + mScroll > area + origin.x)
        mScroll = area - (mCaretPosition.x - origin.x);
    else if (mCaretPosition.x + mScroll < origin.x)
        mScroll = origin.x - mCaretPosition.x;
}

void TextEditObject::SetCaret(unsigned index)
{
    mCaret = index;
    SetText(std::wstring(GetText()));
}

void TextEditObject::InsertCharacter(wchar_t c)
{
    std::wstring candidate = GetText();
    candidate.insert(candidate.begin() + mCaret, c);
    if (BreaksWidthLimit(candidate))
        return;
    if (mMaxCharacters >= 0 && candidate.size() > static_cast<std::size_t>(mMaxCharacters))
        return;
    ++mCaret;
    SetText(candidate);
    BroadcastFrom(*this, TextEditChange());
}

void TextEditObject::DeleteBackward()
{
    if (mCaret == 0)
        return;
    --mCaret;
    std::wstring text = GetText();
    text.erase(mCaret, 1);
    SetText(text);
    BroadcastFrom(*this, TextEditChange());
}

void TextEditObject::DeleteForward()
{
    if (mCaret >= GetText().size())
        return;
    std::wstring text = GetText();
    text.erase(mCaret, 1);
    SetText(text);
    BroadcastFrom(*this, TextEditChange());
}

bool TextEditObject::KeyDown(int key)
{
    if (!HasFocus(this) || IsOwnersKey(key))
        return false;
    const unsigned length = static_cast<unsigned>(GetText().size());
    switch (key)
    {
    case kBackspace: DeleteBackward(); break;
    case kDelete: DeleteForward(); break;
    case kHome: SetCaret(0); break;
    case kEnd: SetCaret(length); break;
    case kLeft:
        if (mCaret > 0)
            SetCaret(mCaret - 1);
        break;
    case kRight:
        if (mCaret < length)
            SetCaret(mCaret + 1);
        break;
    default: break;
    }
    // Every other key is the field's while it has the focus.
    return true;
}

bool TextEditObject::Char(const std::wstring& text)
{
    if (!HasFocus(this))
        return false;
    for (const wchar_t c : text)
        if (c > kLastControl)
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

    const std::wstring display = mPasswordMode ? std::wstring(GetText().size(), mPasswordCharacter) : GetText();
    const Vector2<float> origin = GetTextOrigin();
    DrawState text = current;
    text.font = GetFont();
    text.color = GetColor();
    text.clip =
        Rect<int>::FromRect(Rect<float>{bounds.x + origin.x, bounds.y + origin.y, GetTextAreaWidth(), GetLineHeight()});
    DrawText(display.c_str(), bounds.x + origin.x + mScroll, bounds.y + origin.y, text, GetCurrentCanvas());

    if (!mCaretAnimation || !HasFocus(this) || !IsEnabled())
        return;
    DrawState caret = current;
    caret.horizontalAlignment = kAlignCenter;
    const Rect<float> rect{bounds.x + mCaretPosition.x + mScroll, bounds.y + mCaretPosition.y,
                           static_cast<float>(mCaretImages->GetWidth(0)), bounds.height - 2.0f * mCaretPosition.y};
    mCaretAnimation->DrawInRect(mBlinkTime, rect, caret, GetCurrentCanvas());
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
