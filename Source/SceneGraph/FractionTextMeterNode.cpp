#include "SceneGraph/FractionTextMeterNode.h"

#include "Graphics/Font.h"
#include "SceneGraph/SceneText.h"
#include "SceneGraph/TextSpriteNode.h"

#include <memory>
#include <string>

using namespace Corvane;

FractionTextMeterNode::FractionTextMeterNode(Font* font, const ColorF& textColor, int justify)
    : mText(new TextSpriteNode({0.0f, 0.0f}, L"", font, 0.0f, textColor))
{
    mText->SetJustify(justify);
    mText->SetParent(this);
    UpdateText();
}

void FractionTextMeterNode::SetValue(float value)
{
    MeterComponent::SetValue(value);
    UpdateText();
}

void FractionTextMeterNode::SetMax(float max)
{
    MeterComponent::SetMax(max); // sets the value again, which rewrites the text
    UpdateText();
}

void FractionTextMeterNode::UpdateText()
{
    // Value and maximum are never negative: truncation rounds them down.
    mText->SetText(std::to_wstring(static_cast<long long>(GetValue())) + L"/" +
                   std::to_wstring(static_cast<long long>(GetMax())));
    const SceneNode& text = *mText;
    SetSize(text.GetWidth(), text.GetHeight());
}

SceneNodeDescriptor* FractionTextMeterNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto descriptor = std::make_unique<FractionTextMeterNodeDescriptor>();
    descriptor->mFont = ReadLabelAttribute(attributes, L"font");
    std::wstring text;
    descriptor->mTextColor = ParseColor(attributes.GetAttribute(text, L"color"));
    descriptor->mJustify = ParseHAlign(attributes.GetAttribute(text, L"textJustify"), 0);
    descriptor->mMax = attributes.GetFloatAttribute(L"max", 0.0f);
    descriptor->mStart = attributes.GetFloatAttribute(L"start", 0.0f);
    return descriptor.release();
}

SceneNode* FractionTextMeterNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<FractionTextMeterNodeDescriptor>(descriptor);
    auto* node = new FractionTextMeterNode(FindNodeResource<Font>(own.mFont), own.mTextColor, own.mJustify);
    node->SetMax(own.mMax);
    node->SetValue(own.mStart);
    return node;
}
