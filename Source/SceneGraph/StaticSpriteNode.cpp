#include "SceneGraph/StaticSpriteNode.h"

#include "Graphics/IImage.h"
#include "Graphics/Image.h"
#include "Graphics/ImageList.h"

#include <memory>

using namespace Corvane;

StaticSpriteNode::StaticSpriteNode(IImage* image)
{
    SetImage(image);
}

void StaticSpriteNode::SetImage(IImage* image)
{
    mImage = image;
    if (image)
        SetSize(static_cast<float>(image->GetWidth()), static_cast<float>(image->GetHeight()));
    else
        SetSize(0.0f, 0.0f);
}

void StaticSpriteNode::SetImageFromList(ImageList* list, int index)
{
    SetImage(list ? list->GetImage(index) : nullptr);
}

bool StaticSpriteNode::HitTest(const Vector2<float>& worldPoint)
{
    if (!mImage || !SceneNode::HitTest(worldPoint))
        return false;
    if (mAlphaSensitivity == 0)
        return true;
    const Vector2<float> world = GetWorldPosition();
    const int x = static_cast<int>(worldPoint.x) - static_cast<int>(world.x);
    const int y = static_cast<int>(worldPoint.y) - static_cast<int>(world.y);
    const int alpha = static_cast<int>(mImage->GetPixel(x, y) >> 24);
    return alpha > mAlphaSensitivity;
}

void StaticSpriteNode::Draw(const Vector2<float>& offset)
{
    if (mImage && IsWorldVisible())
        DrawNodeImage(*this, mImage, offset, mNoBlur);
}

SceneNodeDescriptor* StaticSpriteNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto descriptor = std::make_unique<StaticSpriteNodeDescriptor>();
    descriptor->mSrc = ReadLabelAttribute(attributes, L"src");
    descriptor->mNoBlur = attributes.GetBoolAttribute(L"noBlur", false);
    descriptor->mAlphaSensitivity = attributes.GetIntAttribute(L"alphaSensitivity", 0);
    return descriptor.release();
}

SceneNode* StaticSpriteNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<StaticSpriteNodeDescriptor>(descriptor);
    auto* node = new StaticSpriteNode(FindNodeResource<Image>(own.mSrc));
    node->SetAlphaSensitivity(own.mAlphaSensitivity);
    node->SetNoBlur(own.mNoBlur);
    return node;
}
