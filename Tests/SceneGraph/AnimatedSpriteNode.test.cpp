#include "SceneGraph/AnimatedSpriteNode.h"

#include "SceneGraph/AnimationController.h"
#include "SceneGraph/SpriteType.h"
#include "Support/SpriteScene.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
class AnimatedSpriteNodeTest : public testing::Test
{
protected:
    AnimatedSpriteNodeTest()
    {
        scene.Load("sprites", R"(
            <testimagelist name="Pics" sizes="10x20,30x40,50x60"/>
            <spritetype name="Cook" images="Pics">
              <animation name="walk" frameList="1,2" fps="2" numPlays="0"/>
              <animation name="wave" frameList="2,0" fps="2"/>
            </spritetype>
            <spritetype name="Ghost" images="NoSuchPictures"><animation name="walk" frameList="1"/></spritetype>)");
    }
    AnimatedSpriteNode* Make(const char* type)
    {
        auto* node = new AnimatedSpriteNode(Label(type));
        scene.mode.Add(node);
        return node;
    }
    static Vector2<float> Size(const SceneNode& node) { return {node.GetWidth(), node.GetHeight()}; }

    SpriteScene scene;
};
} // namespace

TEST_F(AnimatedSpriteNodeTest, TheNodeTakesTheSizeOfTheImageShowingAtEveryUpdate)
{
    AnimatedSpriteNode* node = Make("Cook");
    EXPECT_EQ(node->GetImageCount(), 3);
    EXPECT_EQ(Size(*node), (Vector2<float>{10.0f, 20.0f})) << "image 0 before anything plays";
    node->PlayAnimation(Label("walk"));
    EXPECT_EQ(Size(*node), (Vector2<float>{30.0f, 40.0f}));
    scene.mode.Update(0.75f);
    EXPECT_EQ(Size(*node), (Vector2<float>{50.0f, 60.0f}));
    EXPECT_TRUE(node->IsPlaying(Label("WALK")));
    EXPECT_FALSE(node->IsPlaying(Label("wave")));
    EXPECT_FALSE(node->IsPlaying(Label()));

    node->ShowFrame(7);
    EXPECT_EQ(Size(*node), (Vector2<float>{0.0f, 0.0f})) << "beyond the list";
    EXPECT_FALSE(node->IsPlaying(Label("walk")));
    node->ShowFrame(0);
    EXPECT_EQ(Size(*node), (Vector2<float>{10.0f, 20.0f}));

    AnimatedSpriteNode* ghost = Make("Ghost");
    ghost->PlayAnimation(Label("walk"));
    EXPECT_TRUE(ghost->IsPlaying(Label("walk")));
    EXPECT_EQ(Size(*ghost), (Vector2<float>{0.0f, 0.0f})) << "no image list, nothing to show";
    EXPECT_EQ(Make("Nobody")->GetController(), nullptr);
}

TEST_F(AnimatedSpriteNodeTest, PlayingRestartsOnlyWhenAskedOrWhenTheAnimationHasEnded)
{
    AnimatedSpriteNode* node = Make("Cook");
    node->PlayAnimation(Label("wave"));
    scene.mode.Update(0.75f);
    EXPECT_EQ(node->GetController()->GetPosition(), 1);
    node->PlayAnimation(Label("wave"), false);
    EXPECT_EQ(node->GetController()->GetPosition(), 1) << "already playing";
    node->PlayAnimation(Label("wave"), true);
    EXPECT_EQ(node->GetController()->GetPosition(), 0);

    scene.mode.Update(2.0f);
    EXPECT_FALSE(node->IsPlaying(Label("wave")));
    EXPECT_EQ(node->GetController()->GetImageIndex(), 0) << "stopped on the last frame";
    node->PlayAnimation(Label("wave"), false);
    EXPECT_TRUE(node->IsPlaying(Label("wave"))) << "an ended animation plays again";

    node->PlayAnimation(Label("dance"), false);
    EXPECT_FALSE(node->GetController()->IsPlaying());
    EXPECT_EQ(node->GetController()->GetImageIndex(), 0);
}

TEST_F(AnimatedSpriteNodeTest, HitsAreHalfOpenRectanglesAndAlphaSensitivityPicksOpaquePixels)
{
    AnimatedSpriteNode* node = Make("Cook"); // image 0: 10 x 20, alpha = column
    node->SetPosition(100.0f, 50.0f);
    const struct
    {
        int sensitivity;
        float x, y;
        bool hit;
    } cases[] = {
        {0, 100.0f, 50.0f, true},    // left and top edges are inside
        {0, 110.0f, 60.0f, false},   // the right edge is outside
        {0, 105.0f, 70.0f, false},   // the bottom edge is outside
        {0, 99.9f, 60.0f, false},
        {0, 100.5f, 69.9f, true},    // a transparent pixel counts without a sensitivity
        {1, 101.9f, 55.0f, false},   // alpha 1 is not above 1
        {1, 102.0f, 55.0f, true},    // alpha 2 is
        {8, 108.5f, 55.0f, false},
        {8, 109.0f, 55.0f, true},
        {255, 109.0f, 55.0f, false}, // nothing is above 255
    };
    for (const auto& c : cases)
    {
        node->SetAlphaSensitivity(c.sensitivity);
        EXPECT_EQ(node->HitTest({c.x, c.y}), c.hit) << c.sensitivity << " at " << c.x << "," << c.y;
    }
    EXPECT_FALSE(Make("Ghost")->HitTest({0.0f, 0.0f}));
}

TEST_F(AnimatedSpriteNodeTest, TheControllerLivesInTheScreenFromSpriteTypeToRemoval)
{
    AnimatedSpriteNode* node = Make("Cook");
    AnimationController* first = node->GetController();
    ASSERT_NE(first, nullptr);
    const ObjectID firstID = first->GetID();

    node->SetSpriteType(Label("Cook"));
    EXPECT_EQ(node->GetController(), first) << "the same type keeps its controller";
    node->SetSpriteType(Label("Ghost"));
    EXPECT_EQ(scene.mode.Get(firstID), nullptr) << "the old controller is removed";
    ASSERT_NE(node->GetController(), nullptr);
    EXPECT_EQ(node->GetImageCount(), 0);

    const ObjectID ghostly = node->GetController()->GetID();
    node->SetSpriteType(Label("Nobody"));
    EXPECT_EQ(scene.mode.Get(ghostly), nullptr) << "no type, no controller";
    EXPECT_EQ(node->GetController(), nullptr);

    node->SetSpriteType(Label("Cook"));
    const ObjectID second = node->GetController()->GetID();
    scene.mode.Remove(node->GetID());
    EXPECT_EQ(scene.mode.Get(second), nullptr);
    EXPECT_EQ(node->GetSpriteType(), ResourceManager::Get<SpriteType>("Cook").Get()) << "the type stays";
    node->PlayAnimation(Label("walk"));
    EXPECT_FALSE(node->IsPlaying(Label("walk")));
    EXPECT_FALSE(node->HitTest({1.0f, 1.0f}));
}
