#include "SceneGraph/ControlNode.h"

#include "Framework/SoundList.h"
#include "Graphics/Font.h"
#include "Graphics/IImageList.h"
#include "Graphics/RenderContext.h"
#include "Graphics/TextDrawing.h"

#include <cmath>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
Label DownSound()
{
    static const Label label("Down");
    return label;
}

Label HotSound()
{
    static const Label label("Hot");
    return label;
}
} // namespace

ControlNode::ControlNode(Label name) : SceneNode(name)
{
    SetHitTest(true);
    SetVisible(true);
    SceneNodeSignals& signals = Signals();
    signals.ButtonDown.connect([this](SceneNode*, MouseButton, int, int) { OnPress(); });
    signals.ButtonUp.connect([this](SceneNode*, MouseButton, int, int) { OnRelease(); });
    signals.MouseEnter.connect([this](SceneNode*) { OnEnter(); });
    signals.MouseLeave.connect([this](SceneNode*) { OnLeave(); });
    signals.CapturedButtonUp.connect([this](SceneNode*, MouseButton, int, int) { OnCapturedRelease(); });
}

void ControlNode::PlaySound(Label event) const
{
    if (mSounds)
        mSounds->Play(event);
}

ControlState ControlNode::GetControlState(bool hasFocusImage) const
{
    return PickControlState(IsEnabled(), mHover, HasCapture(), HasKeyboardFocus(), hasFocusImage);
}

void ControlNode::OnPress()
{
    if (!IsEnabled())
        return;
    mHover = true;
    SetCapture();
    PlaySound(DownSound());
}

void ControlNode::OnRelease()
{
    if (IsEnabled() && HasCapture())
        OnActivate();
    ReleaseCapture();
}

void ControlNode::OnEnter()
{
    if (!IsEnabled())
        return;
    mHover = true;
    PlaySound(HotSound());
}

void ControlNode::OnLeave()
{
    mHover = false;
}

void ControlNode::OnCapturedRelease()
{
    ReleaseCapture();
}

bool ControlNode::HitTestStateImages(const Vector2<float>& worldPoint, const StateImages& images)
{
    if (!SceneNode::HitTest(worldPoint))
        return false;
    if (mAlphaSensitivity == 0 || images.GetCount() == 0)
        return true;
    const Vector2<float> world = GetWorldPosition();
    const int x = static_cast<int>(worldPoint.x) - static_cast<int>(world.x);
    const int y = static_cast<int>(worldPoint.y) - static_cast<int>(world.y);
    return images.GetNormalAlpha(x, y, GetWidth()) > mAlphaSensitivity;
}

DrawState ControlNode::ControlDrawState()
{
    DrawState state = NodeDrawState(*this);
    state.tint.alpha = GetWorldColor().alpha;
    return state;
}

void TextControlNode::SetText(const std::wstring& text)
{
    TextComponent::SetText(text);
    UpdateSize();
}

void TextControlNode::SetFont(Font* font)
{
    FontComponent::SetFont(font);
    UpdateSize();
}

void TextControlNode::DrawCentredText(const Vector2<float>& p, const DrawState& state)
{
    if (GetText().empty() || !GetFont())
        return;
    DrawState text = state;
    text.font = GetFont();
    text.color = GetWorldColor();
    text.horizontalAlignment = kAlignCenter;
    text.verticalAlignment = kAlignCenter;
    DrawText(GetText().c_str(), std::floor(p.x + (GetWidth() + 1.0f) * 0.5f),
             std::floor(p.y + (GetHeight() + 1.0f) * 0.5f), text, GetCurrentCanvas());
}

void ControlNodeDescriptor::ReadControlAttributes(const IAttributeContainer& attributes)
{
    if (attributes.HasAttribute(L"textResource"))
        mTextResource = ReadLabelAttribute(attributes, L"textResource");
    mSounds = ReadLabelAttribute(attributes, L"sounds");
    mFont = ReadLabelAttribute(attributes, L"font");
    mImages = ReadLabelAttribute(attributes, L"images");
    mAlphaSensitivity = attributes.GetIntAttribute(L"alphaSensitivity", 25);
    attributes.GetAttribute(mText, L"text");
    mWidth = attributes.GetFloatAttribute(L"width", 0.0f);
}
