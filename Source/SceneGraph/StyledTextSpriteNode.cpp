#include "SceneGraph/StyledTextSpriteNode.h"

#include "Graphics/RenderContext.h"
#include "SceneGraph/SceneText.h"

#include <climits>

using namespace Corvane;
using namespace Corvane::Graphics;

StyledTextSpriteNode::StyledTextSpriteNode(const Vector2<float>& position, const std::wstring& markup,
                                           const TextStyle& style, float width)
    : mStyle(style)
{
    SetPosition(position);
    TextSpriteComponent::SetText(markup);
    TextSpriteComponent::SetWidth(width);
    StyledTextSpriteNode::Layout();
}

void StyledTextSpriteNode::SetText(const std::wstring& text)
{
    SetMarkup(EscapeMarkup(text));
}

void StyledTextSpriteNode::SetMarkup(const std::wstring& markup)
{
    TextSpriteComponent::SetText(markup);
    Layout();
}

void StyledTextSpriteNode::SetWidth(float width)
{
    if (width == GetWidth())
        return;
    TextSpriteComponent::SetWidth(width);
    Layout();
}

void StyledTextSpriteNode::SetStyle(const TextStyle& style)
{
    mStyle = style;
    Layout();
}

void StyledTextSpriteNode::Layout()
{
    mRuns = StyledTextGraphics::ParseStyleRunList(GetText(), mStyle);
    const float width = GetWidth();
    const int wrap = !(width > 0.0f) ? INT_MAX : width >= 2147483647.0f ? INT_MAX : static_cast<int>(width);
    mLines = StyledTextGraphics::Graphics::ComputeLineDimensions(mRuns, wrap, nullptr);
    SetSize(static_cast<float>(mLines.width), static_cast<float>(mLines.height));
}

void StyledTextSpriteNode::Draw(const Vector2<float>& offset)
{
    if (!IsWorldVisible())
        return;
    // The runs give the colours; the node's world alpha fades the text and its effects alike.
    DrawState state = NodeDrawState(*this);
    const float alpha = GetWorldColor().alpha;
    state.color.alpha = alpha;
    state.effectColor.alpha = alpha;
    state.horizontalAlignment = GetJustify();

    const Vector2<float> at = TextAnchor(*this, offset, GetJustify(), mNoBlur);
    StyledTextGraphics::Graphics::DrawWrappedStyledText(mRuns, mLines, at.x, at.y, nullptr, state, GetCurrentCanvas());
}

SceneNodeDescriptor* StyledTextSpriteNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto* descriptor = new StyledTextSpriteNodeDescriptor;
    std::wstring value;
    TextStyle& style = descriptor->mStyle;
    if (attributes.HasAttribute(L"font"))
        style.font = Label(attributes.GetAttribute(value, L"font"));
    if (attributes.HasAttribute(L"color"))
        style.color = ParseColor(attributes.GetAttribute(value, L"color"));
    if (attributes.HasAttribute(L"bgColor"))
        style.bgColor = ParseColor(attributes.GetAttribute(value, L"bgColor"));
    if (attributes.HasAttribute(L"textMode"))
        style.textMode = ParseTextMode(attributes.GetAttribute(value, L"textMode"));
    descriptor->mTextResource = ReadLabelAttribute(attributes, L"textResource");
    descriptor->mJustify = ParseHAlign(attributes.GetAttribute(value, L"textJustify"), kAlignLeft);
    attributes.GetAttribute(descriptor->mText, L"text");
    descriptor->mNoBlur = attributes.GetBoolAttribute(L"noBlur", false);
    descriptor->mWidth = attributes.GetFloatAttribute(L"width", 0.0f);
    return descriptor;
}

SceneNode* StyledTextSpriteNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& d = DescriptorAs<StyledTextSpriteNodeDescriptor>(descriptor);
    auto* node = new StyledTextSpriteNode({0.0f, 0.0f}, d.mText, d.mStyle, d.mWidth);
    node->SetJustify(d.mJustify);
    if (!d.mTextResource.IsNull())
        node->SetTextFromResource(d.mTextResource);
    node->SetNoBlur(d.mNoBlur);
    return node;
}
