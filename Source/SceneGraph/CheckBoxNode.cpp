#include "SceneGraph/CheckBoxNode.h"

#include "Framework/SoundList.h"
#include "Graphics/Font.h"
#include "Graphics/ImageList.h"
#include "Graphics/RenderContext.h"

#include <cmath>
#include <memory>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
Label CheckBoxClickMessage()
{
    static const Label label("CheckBoxClick");
    return label;
}

Label CheckedSound()
{
    static const Label label("Checked");
    return label;
}

Label UncheckedSound()
{
    static const Label label("Unchecked");
    return label;
}
} // namespace

CheckBoxNode::CheckBoxNode(const ColorF& color, const wchar_t* text, Label name, const Vector2<float>& position,
                           ImageList* images, float width, Font* font)
    : ToggleNode(color, text, name, position, images, width, font)
{
    CheckBoxNode::UpdateSize();
}

void CheckBoxNode::UpdateSize()
{
    ToggleNode::UpdateSize();
    Font* font = GetFont();
    if (!font)
        return;
    const float lineHeight = static_cast<float>(font->GetLineHeight());
    mLabelRect = {GetWidth() + kLabelGap, std::floor(GetHeight() * 0.5f - std::floor(lineHeight / 2.0f) + 0.5f),
                  static_cast<float>(Font::MeasureString(*font, GetText().c_str())), lineHeight};
}

void CheckBoxNode::Toggle()
{
    mChecked = !mChecked;
    PlaySound(mChecked ? CheckedSound() : UncheckedSound());
    BroadcastMessage(CheckBoxClickMessage());
}

ControlState CheckBoxNode::GetState() const
{
    return GetControlState(GetStateImages().HasFocusImage());
}

bool CheckBoxNode::HitTest(const Vector2<float>& worldPoint)
{
    if (HitTestStateImages(worldPoint, GetStateImages()))
        return true;
    if (!GetFont())
        return false;
    const Vector2<float> world = GetWorldPosition();
    const Rect<float> label{world.x + mLabelRect.x, world.y + mLabelRect.y, mLabelRect.width, mLabelRect.height};
    return label.Contains(worldPoint.x, worldPoint.y);
}

void CheckBoxNode::Draw(const Vector2<float>& offset)
{
    if (!IsWorldVisible())
        return;
    const Vector2<float> p = GetWorldPosition() + offset;
    const DrawState state = ControlDrawState();
    GetStateImages().Draw(GetState(), mChecked ? 1 : 0, p.x, p.y, GetWidth(), state, GetCurrentCanvas());
    DrawLabel(p, state);
}

SceneNodeDescriptor* CheckBoxNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto descriptor = std::make_unique<ToggleNodeDescriptor>();
    descriptor->ReadControlAttributes(attributes);
    return descriptor.release();
}

SceneNode* CheckBoxNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<ToggleNodeDescriptor>(descriptor);
    auto node = std::make_unique<CheckBoxNode>(ColorF{0.0f, 0.0f, 0.0f, 1.0f}, own.mText.c_str(), Label(),
                                               Vector2<float>{0.0f, 0.0f}, FindNodeResource<ImageList>(own.mImages),
                                               own.mWidth, FindNodeResource<Font>(own.mFont));
    node->SetAlphaSensitivity(own.mAlphaSensitivity);
    node->SetSounds(FindNodeResource<SoundList>(own.mSounds));
    if (own.mTextResource)
        node->SetTextFromResource(own.mTextResource);
    return node.release();
}
