#include "Widgets/PressableControl.h"

#include "AttributeContainer.h"
#include "Framework/SoundList.h"
#include "Graphics/BrushDrawing.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/IImageList.h"
#include "Graphics/RenderContext.h"
#include "Graphics/TextDrawing.h"
#include "Widgets/StateImages.h"
#include "Widgets/WidgetFocus.h"
#include "Widgets/WidgetResources.h"

#include <cmath>

namespace Corvane
{
using namespace Graphics;

namespace
{
constexpr int kEnter = 13;
constexpr int kSpace = 32;
constexpr int kGamePadA = 258;
} // namespace

void PressableControl::SetImages(IImageList* images)
{
    mImages = images;
    FitSize();
}

int PressableControl::GetImageCount() const
{
    return mImages ? mImages->GetCount() : 0;
}

StateImages PressableControl::GetStateImages() const
{
    return StateImages(mImages, mMostSingleImages / kControlStateCount);
}

bool PressableControl::IsThreePiece() const
{
    return GetStateImages().IsThreePiece();
}

bool PressableControl::HasFocusImage() const
{
    return StateImages(mImages).HasFocusImage();
}

void PressableControl::FitSize()
{
    if (IsThreePiece())
        SetHeight(static_cast<float>(mImages->GetHeight(0)));
    else if (GetImageCount() >= 1)
    {
        SetWidth(static_cast<float>(mImages->GetWidth(0)));
        SetHeight(static_cast<float>(mImages->GetHeight(0)));
    }
}

PressableControl::State PressableControl::GetState() const
{
    return static_cast<State>(
        PickControlState(IsEnabled(), mMouseOver, HasCapture(this), HasFocus(this), HasFocusImage()));
}

void PressableControl::DrawImage(int index) const
{
    const Rect<float>& bounds = GetBounds();
    const DrawState& current = GetRenderContext().state;
    if (IsThreePiece())
        DrawThreeBrushHorizontal(mImages, index, bounds.x, bounds.y, bounds.width, current, GetCurrentCanvas());
    else
        DrawImageListItem(mImages, index, bounds.x, bounds.y, current, GetCurrentCanvas());
}

void PressableControl::DrawCentredText(const std::wstring& text, int textMode) const
{
    DrawState state = GetRenderContext().state;
    state.font = GetFont();
    state.textMode = textMode;
    state.color = GetColor();
    state.horizontalAlignment = kAlignCenter;
    state.verticalAlignment = kAlignCenter;
    const Rect<float>& bounds = GetBounds();
    DrawText(text.c_str(), std::floor(bounds.x + (bounds.width + 1.0f) * 0.5f),
             std::floor(bounds.y + (bounds.height + 1.0f) * 0.5f), state, GetCurrentCanvas());
}

bool PressableControl::KeyDown(int key)
{
    if ((key == kEnter || key == kSpace || key == kGamePadA) && HasFocus(this))
    {
        Activate();
        return true;
    }
    return false;
}

bool PressableControl::MouseMove(int x, int y)
{
    const bool wasOver = mMouseOver;
    mMouseOver = HitTestPoint(x, y);
    if (mMouseOver && !wasOver)
        Play(HotSound());
    // Every control under the pointer sees the move.
    return false;
}

bool PressableControl::MouseDown(int, int x, int y)
{
    mMouseOver = HitTestPoint(x, y);
    if (mMouseOver)
    {
        SetCapture(this);
        Play(DownSound());
    }
    return mMouseOver;
}

bool PressableControl::MouseUp(int, int x, int y)
{
    mMouseOver = HitTestPoint(x, y);
    if (HasCapture(this))
    {
        // Released away from the control: no activation, but the capture ends all the same.
        if (mMouseOver)
            Activate();
        ReleaseCapture();
    }
    return mMouseOver;
}

bool PressableControl::HitTestPixel(int x, int y)
{
    if (mAlphaSensitivity == 0 || GetImageCount() < 1)
        return true;
    const Rect<float>& bounds = GetBounds();
    const int px = x - static_cast<int>(bounds.x);
    const int py = y - static_cast<int>(bounds.y);
    return GetStateImages().GetNormalAlpha(px, py, bounds.width) > mAlphaSensitivity;
}

void PressableControl::Play(Label event) const
{
    if (mSounds)
        mSounds->Play(event);
}

void ReadPressableAttributes(PressableControl& control, const IAttributeContainer& attributes)
{
    if (attributes.HasAttribute(L"images"))
        control.SetImages(FindNamedResource<IImageList>(attributes, L"images"));
    control.SetSounds(FindNamedResource<SoundList>(attributes, L"sounds"));
    if (attributes.HasAttribute(L"alphaSensitivity"))
        control.SetAlphaSensitivity(attributes.GetIntAttribute(L"alphaSensitivity", 25));
}
} // namespace Corvane
