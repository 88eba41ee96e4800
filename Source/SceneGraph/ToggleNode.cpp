#include "SceneGraph/ToggleNode.h"

#include "Graphics/ImageList.h"
#include "Graphics/RenderContext.h"
#include "Graphics/TextDrawing.h"

#include <cmath>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
constexpr int kEnter = 13;
constexpr int kSpace = 32;
constexpr int kGamePadA = 258;
} // namespace

ToggleNode::ToggleNode(const ColorF& color, const wchar_t* text, Label name, const Vector2<float>& position,
                       ImageList* images, float width, Font* font)
    : TextControlNode(name), mImages(images), mWidth(width)
{
    TextComponent::SetText(text ? text : L"");
    FontComponent::SetFont(font);
    ToggleNode::UpdateSize();
    SetColor(color);
    SetPosition(position);
}

StateImages ToggleNode::GetStateImages() const
{
    return StateImages(mImages, 2);
}

void ToggleNode::UpdateSize()
{
    if (!mImages)
        SetSize(0.0f, 0.0f);
    else if (GetStateImages().IsThreePiece())
        SetSize(mWidth, static_cast<float>(mImages->GetHeight(0)));
    else
        SetSize(static_cast<float>(mImages->GetWidth(0)), static_cast<float>(mImages->GetHeight(0)));
}

void ToggleNode::OnRelease()
{
    if (IsEnabled())
        Activate();
    ReleaseCapture();
}

bool ToggleNode::KeyDown(int key)
{
    if ((key == kEnter || key == kSpace || key == kGamePadA) && HasKeyboardFocus())
    {
        Activate();
        return true;
    }
    return SceneNode::KeyDown(key);
}

void ToggleNode::DrawLabel(const Vector2<float>& p, const DrawState& state)
{
    if (GetText().empty() || !GetFont())
        return;
    DrawState label = state;
    label.font = GetFont();
    label.color = GetWorldColor();
    label.horizontalAlignment = kAlignLeft;
    label.verticalAlignment = kAlignCenter;
    DrawText(GetText().c_str(), p.x + GetWidth() + kLabelGap, std::floor(p.y + (GetHeight() + 1.0f) * 0.5f), label,
             GetCurrentCanvas());
}
