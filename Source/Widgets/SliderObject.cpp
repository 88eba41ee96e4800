#include "Widgets/SliderObject.h"

#include "AttributeContainer.h"
#include "Framework/SoundList.h"
#include "Graphics/BrushDrawing.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/IImageList.h"
#include "Graphics/RenderContext.h"
#include "Widgets/WidgetFocus.h"
#include "Widgets/WidgetResources.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace Corvane
{
using namespace Graphics;

namespace
{
// Engine key codes beyond the virtual keys: start and end adjustment mode.
constexpr int kAdjustKey = 512;
constexpr int kAdjustEndKey = 513;
constexpr int kKeyLeft = 37;
constexpr int kKeyRight = 39;
constexpr float kFreeStep = 0.05f;
// Snapping by less than this plays no sound.
constexpr float kSnapTolerance = 0.001f;

Label SliderValueChange()
{
    static const Label label("SliderValueChange");
    return label;
}

Label SliderReleased()
{
    static const Label label("SliderReleased");
    return label;
}

Label SnapSound()
{
    static const Label label("Snap");
    return label;
}
} // namespace

float SliderObject::GetThumbWidth() const
{
    return mThumbImages ? static_cast<float>(mThumbImages->GetWidth(0)) : 0.0f;
}

float SliderObject::ValueFromPosition(float px) const
{
    const Rect<float>& bounds = GetBounds();
    const float travel = bounds.width - GetThumbWidth();
    return travel > 0.0f ? (px - bounds.x) / travel : 0.0f;
}

float SliderObject::PositionFromValue(float value) const
{
    const Rect<float>& bounds = GetBounds();
    const float travel = bounds.width - GetThumbWidth();
    return travel > 0.0f ? travel * value + bounds.x : bounds.x;
}

void SliderObject::SetThumbImages(IImageList* images)
{
    mThumbImages = images;
    const int thumbHeight = images ? images->GetHeight(0) : 0;
    const int channelHeight = mChannelImages ? mChannelImages->GetHeight(0) : 0;
    SetHeight(static_cast<float>(std::max(thumbHeight, channelHeight)));
    SetValue(0.0f);
}

void SliderObject::SetSnapToTicks(bool snap)
{
    mSnapToTicks = snap;
    SetValue(GetValue(), false);
}

void SliderObject::SetValue(float value, bool notify)
{
    if (mSnapToTicks && mTickCount >= 2)
    {
        const float old = GetValue();
        float best = value;
        float bestDistance = INFINITY;
        for (int i = 0; i < mTickCount; ++i)
        {
            const float tick =
                std::clamp(static_cast<float>(i) * (1.0f / static_cast<float>(mTickCount - 1)), 0.0f, 1.0f);
            if (std::fabs(tick - value) < bestDistance)
            {
                bestDistance = std::fabs(tick - value);
                best = tick;
            }
        }
        value = best;
        if (notify && std::fabs(value - old) > kSnapTolerance)
            Play(SnapSound());
    }
    mThumbX = PositionFromValue(value);
    if (notify)
        BroadcastFrom(*this, SliderValueChange());
}

float SliderObject::GetTickStep() const
{
    return mTickCount < 2 ? 0.0f : 1.0f / static_cast<float>(mTickCount - 1);
}

void SliderObject::Step(float delta)
{
    SetValue(std::clamp(GetValue() + delta, 0.0f, 1.0f), true);
}

void SliderObject::SetBounds(const Rect<float>& bounds)
{
    const float value = GetValue();
    ControlObject::SetBounds(bounds);
    SetValue(value);
}

bool SliderObject::HitTestPixel(int x, int y)
{
    if (mAlphaSensitivity == 0 || !mThumbImages)
        return true;
    return mThumbImages->GetAlpha(0, x - static_cast<int>(mThumbX), y - static_cast<int>(GetBounds().y)) >
           mAlphaSensitivity;
}

void SliderObject::OnMessage(const ObjectMessage& message)
{
    if (message.GetName() == Messages::LostFocus())
        mAdjusting = false;
}

SliderObject::ThumbState SliderObject::GetThumbState() const
{
    if (!IsEnabled())
        return kThumbDisabled;
    if (HasCapture(this))
        return kThumbDragged;
    if (mMouseOver)
        return kThumbHot;
    if (MayTakeFocus() && HasFocus(this) && mAdjusting)
        return mThumbImages && mThumbImages->GetCount() == 5 ? kThumbAdjusting : kThumbHot;
    return kThumbNormal;
}

void SliderObject::Draw()
{
    if (!IsVisible())
        return;
    const Rect<float>& bounds = GetBounds();
    const DrawState& current = GetRenderContext().state;
    DrawThreeBrushHorizontal(mChannelImages, 0, bounds.x, bounds.y, bounds.width, current, GetCurrentCanvas());
    if (HasFocus(this) && !mAdjusting)
    {
        DrawState highlight = current;
        highlight.color = {1.0f, 1.0f, 1.0f, 0.5f};
        FillRect(bounds, highlight, GetCurrentCanvas());
    }
    DrawImageListItem(mThumbImages, GetThumbState(), mThumbX, bounds.y, current, GetCurrentCanvas());
}

bool SliderObject::KeyDown(int key)
{
    if (!HasFocus(this))
        return false;
    if (!mAdjusting && key == kAdjustKey)
    {
        mAdjusting = true;
        return true;
    }
    if (mAdjusting && (key == kAdjustKey || key == kAdjustEndKey))
    {
        mAdjusting = false;
        return true;
    }
    if (mAdjusting && (key == kKeyLeft || key == kKeyRight))
    {
        const float step = mSnapToTicks ? GetTickStep() : kFreeStep;
        Step(key == kKeyLeft ? -step : step);
        return true;
    }
    return false;
}

bool SliderObject::MouseMove(int x, int y)
{
    const bool captured = HasCapture(this);
    if (captured)
    {
        const Rect<float>& bounds = GetBounds();
        float px = static_cast<float>(x) - mGrabOffset;
        px = std::max(px, bounds.x);
        px = std::min(px, bounds.x + bounds.width - GetThumbWidth());
        SetValue(ValueFromPosition(px), true);
    }
    const bool wasOver = mMouseOver;
    mMouseOver = HitTestPoint(x, y);
    if (mMouseOver && !wasOver && !captured)
        Play(HotSound());
    return false;
}

bool SliderObject::MouseDown(int, int x, int y)
{
    mMouseOver = HitTestPoint(x, y);
    if (mMouseOver)
    {
        SetCapture(this);
        mGrabOffset = static_cast<float>(x) - mThumbX;
        Play(DownSound());
    }
    return mMouseOver;
}

bool SliderObject::MouseUp(int, int x, int y)
{
    mMouseOver = HitTestPoint(x, y);
    if (HasCapture(this))
        ReleaseCapture();
    if (mMouseOver)
        BroadcastFrom(*this, SliderReleased());
    return mMouseOver;
}

bool SliderObject::MayTakeFocus() const
{
    return !mSnapToTicks || mTickCount > 1;
}

void SliderObject::Play(Label event) const
{
    if (mSounds)
        mSounds->Play(event);
}

Object* SliderObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto slider = std::make_unique<SliderObject>(name);
    slider->SetChannelImages(FindNamedResource<IImageList>(attributes, L"channelImages"));
    if (attributes.HasAttribute(L"thumbImages"))
        slider->SetThumbImages(FindNamedResource<IImageList>(attributes, L"thumbImages"));
    slider->SetSounds(FindNamedResource<SoundList>(attributes, L"sounds"));
    if (attributes.HasAttribute(L"alphaSensitivity"))
        slider->SetAlphaSensitivity(attributes.GetIntAttribute(L"alphaSensitivity", 25));
    if (attributes.HasAttribute(L"numTicks"))
        slider->SetTickCount(attributes.GetIntAttribute(L"numTicks", 0));
    if (attributes.HasAttribute(L"snapToTicks"))
        slider->SetSnapToTicks(attributes.GetBoolAttribute(L"snapToTicks", false));
    return slider.release();
}
} // namespace Corvane
