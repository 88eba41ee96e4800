#include "SceneGraph/MaskedSpriteNode.h"

#include "Graphics/Image.h"
#include "Graphics/RecordingCanvas.h"
#include "SceneGraph/MaskedSpriteTasks.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/StyledTextSpriteNode.h"
#include "Support/SceneHarness.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// A red 40 x 30 panel at (10, 20) with a blue 10 x 10 square at its (5, 5): tree bounds
// (10, 20, 40, 30), kept off the screen's tree so that only the masked node draws it.
const char* const kDish = R"(
    <scenelayout name="Dish">
      <testboxnode x="10" y="20" width="40" height="30" color="#FF0000">
        <testboxnode nodeName="Square" x="5" y="5" width="10" height="10" color="#0000FF"/>
      </testboxnode>
    </scenelayout>)";

struct MaskedScene
{
    SceneHarness scene;
    SceneNode* source = nullptr;

    MaskedScene()
    {
        scene.Load(kDish);
        source = SceneLayout::Find(Label("Dish"))->Instantiate(nullptr, &scene.Screen());
    }

    // A masked node of the source on the screen, the source's bounds at the snapshot's corner.
    MaskedSpriteNode* Show(bool alwaysRebuild, SceneNode* of)
    {
        auto* node = new MaskedSpriteNode(of, alwaysRebuild);
        if (of)
            node->SetCaptureOffset({-of->GetBounds().x, -of->GetBounds().y});
        node->SetParent(scene.Root());
        node->RegisterTree(&scene.Screen());
        return node;
    }

    void Frame()
    {
        scene.Update();
        RecordingCanvas canvas({"IQuadDrawingCanvas"});
        scene.Draw(&canvas);
    }
};

PackedColor Pixel(const MaskedSpriteNode& node, int x, int y)
{
    return node.GetSnapshot()->GetPixel(x, y) & 0xFFFFFFu;
}
} // namespace

TEST(MaskedSpriteNode, TheSnapshotHoldsTheSourceSubtreeAtTheCaptureOffset)
{
    MaskedScene s;
    MaskedSpriteNode* node = s.Show(false, s.source);
    EXPECT_EQ(node->GetWidth(), 40.0f);
    EXPECT_EQ(node->GetHeight(), 30.0f);
    EXPECT_FALSE(node->HitTest({1, 1})) << "no snapshot yet";
    s.Frame();
    ASSERT_NE(node->GetSnapshot(), nullptr);
    EXPECT_EQ(node->GetSnapshot()->GetWidth(), 40);
    EXPECT_EQ(node->GetSnapshot()->GetHeight(), 30);
    EXPECT_EQ(Pixel(*node, 0, 0), 0xFF0000u);
    EXPECT_EQ(Pixel(*node, 39, 29), 0xFF0000u);
    EXPECT_EQ(Pixel(*node, 7, 7), 0x0000FFu);
    EXPECT_EQ(node->GetSnapshot()->GetPixel(7, 7) >> 24, 0xFFu) << "the snapshot is opaque where drawn";

    // Half-open like every node: the right and bottom edges are outside.
    EXPECT_TRUE(node->HitTest({0, 0}));
    EXPECT_TRUE(node->HitTest({39.5f, 29.5f}));
    EXPECT_FALSE(node->HitTest({40, 10}));
    EXPECT_FALSE(node->HitTest({10, 30}));
}

TEST(MaskedSpriteNode, OnlyAlwaysRebuildOrANewSourceRenewsTheSnapshot)
{
    for (const bool always : {false, true})
    {
        MaskedScene s;
        MaskedSpriteNode* node = s.Show(always, s.source);
        s.Frame();
        ASSERT_EQ(Pixel(*node, 7, 7), 0x0000FFu);
        s.source->FindByPath(NodePath{"Square"})->SetPosition(25, 15);
        s.Frame();
        EXPECT_EQ(Pixel(*node, 7, 7), always ? 0xFF0000u : 0x0000FFu) << always;
        EXPECT_EQ(Pixel(*node, 27, 17), always ? 0x0000FFu : 0xFF0000u) << always;
        node->SetImage(s.source);
        s.Frame();
        EXPECT_EQ(Pixel(*node, 27, 17), 0x0000FFu) << always;
    }
}

TEST(MaskedSpriteNode, ANullOrRemovedSourceGivesAnEmptyPictureAndDrawsNothing)
{
    MaskedScene s;
    MaskedSpriteNode* empty = s.Show(false, nullptr);
    EXPECT_EQ(empty->GetWidth(), 0.0f);
    EXPECT_EQ(empty->GetHeight(), 0.0f);
    s.Frame();
    ASSERT_NE(empty->GetSnapshot(), nullptr);
    EXPECT_EQ(empty->GetSnapshot()->GetWidth(), 0);

    // The source goes while an always-rebuilding node shows it: the node neither refreshes nor
    // draws it (the freed tree would be read otherwise), and its picture is left empty.
    MaskedSpriteNode* node = s.Show(true, s.source);
    s.Frame();
    EXPECT_EQ(node->GetSource(), s.source);
    s.scene.Screen().Remove(s.source->GetID());
    s.Frame();
    s.Frame();
    EXPECT_EQ(node->GetSource(), nullptr);
    ASSERT_NE(node->GetSnapshot(), nullptr);
    EXPECT_EQ(node->GetSnapshot()->GetPixel(7, 7), 0u);
}

TEST(MaskedSpriteNode, TheMaskScaleIsTheWorldScaleAndTheClipRectangleCutsThePicture)
{
    MaskedScene s;
    auto* parent = s.scene.Show(R"(<scenenode x="100" y="50" scaleX="3" scaleY="3"/>)");
    MaskedSpriteNode* node = s.Show(false, s.source);
    node->SetParent(parent);
    node->SetMaskScale({0.5f, 0.25f});
    EXPECT_EQ(node->GetWorldScale(), (Vector2<float>{0.5f, 0.25f}));
    node->SetClipRect({100, 50, 10, 10});
    s.scene.Update();
    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    s.scene.Draw(&canvas);
    ASSERT_EQ(canvas.calls.size(), 1u) << "the masked node draws its picture, the source is off the screen";
    const CanvasCall& call = canvas.calls[0];
    EXPECT_EQ(call.image, node->GetSnapshot());
    EXPECT_EQ(call.state.clip, (Rect<int>{100, 50, 10, 10}));
    ASSERT_EQ(call.operation, "DrawStretchedImage");
    EXPECT_EQ(call.numbers[2], 20.0f) << "40 wide at half scale, the parent's 3 ignored";
}

TEST(MaskedSpriteTasks, TheClipWipeAndTheMaskScaleMoveLinearlyFromWhereTheyStart)
{
    MaskedScene s;
    MaskedSpriteNode* node = s.Show(false, s.source);
    node->SetClipRect({0, 0, 0, 50});
    NodeClipRectTask wipe({0, 0, 200, 50}, 1.0f);
    EXPECT_EQ(wipe.Update(node, 0.25f).status, kTaskRunning);
    EXPECT_EQ(node->GetClipRect(), (Rect<int>{0, 0, 50, 50}));
    const TaskResult end = wipe.Update(node, 1.0f);
    EXPECT_EQ(end.status, kTaskFinished);
    EXPECT_FLOAT_EQ(end.timeUsed, 0.75f);
    EXPECT_EQ(node->GetClipRect(), (Rect<int>{0, 0, 200, 50}));
    EXPECT_TRUE(node->IsClipRectUsed());

    // Any node has a clip rectangle: the wipe runs on a plain node too, truncating towards the start.
    SceneNode plain;
    plain.SetClipRect({10, 10, 10, 10}, false);
    NodeClipRectTask shrink({0, 0, 0, 0}, 3.0f);
    shrink.Update(&plain, 1.0f);
    EXPECT_EQ(plain.GetClipRect(), (Rect<int>{6, 6, 6, 6}));
    EXPECT_TRUE(plain.IsClipRectUsed());

    node->SetMaskScale({0.6f, 0.6f});
    MaskedSpriteNodeScaleTask grow({1.0f, 1.0f}, 1.0f);
    grow.Update(node, 0.5f);
    EXPECT_FLOAT_EQ(node->GetMaskScale().x, 0.8f);
    MaskedSpriteNodeScaleTask atOnce({0.25f, 2.0f}, 0.0f);
    EXPECT_EQ(atOnce.Update(node, 0.0f).status, kTaskFinished);
    EXPECT_EQ(node->GetMaskScale(), (Vector2<float>{0.25f, 2.0f}));
}

TEST(MaskedSpriteTasks, TheScaleTaskRefusesEveryOtherOwnerAndChangesNothing)
{
    StyledTextSpriteNode text({0, 0}, L"Basil", TextStyle(), 100.0f);
    SceneNode plain;
    for (Object* owner : {static_cast<Object*>(&text), static_cast<Object*>(&plain)})
    {
        MaskedSpriteNodeScaleTask scale({2.0f, 2.0f}, 1.0f);
        try
        {
            scale.Update(owner, 0.5f);
            ADD_FAILURE() << "no error";
        }
        catch (const std::runtime_error& error)
        {
            EXPECT_STREQ(error.what(), "MaskedSpriteNodeScaleTask must be applied to a MaskedSpriteNode");
        }
    }
    EXPECT_EQ(plain.GetScale(), (Vector2<float>{1.0f, 1.0f}));
    Object notANode;
    NodeClipRectTask wipe({0, 0, 5, 5}, 1.0f);
    EXPECT_THROW(wipe.Update(&notANode, 0.5f), std::runtime_error);
}
