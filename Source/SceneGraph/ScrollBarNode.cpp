#include "SceneGraph/ScrollBarNode.h"

#include "Framework/ObjectDatabase.h"
#include "Graphics/BrushDrawing.h"
#include "Graphics/ImageList.h"
#include "Graphics/RenderContext.h"
#include "SceneGraph/ButtonNode.h"

#include <string>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
float FirstHeight(const ImageList* list)
{
    return list ? static_cast<float>(list->GetHeight(0)) : 0.0f;
}

ButtonNode* MakeArrow(ImageList* images)
{
    return new ButtonNode(ColorF::OpaqueWhite(), nullptr, Label(), images, 0.0f, nullptr);
}

// Already filed under its name in some database: renaming it now would split it from its entry.
bool IsRegistered(const SceneNode& node)
{
    const ObjectDatabase* database = ObjectDatabase::Current();
    return node.GetID() != kNoObject && database && database->Get(node.GetID()) == &node;
}
} // namespace

ScrollBarNode::ScrollBarNode(Label name, float height, ImageList* channel, ImageList* upArrow, ImageList* downArrow,
                             ImageList* thumb)
    : SceneNode(name), mChannel(channel), mThumb(thumb), mUp(MakeArrow(upArrow)), mDown(MakeArrow(downArrow))
{
    SetSize(mChannel ? static_cast<float>(mChannel->GetWidth(0)) : 0.0f, height);
    SetVisible(true);
    // Not entered in the bar's child map: their node names follow the bar's name, which may come
    // after they are attached (GetUpButton and GetDownButton find them).
    mUp->SetParent(this);
    mDown->SetParent(this);
    mDown->SetPosition(0.0f, height - FirstHeight(downArrow));
    NameArrows();
}

void ScrollBarNode::NameArrows()
{
    const Label base = GetName() ? GetName() : GetNodeName();
    const std::string prefix = base ? base.c_str() : "";
    for (const auto& [arrow, suffix] : {std::pair{mUp, "ScrollUp"}, std::pair{mDown, "ScrollDown"}})
    {
        if (IsRegistered(*arrow))
            continue;
        const Label name(prefix + suffix);
        arrow->SetName(name);
        arrow->SetNodeName(name);
    }
}

void ScrollBarNode::NamesChanged()
{
    NameArrows();
}

void ScrollBarNode::Draw(const Vector2<float>& offset)
{
    if (!IsWorldVisible())
        return;
    const Vector2<float> p = GetWorldPosition() + offset;
    DrawState state = NodeDrawState(*this);
    state.tint.alpha = GetWorldColor().alpha;
    DrawThreeBrushVertical(mChannel, 0, p.x, p.y, GetHeight(), state, GetCurrentCanvas());
}

SceneNodeDescriptor* ScrollBarNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto* descriptor = new ScrollBarNodeDescriptor;
    descriptor->mHasHeight = attributes.HasAttribute(L"height");
    descriptor->mHeight = attributes.GetFloatAttribute(L"height", 0.0f);
    descriptor->mDownArrowImages = ReadLabelAttribute(attributes, L"downArrowImages");
    descriptor->mUpArrowImages = ReadLabelAttribute(attributes, L"upArrowImages");
    descriptor->mThumbImages = ReadLabelAttribute(attributes, L"thumbImages");
    descriptor->mChannelImages = ReadLabelAttribute(attributes, L"channelImages");
    return descriptor;
}

SceneNode* ScrollBarNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<ScrollBarNodeDescriptor>(descriptor);
    ImageList* up = FindNodeResource<ImageList>(own.mUpArrowImages);
    ImageList* down = FindNodeResource<ImageList>(own.mDownArrowImages);
    // Without a height the arrows sit one on the other.
    const float height = own.mHasHeight ? own.mHeight : FirstHeight(up) + FirstHeight(down);
    return new ScrollBarNode(Label(), height, FindNodeResource<ImageList>(own.mChannelImages), up, down,
                             FindNodeResource<ImageList>(own.mThumbImages));
}
