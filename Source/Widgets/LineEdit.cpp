#include "Widgets/LineEdit.h"

#include "Graphics/Font.h"
#include "Graphics/Image.h"
#include "Graphics/ImageList.h"
#include "Widgets/ImageListAnimation.h"

#include <cmath>

namespace Corvane
{
namespace
{
constexpr int kBackspace = 8;
constexpr int kTab = 9;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kEnd = 35;
constexpr int kHome = 36;
constexpr int kLeft = 37;
constexpr int kRight = 39;
constexpr int kDelete = 46;
// The platform's two codes above the virtual-key range, which screens use to enter and leave lists.
constexpr int kActivate = 512;
constexpr int kDeactivate = 513;
// The caret shows for half a second and hides for half a second.
constexpr float kCaretFramesPerSecond = 2.0f;
} // namespace

LineEdit::LineEdit() = default;
LineEdit::~LineEdit() = default;

wchar_t LineEdit::Displayed(const std::wstring& text, std::size_t index) const
{
    if (index >= text.size())
        return 0;
    return mPasswordMode ? mPasswordCharacter : text[index];
}

std::wstring LineEdit::GetDisplayText() const
{
    return mPasswordMode ? std::wstring(mText.size(), mPasswordCharacter) : mText;
}

float LineEdit::MeasureText(const std::wstring& text) const
{
    if (!mFont)
        return 0.0f;
    float width = 0.0f;
    for (std::size_t i = 0; i < text.size(); ++i)
        width += static_cast<float>(mFont->GetAdvance(Displayed(text, i), Displayed(text, i + 1)));
    return width;
}

float LineEdit::GetLineHeight(int pieceHeight) const
{
    if (!mFont)
        return 0.0f;
    const int lineHeight = mFont->GetLineHeight();
    if (lineHeight <= 0)
        return 0.0f;
    if (pieceHeight <= 0)
        return static_cast<float>(lineHeight);
    return static_cast<float>((lineHeight + pieceHeight - 1) / pieceHeight * pieceHeight);
}

Vector2<float> LineEdit::GetTextOrigin() const
{
    const float textWidth = MeasureText(mText);
    float x = mFrame.left;
    if (mAlignment == kAlignCenter)
        x = mFrame.areaWidth * 0.5f - textWidth * 0.5f + mFrame.left;
    else if (mAlignment == kAlignRight)
        x = mFrame.areaWidth - textWidth + mFrame.left;
    return {x, mFrame.top};
}

bool LineEdit::BreaksWidthLimit(const std::wstring& text) const
{
    return mMaxStringWidth >= 0 && std::floor(MeasureText(text) + 0.5f) > static_cast<float>(mMaxStringWidth);
}

void LineEdit::SetText(const std::wstring& newText)
{
    std::wstring text = newText;
    if (mMaxCharacters >= 0 && text.size() > static_cast<std::size_t>(mMaxCharacters))
        text.resize(static_cast<std::size_t>(mMaxCharacters));
    while (!text.empty() && BreaksWidthLimit(text))
        text.pop_back();
    mText = std::move(text);
    if (mCaret > mText.size())
        mCaret = static_cast<unsigned>(mText.size());

    const Vector2<float> origin = GetTextOrigin();
    mCaretPosition = origin;
    if (mFont)
        for (unsigned i = 0; i < mCaret; ++i)
            mCaretPosition.x += static_cast<float>(mFont->GetAdvance(Displayed(mText, i), Displayed(mText, i + 1)));

    // Scroll only as far as needed to bring the caret back to the nearer edge.
    const float caret = mCaretPosition.x + mScroll;
    if (caret > mFrame.areaWidth + origin.x)
        mScroll = mFrame.areaWidth - (mCaretPosition.x - origin.x);
    else if (caret < origin.x)
        mScroll = origin.x - mCaretPosition.x;
}

void LineEdit::SetCaret(unsigned index)
{
    mCaret = index;
    Relayout();
}

bool LineEdit::Insert(wchar_t c)
{
    std::wstring candidate = mText;
    candidate.insert(candidate.begin() + mCaret, c);
    if (BreaksWidthLimit(candidate))
        return false;
    if (mMaxCharacters >= 0 && candidate.size() > static_cast<std::size_t>(mMaxCharacters))
        return false;
    ++mCaret;
    SetText(candidate);
    return true;
}

bool LineEdit::DeleteBackward()
{
    if (mCaret == 0)
        return false;
    --mCaret;
    std::wstring text = mText;
    text.erase(mCaret, 1);
    SetText(text);
    return true;
}

bool LineEdit::DeleteForward()
{
    if (mCaret >= mText.size())
        return false;
    std::wstring text = mText;
    text.erase(mCaret, 1);
    SetText(text);
    return true;
}

LineEdit::KeyResult LineEdit::Key(int key)
{
    const unsigned length = static_cast<unsigned>(mText.size());
    switch (key)
    {
    case kActivate:
    case kDeactivate:
    case kEnter:
    case kTab:
    case kEscape: return KeyResult::kPassOn;
    case kBackspace: return DeleteBackward() ? KeyResult::kChanged : KeyResult::kKept;
    case kDelete: return DeleteForward() ? KeyResult::kChanged : KeyResult::kKept;
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
    return KeyResult::kKept;
}

void LineEdit::SetCursorImage(IImage* image)
{
    mCursorAnimation.reset();
    mCursorImages.reset();
    if (!image)
        return;
    // The picture, then an empty one: the loop alternates between them.
    mCursorImages = std::make_unique<ImageList>();
    mCursorImages->AddImage(image, false);
    mCursorImages->AddImage(new Image(), true);
    mCursorAnimation = std::make_unique<ImageListAnimation>();
    mCursorAnimation->list = mCursorImages.get();
    mCursorAnimation->mode = kAnimationLoop;
    mCursorAnimation->fps = kCaretFramesPerSecond;
}

float LineEdit::GetCursorWidth() const
{
    return mCursorImages ? static_cast<float>(mCursorImages->GetWidth(0)) : 0.0f;
}

int LineEdit::DrawCaret(float blinkTime, const Rect<float>& rect, const Graphics::DrawState& state,
                        Graphics::ICanvas* canvas) const
{
    if (!mCursorAnimation)
        return 1;
    return mCursorAnimation->DrawInRect(blinkTime, rect, state, canvas);
}
} // namespace Corvane
