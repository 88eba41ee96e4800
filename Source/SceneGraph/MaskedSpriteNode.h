// A picture of another node's whole subtree: the node renders its source (the source node, then
// its descendants, each drawn alone, depth first) into a snapshot image of its own and draws that
// snapshot, cut by its clip rectangle and scaled by its mask scale, which stands for its world
// scale (its ancestors' scales do not apply). Built in code; no layout element makes one.
//
//   auto* dish = new MaskedSpriteNode(layoutRoot, false);   // layoutRoot registered, not on screen
//   const Corvane::Rect<float> bounds = layoutRoot->GetBounds();
//   dish->SetCaptureOffset({-bounds.x, -bounds.y});       // the subtree lands in the snapshot
//   dish->SetMaskScale({0.6f, 0.6f});
//
// The snapshot is made at the first draw after SetImage, and at every draw with always-rebuild.
// The source is not owned. It is followed only while its object identifier still resolves to it
// in the current object database: a removed source is neither refreshed nor drawn, so the source
// must be registered (the tree of an instantiated layout is) before SetImage.
#pragma once

#include "Framework/ObjectID.h"
#include "SceneGraph/SceneNode.h"

#include <memory>

namespace Corvane
{
class Image;
}

class MaskedSpriteNode : public SceneNode
{
public:
    MaskedSpriteNode(SceneNode* source, bool alwaysRebuild);
    ~MaskedSpriteNode() override;

    // The node takes the size of the source's tree bounds (0 x 0 for null) and rebuilds its
    // snapshot at the next draw.
    void SetImage(SceneNode* source);
    // The source while it resolves in the current database, else null.
    SceneNode* GetSource() const;

    // Takes effect at the next draw; marks nothing.
    void SetMaskScale(const Corvane::Vector2<float>& scale) { mMaskScale = scale; }
    const Corvane::Vector2<float>& GetMaskScale() const { return mMaskScale; }
    // The draw offset the source subtree is drawn with into the snapshot.
    void SetCaptureOffset(const Corvane::Vector2<float>& offset) { mCaptureOffset = offset; }
    const Corvane::Vector2<float>& GetCaptureOffset() const { return mCaptureOffset; }
    bool GetAlwaysRebuild() const { return mAlwaysRebuild; }
    // Null until the first draw.
    const Corvane::Image* GetSnapshot() const { return mSnapshot.get(); }

    // Keeps the source subtree's world state current.
    void OnUpdate(float dt) override;
    Corvane::Vector2<float> GetWorldScale() override { return mMaskScale; }
    // Nothing before the first snapshot; then the half-open world rectangle.
    bool HitTest(const Corvane::Vector2<float>& worldPoint) override;
    void Draw(const Corvane::Vector2<float>& offset) override;

private:
    void Rebuild();

    bool mAlwaysRebuild;
    bool mRebuildNeeded = false;
    SceneNode* mSource = nullptr;
    Corvane::ObjectID mSourceID = Corvane::kNoObject;
    std::unique_ptr<Corvane::Image> mSnapshot;
    Corvane::Vector2<float> mCaptureOffset{0.0f, 0.0f};
    Corvane::Vector2<float> mMaskScale{1.0f, 1.0f};
};
