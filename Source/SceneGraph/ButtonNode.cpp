#include "SceneGraph/ButtonNode.h"

#include "Framework/KeyNames.h"
#include "Framework/SoundList.h"
#include "Framework/ValueWrapper.h"
#include "Graphics/Font.h"
#include "Graphics/ImageList.h"
#include "Graphics/RenderContext.h"

#include <memory>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
constexpr int kEnter = 13;
constexpr int kSpace = 32;
constexpr int kGamePadA = 258;

Label ButtonClickMessage()
{
    static const Label label("ButtonClick");
    return label;
}

Label ReleaseSound()
{
    static const Label label("Release");
    return label;
}

// The sound list of buttons that name none: the one the string resource names.
SoundList* DefaultButtonSounds()
{
    static const Label setting("DefaultButtonSoundLabel");
    const auto name = ResourceManager::Get<Internal::ValueWrapper<std::wstring>>(setting);
    return name ? FindNodeResource<SoundList>(Label(name->value)) : nullptr;
}
} // namespace

ButtonNode::ButtonNode(const ColorF& color, const wchar_t* text, Label name, ImageList* images, float width, Font* font)
    : TextControlNode(name), mImages(images), mWidth(width)
{
    TextComponent::SetText(text ? text : L"");
    FontComponent::SetFont(font);
    UpdateSize();
    SetColor(color);
}

StateImages ButtonNode::GetStateImages() const
{
    return StateImages(mImages);
}

void ButtonNode::UpdateSize()
{
    const StateImages images = GetStateImages();
    if (images.IsThreePiece())
        SetSize(mWidth, static_cast<float>(mImages->GetHeight(0)));
    else if (images.GetCount() > 0)
        SetSize(static_cast<float>(mImages->GetWidth(0)), static_cast<float>(mImages->GetHeight(0)));
    else if (Font* font = GetFont())
        SetSize(static_cast<float>(Font::MeasureString(*font, GetText().c_str())),
                static_cast<float>(font->GetLineHeight()));
}

ControlState ButtonNode::GetState() const
{
    return GetControlState(GetStateImages().HasFocusImage());
}

bool ButtonNode::HitTest(const Vector2<float>& worldPoint)
{
    return HitTestStateImages(worldPoint, GetStateImages());
}

void ButtonNode::Draw(const Vector2<float>& offset)
{
    if (!IsWorldVisible())
        return;
    const Vector2<float> p = GetWorldPosition() + offset;
    const DrawState state = ControlDrawState();
    GetStateImages().Draw(GetState(), 0, p.x, p.y, GetWidth(), state, GetCurrentCanvas());
    DrawCentredText(p, state);
}

bool ButtonNode::KeyDown(int key)
{
    const bool confirms = key == kEnter || key == kSpace || key == kGamePadA;
    if ((confirms && HasKeyboardFocus()) || (mKeyCode != 0 && key == mKeyCode))
    {
        Click();
        return true;
    }
    return SceneNode::KeyDown(key);
}

void ButtonNode::Click()
{
    BroadcastMessage(ButtonClickMessage());
    Clicked(this);
}

void ButtonNode::OnActivate()
{
    Click();
    PlaySound(ReleaseSound());
}

SceneNodeDescriptor* ButtonNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto descriptor = std::make_unique<ButtonNodeDescriptor>();
    std::wstring keyName;
    descriptor->mKeyCode = GetKeyCodeByName(attributes.GetAttribute(keyName, L"keyCode").c_str());
    descriptor->ReadControlAttributes(attributes);
    return descriptor.release();
}

SceneNode* ButtonNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<ButtonNodeDescriptor>(descriptor);
    auto node = std::make_unique<ButtonNode>(ColorF{0.0f, 0.0f, 0.0f, 1.0f}, own.mText.c_str(), Label(),
                                             FindNodeResource<ImageList>(own.mImages), own.mWidth,
                                             FindNodeResource<Font>(own.mFont));
    node->SetKeyCode(own.mKeyCode);
    node->SetAlphaSensitivity(own.mAlphaSensitivity);
    // A list named but missing leaves the button silent: no fallback to the default.
    node->SetSounds(own.mSounds ? FindNodeResource<SoundList>(own.mSounds) : DefaultButtonSounds());
    if (own.mTextResource)
        node->SetTextFromResource(own.mTextResource);
    return node.release();
}
