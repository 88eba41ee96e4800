#include "SceneGraph/MaskedSpriteNode.h"

#include "Framework/ObjectDatabase.h"
#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "Graphics/RenderContext.h"

using namespace Corvane;

namespace
{
// The node, then its descendants depth first, parents before children, each drawn alone.
void DrawSubtree(SceneNode& node, const Vector2<float>& offset)
{
    node.Draw(offset);
    for (SceneNode* child : node.GetChildren())
        DrawSubtree(*child, offset);
}
} // namespace

MaskedSpriteNode::MaskedSpriteNode(SceneNode* source, bool alwaysRebuild) : mAlwaysRebuild(alwaysRebuild)
{
    SetImage(source);
}

MaskedSpriteNode::~MaskedSpriteNode() = default;

void MaskedSpriteNode::SetImage(SceneNode* source)
{
    mSource = source;
    mSourceID = source ? source->GetID() : kNoObject;
    if (source)
    {
        const Rect<float> bounds = source->GetBounds();
        SetSize(bounds.width, bounds.height);
    }
    else
        SetSize(0.0f, 0.0f);
    MarkDirty(kDirtyPosition);
    mRebuildNeeded = true;
}

SceneNode* MaskedSpriteNode::GetSource() const
{
    // The identifier, not the pointer, says whether the source still lives: a removed source's
    // pointer may already be freed.
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!mSource || mSourceID == kNoObject || !database)
        return nullptr;
    return database->Get(mSourceID) == mSource ? mSource : nullptr;
}

void MaskedSpriteNode::OnUpdate(float)
{
    if (SceneNode* source = GetSource())
        source->RefreshWorldTree(true);
}

bool MaskedSpriteNode::HitTest(const Vector2<float>& worldPoint)
{
    return mSnapshot && SceneNode::HitTest(worldPoint);
}

void MaskedSpriteNode::Rebuild()
{
    mSnapshot.reset();
    mSnapshot = std::make_unique<Image>(static_cast<int>(GetWidth()), static_cast<int>(GetHeight()));
    SceneNode* source = GetSource();
    if (!source || mSnapshot->GetWidth() < 1 || mSnapshot->GetHeight() < 1)
        return;
    Graphics::ICanvas* canvas = Graphics::CreateImageCanvas(*mSnapshot);
    {
        const Graphics::ScopedDrawState scope({canvas, Graphics::GetDefaultDrawState()});
        DrawSubtree(*source, mCaptureOffset);
    }
    Graphics::DestroyImageCanvas(canvas);
}

void MaskedSpriteNode::Draw(const Vector2<float>& offset)
{
    if (!IsWorldVisible())
        return;
    if (mAlwaysRebuild || mRebuildNeeded)
    {
        mRebuildNeeded = false;
        Rebuild();
    }
    if (mSnapshot)
        DrawNodeImage(*this, mSnapshot.get(), offset, false);
}
