#include "SceneGraph/NodeTasks.h"

#include "Framework/RepeatingTask.h"
#include "Framework/SerialTask.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/AnimationController.h"
#include "Support/FrameworkObjects.h"
#include "Support/SpriteScene.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// The values a task gives its node after each update, and the update in which it finished.
struct Steps
{
    std::vector<std::vector<float>> values;
    int finishedIn = 0;
};

Steps RunOn(SceneNode& node, Task& task, float dt, int updates,
            const std::function<std::vector<float>(const SceneNode&)>& read)
{
    Steps steps;
    for (int i = 1; i <= updates && steps.finishedIn == 0; ++i)
    {
        if (task.Update(&node, dt).status == kTaskFinished)
            steps.finishedIn = i;
        steps.values.push_back(read(node));
    }
    return steps;
}

std::vector<float> Position(const SceneNode& node)
{
    return {node.GetPosition().x, node.GetPosition().y};
}
std::vector<float> Scale(const SceneNode& node)
{
    return {node.GetScale().x, node.GetScale().y};
}
std::vector<float> Alpha(const SceneNode& node)
{
    return {node.GetColor().alpha};
}
} // namespace

TEST(NodeTasks, MovingTasksGoFromWhereTheNodeIsAtTheirFirstUpdateToTheirTargetInEvenSteps)
{
    const struct
    {
        const char* what;
        std::function<Task*()> make;
        std::function<void(SceneNode&)> prepare; // after the task is made, before it runs
        std::function<std::vector<float>(const SceneNode&)> read;
        std::vector<std::vector<float>> values;
        unsigned dirty;
    } cases[] = {
        {"location", [] { return new NodeLocationTask({100.0f, 50.0f}, 1.0f); },
         [](SceneNode& node) { node.SetPosition(0.0f, 0.0f); }, Position,
         {{25.0f, 12.5f}, {50.0f, 25.0f}, {75.0f, 37.5f}, {100.0f, 50.0f}}, kDirtyPosition},
        {"location from elsewhere", [] { return new NodeLocationTask({100.0f, 50.0f}, 1.0f); },
         [](SceneNode& node) { node.SetPosition(100.0f, 10.0f); }, Position,
         {{100.0f, 20.0f}, {100.0f, 30.0f}, {100.0f, 40.0f}, {100.0f, 50.0f}}, kDirtyPosition},
        {"scale", [] { return new NodeScaleTask({3.0f, 0.0f}, 0.5f); },
         [](SceneNode& node) { node.SetScale(1.0f, 1.0f); }, Scale, {{2.0f, 0.5f}, {3.0f, 0.0f}}, kDirtyScale},
        {"alpha", [] { return new NodeAlphaTask(0.0f, 0.75f); }, [](SceneNode& node) { node.SetAlpha(0.75f); },
         Alpha, {{0.5f}, {0.25f}, {0.0f}}, kDirtyColor},
        {"immediate location", [] { return new NodeLocationTask(Vector2<float>{-4.0f, 8.0f}); },
         [](SceneNode& node) { node.SetPosition(1.0f, 1.0f); }, Position, {{-4.0f, 8.0f}}, kDirtyPosition},
        {"immediate alpha", [] { return new NodeAlphaTask(0.5f); }, [](SceneNode&) {}, Alpha, {{0.5f}},
         kDirtyColor},
    };
    for (const auto& c : cases)
    {
        SceneNode node;
        node.SetPosition(-50.0f, -50.0f);
        std::unique_ptr<Task> task(c.make());
        c.prepare(node);
        node.RefreshWorldTree(false); // settles the dirty bits
        const Steps steps = RunOn(node, *task, 0.25f, 10, c.read);
        EXPECT_EQ(steps.values, c.values) << c.what;
        EXPECT_EQ(steps.finishedIn, static_cast<int>(c.values.size())) << c.what;
        EXPECT_NE(node.GetDirty() & c.dirty, 0u) << c.what;
    }
}

TEST(NodeTasks, ACloneStartsAfreshFromWhereItsNodeIsThen)
{
    SceneNode node;
    NodeLocationTask move({10.0f, 0.0f}, 0.5f);
    RunOn(node, move, 0.5f, 1, Position);
    std::unique_ptr<Task> again(move.Clone());
    node.SetPosition(0.0f, 20.0f);
    EXPECT_EQ(RunOn(node, *again, 0.25f, 3, Position).values,
              (std::vector<std::vector<float>>{{5.0f, 10.0f}, {10.0f, 0.0f}}));
}

TEST(NodeTasks, VisibilityChangesUseNoTimeSoTheNextTaskRunsInTheSameUpdate)
{
    Log log;
    SceneNode node;
    SerialTask chain(new NodeVisibleTask(false), new CountingTask(log, "next"), new NodeVisibleTask(true));
    EXPECT_EQ(chain.Update(&node, 0.02f).status, kTaskRunning);
    EXPECT_FALSE(node.IsVisible());
    EXPECT_EQ(log, (Log{"next 0.020000"}));
    EXPECT_NE(node.GetDirty() & kDirtyVisibility, 0u);

    std::unique_ptr<Task> show(NodeVisibleTask(true).Clone());
    EXPECT_EQ(show->Update(&node, 0.02f).timeUsed, 0.0f);
    EXPECT_TRUE(node.IsVisible());
}

TEST(NodeTasks, ATaskOnTheWrongKindOfObjectThrowsItsMessageAndChangesNothing)
{
    const std::pair<std::function<Task*()>, const char*> cases[] = {
        {[] { return new NodeScaleTask({2.0f, 2.0f}, 1.0f); }, "NodeScaleTask must be applied to a SceneNode"},
        {[] { return new NodeLocationTask({2.0f, 2.0f}, 1.0f); }, "NodeLocationTask must be applied to a SceneNode"},
        {[] { return new NodeAlphaTask(0.5f, 1.0f); }, "NodeAlphaTask must be applied to a SceneNode"},
        {[] { return new NodeVisibleTask(false); }, "NodeVisibleTask must be applied to a SceneNode"},
        {[] { return new NodeAnimationTask(Label("walk"), 1); },
         "NodeAnimationTask applied to a non-AnimatedSpriteNode object"},
    };
    Log log;
    LoggingObject plain(log, "plain");
    SceneNode node; // a node, but not an animated sprite
    for (const auto& [make, message] : cases)
    {
        std::unique_ptr<Task> task(make());
        try
        {
            task->Update(&plain, 0.02f);
            ADD_FAILURE() << "no error: " << message;
        }
        catch (const std::runtime_error& error)
        {
            EXPECT_STREQ(error.what(), message);
        }
    }
    std::unique_ptr<Task> animate(cases[4].first());
    EXPECT_THROW(animate->Update(&node, 0.02f), std::runtime_error);
    EXPECT_EQ(node.GetPosition(), (Vector2<float>{0.0f, 0.0f}));
}

class NodeAnimationTaskTest : public testing::Test
{
protected:
    NodeAnimationTaskTest()
    {
        scene.Load("cook", R"(
            <testimagelist name="CookPics" sizes="1x1,2x2,3x3"/>
            <spritetype name="Cook" images="CookPics">
              <animation name="wave" frameList="0-2" duration="0.75"/>
              <animation name="walk" frameList="0,1" fps="4" numPlays="0"/>
              <animation name="nod" frameList="1" duration="0.25" linkedAnimation="walk"/>
            </spritetype>)");
        node = new AnimatedSpriteNode(Label("Cook"));
        scene.mode.Add(node);
    }
    // Updates the screen n times by dt; the number of the update in which the log first got
    // "next ...", or 0.
    int UpdateUntilNext(int n, float dt)
    {
        for (int i = 1; i <= n; ++i)
        {
            scene.mode.Update(dt);
            if (!log.empty())
                return i;
        }
        return 0;
    }

    SpriteScene scene;
    AnimatedSpriteNode* node = nullptr;
    Log log;
};

TEST_F(NodeAnimationTaskTest, WaitingEndsInTheUpdateTheAnimationEndsAndHandsOnNoNegativeTime)
{
    node->GetTasks().Add(new SerialTask(new NodeAnimationTask(Label("wave"), 1), new CountingTask(log, "next")));
    // Three frames of 0.25 s, played from the first update: the controller counts from the second,
    // and the last frame gives way once more than 0.75 s have passed.
    EXPECT_EQ(UpdateUntilNext(10, 0.125f), 8);
    EXPECT_EQ(log.front(), "next 0.000000");
}

TEST_F(NodeAnimationTaskTest, WaitingFollowsTheAnimationNotTheNode)
{
    const struct
    {
        const char* animation;
        int wait;
        int finishedIn; // 0: still running after 40 updates
    } cases[] = {
        {"walk", 1, 0},   // forever
        {"nowhere", 1, 1}, // the type has none: over at once
        {"nod", 1, 4},     // its link took over
        {"walk", 0, 2},    // not waiting: the rest of the first update is used up
    };
    for (const auto& c : cases)
    {
        log.clear();
        node->PlayAnimation(Label(), false);
        node->GetTasks().EndAll();
        node->GetTasks().Add(new SerialTask(new NodeAnimationTask(Label(c.animation), c.wait),
                                            new CountingTask(log, "next")));
        EXPECT_EQ(UpdateUntilNext(40, 0.125f), c.finishedIn) << c.animation << " " << c.wait;
    }
    EXPECT_TRUE(node->IsPlaying(Label("walk")));
}

TEST_F(NodeAnimationTaskTest, AnAnimationAlreadyPlayingIsNotRestarted)
{
    node->PlayAnimation(Label("wave"), false);
    scene.mode.Update(0.3f);
    node->GetTasks().Add(new NodeAnimationTask(Label("wave"), 0));
    scene.mode.Update(0.0f);
    EXPECT_EQ(node->GetController()->GetPosition(), 1);
}
