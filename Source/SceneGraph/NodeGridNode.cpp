#include "SceneGraph/NodeGridNode.h"

#include "Framework/ObjectMessage.h"

#include <algorithm>

using namespace Corvane;

NodeGridNode::NodeGridNode(float hSpacing, float vSpacing, float maxWidth, float maxHeight, int growBehavior)
    : mHSpacing(hSpacing), mVSpacing(vSpacing), mMaxWidth(maxWidth), mMaxHeight(maxHeight), mGrowBehavior(growBehavior)
{
    SetSize(0.0f, 0.0f);
}

void NodeGridNode::ChildAdded(SceneNode*)
{
    Arrange();
}

void NodeGridNode::ChildRemoved(SceneNode*)
{
    Arrange();
}

void NodeGridNode::OnMessage(const ObjectMessage& message)
{
    if (message.GetName() == Messages::Add())
        Arrange();
    SceneNode::OnMessage(message);
}

void NodeGridNode::Arrange()
{
    ArrangeLines(mGrowBehavior == kVerticalFirst);
}

void NodeGridNode::ArrangeLines(bool columns)
{
    // "Along" is the axis a line grows on (x for rows), "across" the one lines stack on.
    const float limit = columns ? mMaxHeight : mMaxWidth;
    const float alongSpacing = columns ? mVSpacing : mHSpacing;
    const float acrossSpacing = columns ? mHSpacing : mVSpacing;
    float along = 0.0f;      // where the next child starts on its line
    float across = 0.0f;     // where the current line starts
    float lineExtent = 0.0f; // the thickest child so far, in any line: it is never reset
    float lineEnd = 0.0f;    // the far edge of the current line's last child
    float longest = 0.0f;    // the longest finished line
    for (SceneNode* child : GetChildren())
    {
        const Rect<float> bounds = child->GetBounds();
        const float length = columns ? bounds.height : bounds.width;
        const float thickness = columns ? bounds.width : bounds.height;
        if (limit >= 0.0f && along + length > limit)
        {
            along = 0.0f;
            across += lineExtent + acrossSpacing;
            longest = std::max(longest, lineEnd);
        }
        if (columns)
            child->SetPosition(across, along);
        else
            child->SetPosition(along, across);
        lineEnd = along + length;
        lineExtent = std::max(lineExtent, thickness);
        along += length + alongSpacing;
    }
    const float alongSize = std::max(longest, lineEnd);
    const float acrossSize = across + lineExtent;
    if (columns)
        SetSize(acrossSize, alongSize);
    else
        SetSize(alongSize, acrossSize);
}

int ParseGridGrowBehavior(const std::wstring& text)
{
    return text == L"verticalFirst" ? NodeGridNode::kVerticalFirst : NodeGridNode::kHorizontalFirst;
}

SceneNodeDescriptor* NodeGridNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto* descriptor = new NodeGridNodeDescriptor;
    descriptor->mGrowBehavior = ParseGridGrowBehavior(attributes.GetStringAttribute(L"gridGrowBehavior", L""));
    descriptor->mMaxWidth = attributes.GetFloatAttribute(L"maxWidth", -1.0f);
    descriptor->mMaxHeight = attributes.GetFloatAttribute(L"maxHeight", -1.0f);
    descriptor->mHSpacing = attributes.GetFloatAttribute(L"hSpacing", 0.0f);
    descriptor->mVSpacing = attributes.GetFloatAttribute(L"vSpacing", 0.0f);
    return descriptor;
}

SceneNode* NodeGridNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<NodeGridNodeDescriptor>(descriptor);
    return new NodeGridNode(own.mHSpacing, own.mVSpacing, own.mMaxWidth, own.mMaxHeight, own.mGrowBehavior);
}
