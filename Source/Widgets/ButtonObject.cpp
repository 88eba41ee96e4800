#include "Widgets/ButtonObject.h"

#include "Framework/KeyNames.h"
#include "Framework/SoundList.h"
#include "Graphics/BrushDrawing.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/Font.h"
#include "Graphics/IImageList.h"
#include "Graphics/RenderContext.h"
#include "Graphics/TextDrawing.h"
#include "Widgets/WidgetFocus.h"
#include "Widgets/WidgetResources.h"

#include <cmath>
#include <memory>

namespace Corvane
{
using namespace Graphics;

namespace
{
constexpr int kEnter = 13;
constexpr int kSpace = 32;
constexpr int kGamePadA = 258;
// Lists longer than this hold three pieces per state.
constexpr int kMostSingleImages = 5;

Label ButtonClick()
{
    static const Label label("ButtonClick");
    return label;
}

// Events of the button's sound list.
Label HotSound()
{
    static const Label label("Hot");
    return label;
}

Label DownSound()
{
    static const Label label("Down");
    return label;
}
} // namespace

bool ButtonObject::IsThreePiece() const
{
    return mImages && mImages->GetCount() > kMostSingleImages;
}

bool ButtonObject::HasFocusImage() const
{
    const int count = mImages ? mImages->GetCount() : 0;
    return count == 5 || count == 15;
}

void ButtonObject::SetImages(IImageList* images)
{
    mImages = images;
    FitSize();
}

void ButtonObject::SetText(const std::wstring& text)
{
    TextComponent::SetText(text);
    FitSize();
}

void ButtonObject::FitSize()
{
    if (IsThreePiece())
        SetHeight(static_cast<float>(mImages->GetHeight(0)));
    else if (mImages && mImages->GetCount() >= 1)
    {
        SetWidth(static_cast<float>(mImages->GetWidth(0)));
        SetHeight(static_cast<float>(mImages->GetHeight(0)));
    }
    else if (Font* font = GetFont())
    {
        SetWidth(static_cast<float>(Font::MeasureString(*font, GetText().c_str())));
        SetHeight(static_cast<float>(font->GetLineHeight()));
    }
}

ButtonObject::State ButtonObject::GetState() const
{
    if (!IsEnabled())
        return kDisabled;
    const bool captured = HasCapture(this);
    if (captured && mMouseOver)
        return kPressed;
    if (!captured && mMouseOver)
        return kHot;
    if (HasFocus(this))
        return HasFocusImage() ? kFocused : kHot;
    return kNormal;
}

void ButtonObject::Draw()
{
    if (!IsVisible())
        return;
    const int state = GetState();
    const DrawState& current = GetRenderContext().state;
    ICanvas* canvas = GetCurrentCanvas();
    const Rect<float>& bounds = GetBounds();
    if (IsThreePiece())
        DrawThreeBrushHorizontal(mImages, 3 * state, bounds.x, bounds.y, bounds.width, current, canvas);
    else if (!mScalable)
        DrawImageListItem(mImages, state, bounds.x, bounds.y, current, canvas);
    else
        DrawImageListItemInRect(
            mImages, state, Rect<float>{bounds.x, bounds.y, bounds.width * GetScale().x, bounds.height * GetScale().y},
            current, canvas);

    if (GetText().empty() || !GetFont())
        return;
    DrawState text = current;
    text.font = GetFont();
    text.textMode = GetTextMode();
    text.color = GetColor();
    text.horizontalAlignment = kAlignCenter;
    text.verticalAlignment = kAlignCenter;
    DrawText(GetText().c_str(), std::floor(bounds.x + (bounds.width + 1.0f) * 0.5f),
             std::floor(bounds.y + (bounds.height + 1.0f) * 0.5f), text, canvas);
}

bool ButtonObject::KeyDown(int key)
{
    const bool confirms = key == kEnter || key == kSpace || key == kGamePadA;
    if ((confirms && HasFocus(this)) || (mKeyCode != 0 && key == mKeyCode))
    {
        Click();
        return true;
    }
    return false;
}

bool ButtonObject::MouseMove(int x, int y)
{
    const bool wasOver = mMouseOver;
    mMouseOver = HitTestPoint(x, y);
    if (mMouseOver && !wasOver)
        Play(HotSound());
    // Every control under the pointer sees the move.
    return false;
}

bool ButtonObject::MouseDown(int, int x, int y)
{
    mMouseOver = HitTestPoint(x, y);
    if (mMouseOver)
    {
        SetCapture(this);
        Play(DownSound());
    }
    return mMouseOver;
}

bool ButtonObject::MouseUp(int, int x, int y)
{
    mMouseOver = HitTestPoint(x, y);
    if (HasCapture(this))
    {
        // Released away from the button: no click, but the capture ends all the same.
        if (mMouseOver)
            Click();
        ReleaseCapture();
    }
    return mMouseOver;
}

bool ButtonObject::HitTestPixel(int x, int y)
{
    if (mAlphaSensitivity == 0)
        return true;
    const Rect<float>& bounds = GetBounds();
    const int px = x - static_cast<int>(bounds.x);
    const int py = y - static_cast<int>(bounds.y);
    int alpha = 0;
    if (IsThreePiece())
        alpha = GetThreeBrushPixelHorizontal(mImages, 0, px, py, bounds.width);
    else if (!mImages || mImages->GetCount() < 1)
        return true;
    else
        alpha = mImages->GetAlpha(0, px, py);
    return alpha > mAlphaSensitivity;
}

void ButtonObject::Click()
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->Broadcast(ObjectMessage(GetID(), ButtonClick()));
}

void ButtonObject::Play(Label event) const
{
    if (mSounds)
        mSounds->Play(event);
}

Object* ButtonObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto button = std::make_unique<ButtonObject>(name);
    if (attributes.HasAttribute(L"images"))
        button->SetImages(FindNamedResource<IImageList>(attributes, L"images"));
    button->SetSounds(FindNamedResource<SoundList>(attributes, L"sounds"));
    if (attributes.HasAttribute(L"alphaSensitivity"))
        button->SetAlphaSensitivity(attributes.GetIntAttribute(L"alphaSensitivity", 25));
    if (attributes.HasAttribute(L"keyCode"))
        button->SetKeyCode(GetKeyCodeByName(attributes.GetStringAttribute(L"keyCode", L"")));
    if (attributes.HasAttribute(L"scalable"))
        button->SetScalable(attributes.GetBoolAttribute(L"scalable", false));
    return button.release();
}
} // namespace Corvane
