#include "SceneGraph/SliderNode.h"

#include "Framework/KeyNames.h"
#include "Framework/ObjectMessage.h"
#include "Framework/SoundList.h"
#include "Graphics/BrushDrawing.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/ImageList.h"
#include "Graphics/RenderContext.h"

#include <algorithm>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
constexpr int kKeyLeft = 37;
constexpr int kKeyRight = 39;
constexpr float kKeyStep = 0.05f;

enum ThumbFrame
{
    kThumbNormal = 0,
    kThumbHot = 1,
    kThumbDragged = 2,
    kThumbDisabled = 3,
    kThumbKeyboard = 4,
};

Label ValueChangeMessage()
{
    static const Label label("SliderValueChange");
    return label;
}

Label ReleasedMessage()
{
    static const Label label("SliderReleased");
    return label;
}

Label LostFocusMessage()
{
    static const Label label("LostFocus");
    return label;
}

const Label& HotSound()
{
    static const Label label("Hot");
    return label;
}

const Label& DownSound()
{
    static const Label label("Down");
    return label;
}

const Label& UpSound()
{
    static const Label label("Up");
    return label;
}

float ImageWidth(const ImageList* list)
{
    return list ? static_cast<float>(list->GetWidth(0)) : 0.0f;
}

float ImageHeight(const ImageList* list)
{
    return list ? static_cast<float>(list->GetHeight(0)) : 0.0f;
}

float Clamp01(float value)
{
    // NaN (a corrupt setting) counts as 0.
    return value >= 0.0f ? std::min(value, 1.0f) : 0.0f;
}
} // namespace

SliderNode::SliderNode(Label name, float width, ImageList* channel, ImageList* disabledChannel, ImageList* thumb,
                       float thumbOffsetY, float initialValue)
    : ControlNode(name), mChannel(channel), mDisabledChannel(disabledChannel),
      mThumbImages(thumb), mThumb{0.0f, thumbOffsetY}
{
    SetSize(width, std::max(ChannelHeight(), ImageHeight(mThumbImages)));
    SetValue(initialValue);
    Signals().ButtonDown.connect([this](SceneNode*, MouseButton, int x, int y) { Press(x, y); });
}

float SliderNode::ChannelHeight() const
{
    return ImageHeight(mChannel);
}

float SliderNode::GetThumbWidth() const
{
    return ImageWidth(mThumbImages);
}

float SliderNode::GetThumbHeight() const
{
    return ImageHeight(mThumbImages);
}

float SliderNode::GetTravel() const
{
    return std::max(GetWidth() - GetThumbWidth(), 0.0f);
}

float SliderNode::GetValue() const
{
    const float travel = GetTravel();
    return travel > 0.0f ? mThumb.x / travel : 0.0f;
}

void SliderNode::PlaceThumb(float x, bool notify)
{
    mThumb.x = x;
    if (notify)
        BroadcastMessage(ValueChangeMessage());
}

void SliderNode::SetValue(float value)
{
    PlaceThumb(Clamp01(value) * GetTravel(), false);
}

void SliderNode::Step(float delta)
{
    PlaceThumb(Clamp01(GetValue() + delta) * GetTravel(), true);
}

bool SliderNode::IsOnThumb(float worldX, float worldY)
{
    const Vector2<float> world = GetWorldPosition();
    const Rect<float> thumb{world.x + mThumb.x, world.y + mThumb.y, GetThumbWidth(), GetThumbHeight()};
    if (!thumb.Contains(worldX, worldY))
        return false;
    if (GetAlphaSensitivity() == 0)
        return true;
    const int x = static_cast<int>(worldX) - static_cast<int>(thumb.x);
    const int y = static_cast<int>(worldY) - static_cast<int>(thumb.y);
    return mThumbImages->GetAlpha(0, x, y) > GetAlphaSensitivity();
}

bool SliderNode::HitTest(const Vector2<float>& worldPoint)
{
    const Vector2<float> world = GetWorldPosition();
    const Rect<float> channel{world.x, world.y, GetWidth(), ChannelHeight()};
    if (channel.Contains(worldPoint.x, worldPoint.y))
    {
        if (GetAlphaSensitivity() == 0)
            return true;
        const int x = static_cast<int>(worldPoint.x) - static_cast<int>(world.x);
        const int y = static_cast<int>(worldPoint.y) - static_cast<int>(world.y);
        // The channel is hit wherever it is not fully transparent.
        if (GetThreeBrushPixelHorizontal(mChannel, 0, x, y, GetWidth()) != 0)
            return true;
    }
    return IsOnThumb(worldPoint.x, worldPoint.y);
}

void SliderNode::MarkHot()
{
    if (!IsEnabled())
        return;
    mHot = true;
    if (!HasCapture())
        PlaySound(HotSound());
}

void SliderNode::Press(int x, int y)
{
    if (!IsEnabled())
        return;
    const float px = static_cast<float>(x);
    if (!IsOnThumb(px, static_cast<float>(y)))
    {
        const float centred = px - GetWorldPosition().x - GetThumbWidth() * 0.5f;
        PlaceThumb(std::clamp(centred, 0.0f, GetTravel()), true);
        MarkHot();
        return;
    }
    SetCapture();
    mDragOffset = px - GetWorldPosition().x - mThumb.x;
    PlaySound(DownSound());
}

void SliderNode::OnRelease()
{
    if (IsEnabled() && HasCapture())
    {
        PlaySound(UpSound());
        ReleaseCapture();
        BroadcastMessage(ReleasedMessage());
        return;
    }
    // A slider disabled during its drag must not keep the screen's mouse.
    ReleaseCapture();
}

bool SliderNode::MouseMove(int x, int y)
{
    const float px = static_cast<float>(x);
    if (HasCapture())
    {
        PlaceThumb(std::clamp(px - GetWorldPosition().x - mDragOffset, 0.0f, GetTravel()), true);
        return true;
    }
    const bool onThumb = IsOnThumb(px, static_cast<float>(y));
    if (!mHot && onThumb)
        MarkHot();
    else if (mHot && !onThumb && IsEnabled())
        mHot = false;
    return false;
}

bool SliderNode::KeyDown(int key)
{
    if (!HasKeyboardFocus())
        return false;
    if (key == kKeyboardModeOn || (mKeyboardActive && key == kKeyboardModeOff))
    {
        mKeyboardActive = !mKeyboardActive;
        return true;
    }
    if (!mKeyboardActive || (key != kKeyLeft && key != kKeyRight))
        return false;
    Step(key == kKeyLeft ? -kKeyStep : kKeyStep);
    return true;
}

void SliderNode::OnMessage(const ObjectMessage& message)
{
    if (message.GetName() == LostFocusMessage())
    {
        mKeyboardActive = false;
        return;
    }
    ControlNode::OnMessage(message);
}

int SliderNode::GetThumbFrame() const
{
    if (!IsEnabled())
        return kThumbDisabled;
    if (HasCapture())
        return kThumbDragged;
    if (mHot)
        return kThumbHot;
    if (HasKeyboardFocus() && mKeyboardActive)
        return mThumbImages && mThumbImages->GetCount() == 5 ? kThumbKeyboard : kThumbHot;
    return kThumbNormal;
}

void SliderNode::Draw(const Vector2<float>& offset)
{
    if (!IsWorldVisible())
        return;
    const Vector2<float> world = GetWorldPosition();
    const Vector2<float> p{world.x + offset.x, world.y + offset.y};
    ICanvas* canvas = GetCurrentCanvas();
    const DrawState state = ControlDrawState();
    DrawThreeBrushHorizontal(IsEnabled() ? mChannel : mDisabledChannel, 0, p.x, p.y, GetWidth(), state, canvas);

    if (HasKeyboardFocus() && !mKeyboardActive)
    {
        DrawState highlight = state;
        highlight.color = {1.0f, 1.0f, 1.0f, GetWorldColor().alpha * 0.5f};
        FillRect({p.x, p.y, GetWidth(), GetHeight()}, highlight, canvas);
    }

    if (mThumbImages)
        DrawNodeImage(*this, mThumbImages->GetImage(GetThumbFrame()), {offset.x + mThumb.x, offset.y + mThumb.y},
                      false);
}

SceneNodeDescriptor* SliderNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto* descriptor = new SliderNodeDescriptor;
    descriptor->mSounds = ReadLabelAttribute(attributes, L"sounds");
    descriptor->mAlphaSensitivity = attributes.GetIntAttribute(L"alphaSensitivity", 25);
    descriptor->mInitialValue = attributes.GetFloatAttribute(L"initialValue", 0.0f);
    descriptor->mThumbOffsetY = attributes.GetFloatAttribute(L"thumbOffsetY", 0.0f);
    descriptor->mWidth = attributes.GetFloatAttribute(L"width", 0.0f);
    descriptor->mThumbImages = ReadLabelAttribute(attributes, L"thumbImages");
    descriptor->mChannelImages = ReadLabelAttribute(attributes, L"channelImages");
    descriptor->mDisableImages = attributes.HasAttribute(L"disableImages")
                                     ? ReadLabelAttribute(attributes, L"disableImages")
                                     : descriptor->mChannelImages;
    return descriptor;
}

SceneNode* SliderNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<SliderNodeDescriptor>(descriptor);
    auto* node = new SliderNode(Label(), own.mWidth, FindNodeResource<ImageList>(own.mChannelImages),
                                FindNodeResource<ImageList>(own.mDisableImages),
                                FindNodeResource<ImageList>(own.mThumbImages), own.mThumbOffsetY, own.mInitialValue);
    node->SetAlphaSensitivity(own.mAlphaSensitivity);
    node->SetSounds(FindNodeResource<SoundList>(own.mSounds));
    return node;
}
