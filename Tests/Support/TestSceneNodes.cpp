#include "Support/TestSceneNodes.h"

#include "Graphics/DrawingFunctions.h"
#include "Graphics/RenderContext.h"

namespace Corvane::Testing
{
namespace
{
class PictureDescriptor : public SceneNodeDescriptor
{
public:
    Label mSource;
    bool mSnap = false;
    float mWidth = -1.0f; // the image's when negative
    float mHeight = -1.0f;
};
} // namespace

void TestBoxNode::Draw(const Vector2<float>& offset)
{
    if (!IsWorldVisible())
        return;
    Graphics::DrawState state = Graphics::GetRenderContext().state;
    state.color = GetWorldColor();
    if (IsClipRectUsed())
        state.clip = GetClipRect();
    const NodeState& world = GetWorldState();
    Graphics::FillRect({world.x + offset.x, world.y + offset.y, GetWidth(), GetHeight()}, state,
                       Graphics::GetCurrentCanvas());
}

void TestPictureNode::Draw(const Vector2<float>& offset)
{
    if (IsWorldVisible())
        DrawNodeImage(*this, mImage, offset, mSnap);
}

SceneNode* TestBoxNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& size = DescriptorAs<BasicSceneNodeDescriptor>(descriptor);
    auto* node = new TestBoxNode;
    node->SetSize(size.mWidth, size.mHeight);
    return node;
}

SceneNodeDescriptor* TestPictureNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto* descriptor = new PictureDescriptor;
    descriptor->mSource = ReadLabelAttribute(attributes, L"src");
    descriptor->mSnap = attributes.GetBoolAttribute(L"snap", false);
    descriptor->mWidth = attributes.GetFloatAttribute(L"width", -1.0f);
    descriptor->mHeight = attributes.GetFloatAttribute(L"height", -1.0f);
    return descriptor;
}

SceneNode* TestPictureNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& picture = DescriptorAs<PictureDescriptor>(descriptor);
    auto* node = new TestPictureNode;
    node->mImage = FindNodeResource<IImage>(picture.mSource);
    node->mSnap = picture.mSnap;
    const float width = node->mImage ? static_cast<float>(node->mImage->GetWidth()) : 0.0f;
    const float height = node->mImage ? static_cast<float>(node->mImage->GetHeight()) : 0.0f;
    node->SetSize(picture.mWidth >= 0 ? picture.mWidth : width, picture.mHeight >= 0 ? picture.mHeight : height);
    return node;
}

void RegisterTestSceneNodes()
{
    RegisterNodeFactory(L"testboxnode", new TestBoxNodeFactory);
    RegisterNodeFactory(L"testpicturenode", new TestPictureNodeFactory);
}
} // namespace Corvane::Testing
