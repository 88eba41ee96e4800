#include "Widgets/ButtonObject.h"

#include "AttributeContainer.h"
#include "Framework/KeyNames.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/Font.h"
#include "Graphics/IImageList.h"
#include "Graphics/RenderContext.h"
#include "Widgets/WidgetFocus.h"

#include <memory>

namespace Corvane
{
using namespace Graphics;

namespace
{
Label ButtonClick()
{
    static const Label label("ButtonClick");
    return label;
}
} // namespace

void ButtonObject::SetText(const std::wstring& text)
{
    TextComponent::SetText(text);
    FitSize();
}

void ButtonObject::FitSize()
{
    if (GetImageCount() >= 1)
        PressableControl::FitSize();
    else if (Font* font = GetFont())
    {
        SetWidth(static_cast<float>(Font::MeasureString(*font, GetText().c_str())));
        SetHeight(static_cast<float>(font->GetLineHeight()));
    }
}

void ButtonObject::Draw()
{
    if (!IsVisible())
        return;
    const int state = GetState();
    const Rect<float>& bounds = GetBounds();
    if (IsThreePiece())
        DrawImage(3 * state);
    else if (!mScalable)
        DrawImage(state);
    else
        DrawImageListItemInRect(
            GetImages(), state,
            Rect<float>{bounds.x, bounds.y, bounds.width * GetScale().x, bounds.height * GetScale().y},
            GetRenderContext().state, GetCurrentCanvas());

    if (!GetText().empty() && GetFont())
        DrawCentredText(GetText(), GetTextMode());
}

bool ButtonObject::KeyDown(int key)
{
    if (mKeyCode != 0 && key == mKeyCode)
    {
        Activate();
        return true;
    }
    return PressableControl::KeyDown(key);
}

void ButtonObject::Activate()
{
    BroadcastFrom(*this, ButtonClick());
}

Object* ButtonObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto button = std::make_unique<ButtonObject>(name);
    ReadPressableAttributes(*button, attributes);
    if (attributes.HasAttribute(L"keyCode"))
        button->SetKeyCode(GetKeyCodeByName(attributes.GetStringAttribute(L"keyCode", L"")));
    if (attributes.HasAttribute(L"scalable"))
        button->SetScalable(attributes.GetBoolAttribute(L"scalable", false));
    return button.release();
}
} // namespace Corvane
