#include "SceneGraph/RadioButtonNode.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/SoundList.h"
#include "Graphics/Font.h"
#include "Graphics/ImageList.h"
#include "Graphics/RenderContext.h"

#include <memory>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
Label RadioButtonClickMessage()
{
    static const Label label("RadioButtonClick");
    return label;
}

Label RadioButtonGroup()
{
    static const Label label("RadioButton");
    return label;
}
} // namespace

RadioButtonNode::RadioButtonNode(const ColorF& color, const wchar_t* text, Label group, Label name,
                                 const Vector2<float>& position, ImageList* images, float width, Font* font)
    : ToggleNode(color, text, name, position, images, width, font), mGroup(group)
{
}

Label RadioButtonNode::GetGroup() const
{
    return RadioButtonGroup();
}

void RadioButtonNode::SetChecked(bool checked)
{
    mChecked = checked;
    ObjectDatabase* database = checked ? ObjectDatabase::Current() : nullptr;
    if (!database)
        return;
    // A copy: nothing here changes the list, but the list is the database's, not ours.
    const std::list<ObjectID> members = database->GetGroup(RadioButtonGroup());
    for (const ObjectID id : members)
    {
        auto* other = dynamic_cast<RadioButtonNode*>(database->Get(id));
        if (other && other != this && other->GetRadioGroup() == mGroup)
            other->mChecked = false;
    }
}

void RadioButtonNode::Select()
{
    SetChecked(true);
    BroadcastMessage(RadioButtonClickMessage());
}

ControlState RadioButtonNode::GetState() const
{
    if (IsEnabled() && mChecked)
        return kControlPressed;
    // One set of states: the focused picture is the fifth (in pieces, the fifteenth).
    const int count = GetStateImages().GetCount();
    return GetControlState(count == kControlStateCount || count == 3 * kControlStateCount);
}

bool RadioButtonNode::HitTest(const Vector2<float>& worldPoint)
{
    return HitTestStateImages(worldPoint, GetStateImages());
}

void RadioButtonNode::Draw(const Vector2<float>& offset)
{
    if (!IsWorldVisible())
        return;
    const Vector2<float> p = GetWorldPosition() + offset;
    const DrawState state = ControlDrawState();
    const StateImages images = GetStateImages();
    images.Draw(GetState(), 0, p.x, p.y, GetWidth(), state, GetCurrentCanvas());
    if (images.IsThreePiece())
        DrawCentredText(p, state);
    else
        DrawLabel(p, state);
}

SceneNodeDescriptor* RadioButtonNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto descriptor = std::make_unique<ToggleNodeDescriptor>();
    descriptor->ReadControlAttributes(attributes);
    if (attributes.HasAttribute(L"group"))
        descriptor->mGroup = ReadLabelAttribute(attributes, L"group");
    return descriptor.release();
}

SceneNode* RadioButtonNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<ToggleNodeDescriptor>(descriptor);
    auto node = std::make_unique<RadioButtonNode>(
        ColorF{0.0f, 0.0f, 0.0f, 1.0f}, own.mText.c_str(), own.mGroup, Label(), Vector2<float>{0.0f, 0.0f},
        FindNodeResource<ImageList>(own.mImages), own.mWidth, FindNodeResource<Font>(own.mFont));
    node->SetAlphaSensitivity(own.mAlphaSensitivity);
    node->SetSounds(FindNodeResource<SoundList>(own.mSounds));
    if (own.mTextResource)
        node->SetTextFromResource(own.mTextResource);
    return node.release();
}
