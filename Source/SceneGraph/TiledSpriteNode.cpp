#include "SceneGraph/TiledSpriteNode.h"

#include "Graphics/DrawState.h"
#include "Graphics/IImage.h"
#include "Graphics/Image.h"
#include "Graphics/RenderContext.h"
#include "SceneGraph/TiledImageDrawing.h"

#include <cmath>
#include <memory>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
constexpr int kNeverHit = 255;
}

TiledSpriteNode::TiledSpriteNode(IImage* image, float width, float height) : mImage(image)
{
    SetSize(width, height);
}

bool TiledSpriteNode::HasPixels() const
{
    return mImage && mImage->GetWidth() > 0 && mImage->GetHeight() > 0;
}

bool TiledSpriteNode::HitTest(const Vector2<float>& worldPoint)
{
    if (!HasPixels() || mAlphaSensitivity >= kNeverHit || !SceneNode::HitTest(worldPoint))
        return false;
    if (mAlphaSensitivity == 0)
        return true;
    const Vector2<float> world = GetWorldPosition();
    const int x = static_cast<int>(worldPoint.x - std::trunc(world.x));
    const int y = static_cast<int>(worldPoint.y - std::trunc(world.y));
    const PackedColor pixel = GetTiledPixel(mImage, x, y, {GetWidth(), GetHeight()}, {mSourceOffsetX, mSourceOffsetY});
    return static_cast<int>(pixel >> 24) > mAlphaSensitivity;
}

void TiledSpriteNode::Draw(const Vector2<float>& offset)
{
    if (!HasPixels() || !IsWorldVisible())
        return;
    DrawState state = NodeDrawState(*this);
    state.tint = GetWorldColor();
    const NodeState& world = GetWorldState();
    DrawTiledImage(mImage, {world.x + offset.x, world.y + offset.y, world.width, world.height}, mSourceOffsetX,
                   mSourceOffsetY, state, GetCurrentCanvas());
}

SceneNodeDescriptor* TiledSpriteNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto descriptor = std::make_unique<TiledSpriteNodeDescriptor>();
    descriptor->mSrc = ReadLabelAttribute(attributes, L"src");
    descriptor->mWidth = attributes.GetFloatAttribute(L"width", 0.0f);
    descriptor->mHeight = attributes.GetFloatAttribute(L"height", 0.0f);
    descriptor->mSourceOffsetX = attributes.GetIntAttribute(L"srcOffsetX", 0);
    descriptor->mSourceOffsetY = attributes.GetIntAttribute(L"srcOffsetY", 0);
    descriptor->mAlphaSensitivity = attributes.GetIntAttribute(L"alphaSensitivity", 0);
    return descriptor.release();
}

SceneNode* TiledSpriteNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<TiledSpriteNodeDescriptor>(descriptor);
    auto* node = new TiledSpriteNode(FindNodeResource<Image>(own.mSrc), own.mWidth, own.mHeight);
    node->SetSourceOffset(own.mSourceOffsetX, own.mSourceOffsetY);
    node->SetAlphaSensitivity(own.mAlphaSensitivity);
    return node;
}
