#include "Widgets/ToggleObjects.h"

#include "AttributeContainer.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/SoundList.h"
#include "Graphics/Font.h"
#include "Graphics/RenderContext.h"
#include "Graphics/TextDrawing.h"
#include "Widgets/WidgetFocus.h"

#include <cmath>
#include <list>
#include <memory>

namespace Corvane
{
using namespace Graphics;

namespace
{
// The image sits left of its label with this gap.
constexpr float kLabelGap = 5.0f;

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

Label CheckBoxClick()
{
    static const Label label("CheckBoxClick");
    return label;
}

Label RadioButtonClick()
{
    static const Label label("RadioButtonClick");
    return label;
}
} // namespace

void ToggleObject::SetText(const std::wstring& text)
{
    TextComponent::SetText(text);
    const Font* font = GetFont();
    if (!font)
        return;
    const Rect<float>& bounds = GetBounds();
    const int lineHeight = font->GetLineHeight();
    mTextRect = {bounds.x + bounds.width + kLabelGap,
                 std::floor(bounds.y + bounds.height * 0.5f - static_cast<float>(lineHeight / 2) + 0.5f),
                 static_cast<float>(Font::MeasureString(*font, text.c_str())), static_cast<float>(lineHeight)};
}

bool ToggleObject::HitTest(float x, float y)
{
    return ControlObject::HitTest(x, y) || (GetFont() && mTextRect.Contains(x, y));
}

void ToggleObject::Draw()
{
    if (!IsVisible())
        return;
    DrawImage(GetImageIndex(GetState()));
    if (GetText().empty() || !GetFont())
        return;
    const DrawState& current = GetRenderContext().state;
    if (CentresLabel())
    {
        DrawCentredText(GetText(), current.textMode);
        return;
    }
    DrawState state = current;
    state.font = GetFont();
    state.color = GetColor();
    state.horizontalAlignment = kAlignLeft;
    state.verticalAlignment = kAlignLeft;
    DrawText(GetText().c_str(), mTextRect.x, mTextRect.y, state, GetCurrentCanvas());
}

void CheckBoxObject::Toggle()
{
    mChecked = !mChecked;
    Play(mChecked ? CheckedSound() : UncheckedSound());
    BroadcastFrom(*this, CheckBoxClick());
}

bool CheckBoxObject::HasFocusImage() const
{
    return GetStateImages().HasFocusImage();
}

int CheckBoxObject::GetImageIndex(State state) const
{
    const int checkedOffset = mChecked ? GetImageCount() / 2 : 0;
    return (IsThreePiece() ? 3 * state : state) + checkedOffset;
}

Label RadioButtonObject::GetGroup() const
{
    static const Label group("RadioButton");
    return group;
}

void RadioButtonObject::Select()
{
    mChecked = true;
    if (ObjectDatabase* database = ObjectDatabase::Current())
    {
        // A copy: a database walk may add to the group meanwhile.
        const std::list<ObjectID> members = database->GetGroup(GetGroup());
        for (const ObjectID id : members)
        {
            auto* other = dynamic_cast<RadioButtonObject*>(database->Get(id));
            if (other && other->mRadioGroup == mRadioGroup && other->GetName() != GetName())
                other->mChecked = false;
        }
    }
    Play(CheckedSound());
    BroadcastFrom(*this, RadioButtonClick());
}

PressableControl::State RadioButtonObject::GetState() const
{
    const State state = ToggleObject::GetState();
    if (state != kDisabled && mChecked)
        return kPressed;
    return state;
}

int RadioButtonObject::GetImageIndex(State state) const
{
    return IsThreePiece() ? 3 * state : state;
}

Object* CheckBoxObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto checkBox = std::make_unique<CheckBoxObject>(name);
    ReadPressableAttributes(*checkBox, attributes);
    return checkBox.release();
}

Object* RadioButtonObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto radio = std::make_unique<RadioButtonObject>(name);
    ReadPressableAttributes(*radio, attributes);
    if (attributes.HasAttribute(L"group"))
        radio->SetRadioGroup(Label(std::wstring(attributes.GetStringAttribute(L"group", L""))));
    return radio.release();
}
} // namespace Corvane
