#include "Widgets/SpriteObjects.h"

#include "Graphics/DrawingFunctions.h"
#include "Graphics/IImage.h"
#include "Graphics/IImageList.h"
#include "Graphics/RenderContext.h"
#include "Graphics/TextDrawing.h"

#include <climits>
#include <cwchar>

namespace Corvane
{
using namespace Graphics;

namespace
{
constexpr std::uint32_t kFlipBits = kDrawMirrorX | kDrawMirrorY;

// A size scaled and truncated toward zero.
int Scaled(int size, float scale)
{
    return static_cast<int>(static_cast<float>(size) * scale);
}

// One "%d" as scanf reads it: white space, a sign, digits; the value kept within int.
const wchar_t* ReadInt(const wchar_t* text, int& out)
{
    wchar_t* end = nullptr;
    const long value = std::wcstol(text, &end, 10);
    if (end == text)
        return nullptr;
    out = value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : static_cast<int>(value);
    return end;
}
} // namespace

DrawState SpriteObject::MakeDrawState() const
{
    DrawState state = GetRenderContext().state;
    state.tint = GetColor();
    state.horizontalAlignment = GetHorizontalAlignment();
    state.verticalAlignment = GetVerticalAlignment();
    state.flags = (state.flags & ~kFlipBits) | ((static_cast<std::uint32_t>(GetFlipState()) << 2) & kFlipBits);
    return state;
}

void ImageSpriteObject::Draw()
{
    if (!IsVisible() || !mImage)
        return;
    DrawState state = MakeDrawState();
    if (mSourceRect)
        state.SetSourceRect(*mSourceRect);
    if (mClipRect)
        state.clip = *mClipRect;
    const Vector2<float> at = GetScreenLocation();
    const Vector2<float>& scale = GetScale();
    if (scale == Vector2<float>(1.0f, 1.0f))
    {
        DrawImage(mImage, at.x, at.y, state, GetCurrentCanvas());
        return;
    }
    DrawImageInRect(mImage,
                    {static_cast<int>(at.x), static_cast<int>(at.y), Scaled(mImage->GetWidth(), scale.x),
                     Scaled(mImage->GetHeight(), scale.y)},
                    state, GetCurrentCanvas());
}

void AnimationSpriteObject::Draw()
{
    if (!IsVisible() || !mAnimation.list)
        return;
    const DrawState state = MakeDrawState();
    const Vector2<float> at = GetScreenLocation();
    const Vector2<float>& scale = GetScale();
    if (scale == Vector2<float>(1.0f, 1.0f))
    {
        mAnimation.Draw(mTime, at.x, at.y, state, GetCurrentCanvas());
        return;
    }
    const Rect<float> rect{at.x, at.y, static_cast<float>(mAnimation.list->GetWidth(0)) * scale.x,
                           static_cast<float>(mAnimation.list->GetHeight(0)) * scale.y};
    mAnimation.DrawInRect(mTime, rect, state, GetCurrentCanvas());
}

void TextSpriteObject::Draw()
{
    if (!IsVisible())
        return;
    DrawState state = GetRenderContext().state;
    state.font = GetFont();
    state.color = GetColor();
    state.effectColor = mEffectColor;
    state.effectOffsetX = mEffectOffset.x;
    state.effectOffsetY = mEffectOffset.y;
    state.horizontalAlignment = GetHorizontalAlignment();
    state.verticalAlignment = GetVerticalAlignment();
    state.textMode = GetTextMode();
    const Vector2<float> at = GetScreenLocation();
    if (mWrapWidth == 0.0f)
        DrawText(GetText().c_str(), at.x, at.y, state, GetCurrentCanvas());
    else
        DrawTextBlockAt(GetText().c_str(), at.x, at.y, mWrapWidth, state, GetCurrentCanvas());
}

std::optional<Vector2<int>> ParseIntPair(const std::wstring& text)
{
    int first = 0;
    const wchar_t* rest = ReadInt(text.c_str(), first);
    if (!rest)
        return std::nullopt;
    int second = first;
    if (*rest == L',')
        ReadInt(rest + 1, second);
    return Vector2<int>{first, second};
}
} // namespace Corvane
