#include "SceneGraph/TextSpriteNode.h"

#include "Graphics/DrawState.h"
#include "Graphics/Font.h"
#include "Graphics/RenderContext.h"
#include "Graphics/TextDrawing.h"
#include "SceneGraph/SceneText.h"

#include <memory>

using namespace Corvane;
using namespace Corvane::Graphics;

TextSpriteNode::TextSpriteNode(const Vector2<float>& position, const wchar_t* text, Font* font, float width,
                               const ColorF& color)
{
    SetPosition(position);
    SetColor(color);
    TextSpriteComponent::SetText(text ? text : L"");
    FontComponent::SetFont(font);
    TextSpriteComponent::SetWidth(width);
    UpdateSize();
}

void TextSpriteNode::SetText(const std::wstring& text)
{
    TextSpriteComponent::SetText(text);
    UpdateSize();
}

void TextSpriteNode::SetWidth(float width)
{
    TextSpriteComponent::SetWidth(width);
    UpdateSize();
}

void TextSpriteNode::SetFont(Font* font)
{
    FontComponent::SetFont(font);
    UpdateSize();
}

void TextSpriteNode::UpdateSize()
{
    Font* font = GetFont();
    const std::wstring& text = GetText();
    if (!font || text.empty())
        SetSize(0.0f, 0.0f);
    else if (GetWidth() == 0.0f)
        SetSize(static_cast<float>(Font::MeasureString(*font, text.c_str())),
                static_cast<float>(font->GetLineHeight()));
    else
    {
        const Vector2<int> block = Font::MeasureTextBlock(*font, text.c_str(), static_cast<int>(GetWidth()));
        SetSize(static_cast<float>(block.x), static_cast<float>(block.y));
    }
}

void TextSpriteNode::Draw(const Vector2<float>& offset)
{
    if (!IsWorldVisible())
        return;
    DrawState state = NodeDrawState(*this);
    state.font = GetFont();
    state.color = GetWorldColor();
    state.effectColor = mEffectColor;
    state.horizontalAlignment = GetJustify();
    state.textMode = GetTextMode();

    const Vector2<float> at = TextAnchor(*this, offset, GetJustify(), mNoBlur);
    ICanvas* canvas = GetCurrentCanvas();
    if (GetWidth() == 0.0f)
        DrawText(GetText().c_str(), at.x, at.y, state, canvas);
    else
        DrawTextBlock(GetText().c_str(), at.x, at.y, GetWidth(), nullptr, state, canvas);
}

SceneNodeDescriptor* TextSpriteNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto descriptor = std::make_unique<TextSpriteNodeDescriptor>();
    if (attributes.HasAttribute(L"textResource"))
        descriptor->mTextResource = ReadLabelAttribute(attributes, L"textResource");
    std::wstring text;
    if (attributes.HasAttribute(L"bgColor"))
        descriptor->mBgColor = ParseColor(attributes.GetAttribute(text, L"bgColor"));
    descriptor->mTextMode = ParseTextMode(attributes.GetAttribute(text, L"textMode"));
    descriptor->mNoBlur = attributes.GetBoolAttribute(L"noBlur", false);
    descriptor->mJustify = ParseHAlign(attributes.GetAttribute(text, L"textJustify"), kAlignLeft);
    descriptor->mWidth = attributes.GetFloatAttribute(L"width", 0.0f);
    descriptor->mFont = ReadLabelAttribute(attributes, L"font");
    attributes.GetAttribute(descriptor->mText, L"text");
    return descriptor.release();
}

SceneNode* TextSpriteNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<TextSpriteNodeDescriptor>(descriptor);
    auto node =
        std::make_unique<TextSpriteNode>(Vector2<float>{0.0f, 0.0f}, own.mText.c_str(),
                                         FindNodeResource<Font>(own.mFont), own.mWidth, ColorF{1.0f, 1.0f, 1.0f, 1.0f});
    node->SetJustify(own.mJustify);
    if (own.mTextResource)
        node->SetTextFromResource(own.mTextResource);
    node->SetNoBlur(own.mNoBlur);
    node->SetTextMode(own.mTextMode);
    node->SetEffectColor(own.mBgColor);
    return node.release();
}
