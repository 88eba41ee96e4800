#include "SceneGraph/BackgroundNode.h"

#include "Graphics/BrushDrawing.h"
#include "Graphics/DrawState.h"
#include "Graphics/ImageList.h"
#include "Graphics/RenderContext.h"

#include <memory>

using namespace Corvane;
using namespace Corvane::Graphics;

BackgroundNode::BackgroundNode(ImageList* images) : mImages(images) {}

void BackgroundNode::SetHeight(int height)
{
    if (mImages)
    {
        const int ends = mImages->GetHeight(6) + mImages->GetHeight(0);
        const int middle = mImages->GetHeight(3);
        // Without a middle row no height fits: keep the one asked for.
        if (height > ends && middle > 0)
            height = height + middle - (height - ends) % middle;
    }
    SceneNode::SetHeight(static_cast<float>(height));
}

void BackgroundNode::Draw(const Vector2<float>& offset)
{
    if (!IsWorldVisible())
        return;
    DrawState state = NodeDrawState(*this);
    state.tint.alpha = GetWorldColor().alpha;
    const Vector2<float> world = GetWorldPosition();
    DrawNineBrush(mImages, 0, world.x + offset.x, world.y + offset.y, GetWidth(), GetHeight(), state,
                  GetCurrentCanvas());
}

SceneNodeDescriptor* BackgroundNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto descriptor = std::make_unique<BackgroundNodeDescriptor>();
    descriptor->mHeight = attributes.GetFloatAttribute(L"height", 0.0f);
    descriptor->mWidth = attributes.GetFloatAttribute(L"width", 0.0f);
    descriptor->mImages = ReadLabelAttribute(attributes, L"images");
    return descriptor.release();
}

SceneNode* BackgroundNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<BackgroundNodeDescriptor>(descriptor);
    auto* node = new BackgroundNode(FindNodeResource<ImageList>(own.mImages));
    node->SetSize(own.mWidth, own.mHeight);
    return node;
}
