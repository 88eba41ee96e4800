#include "SceneGraph/ShapeNodes.h"

#include "Graphics/DrawingFunctions.h"
#include "SceneGraph/NodeDrawState.h"

#include <memory>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
// The state with the node's world colour in the slot fills and lines read.
DrawState ShapeState(ShapeNode& node)
{
    DrawState state = MakeNodeDrawState(node);
    state.color = node.GetWorldColor();
    return state;
}
} // namespace

bool ShapeNode::GetDrawRect(const Vector2<float>& offset, Rect<float>& rect)
{
    if (!IsWorldVisible())
        return false;
    const Vector2<float> position = GetWorldPosition();
    rect = {position.x + offset.x, position.y + offset.y, GetWidth(), GetHeight()};
    return true;
}

void RectNode::Draw(const Vector2<float>& offset)
{
    Rect<float> rect;
    if (!GetDrawRect(offset, rect))
        return;
    if (IsFilled())
        FillRect(rect, ShapeState(*this), GetCurrentCanvas());
    else
        DrawRectOutline(rect, ShapeState(*this), GetCurrentCanvas());
}

void EllipseNode::Draw(const Vector2<float>& offset)
{
    Rect<float> rect;
    if (!GetDrawRect(offset, rect))
        return;
    if (IsFilled())
        FillEllipse(rect, ShapeState(*this), GetCurrentCanvas());
    else
        DrawEllipse(rect, ShapeState(*this), GetCurrentCanvas());
}

template <typename Node>
SceneNodeDescriptor* ShapeNodeFactory<Node>::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto descriptor = std::make_unique<ShapeNodeDescriptor>();
    descriptor->mWidth = attributes.GetFloatAttribute(L"width", 0.0f);
    descriptor->mHeight = attributes.GetFloatAttribute(L"height", 0.0f);
    descriptor->mFilled = attributes.GetBoolAttribute(L"filled", true);
    return descriptor.release();
}

template <typename Node> SceneNode* ShapeNodeFactory<Node>::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& shape = DescriptorAs<ShapeNodeDescriptor>(descriptor);
    auto* node = new Node();
    node->SetSize(shape.mWidth, shape.mHeight);
    node->SetFilled(shape.mFilled);
    return node;
}

template class ShapeNodeFactory<RectNode>;
template class ShapeNodeFactory<EllipseNode>;
