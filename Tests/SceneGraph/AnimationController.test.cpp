#include "SceneGraph/AnimationController.h"

#include "SceneGraph/SpriteType.h"

#include <gtest/gtest.h>

#include <string>

using Corvane::Label;

namespace
{
SpriteAnimation Animation(const char* name, std::vector<SpriteFrame> frames, int plays, bool pingPong = false,
                          const char* linked = nullptr)
{
    SpriteAnimation animation(Label(name), plays, pingPong, linked ? Label(linked) : Label());
    animation.frames = std::move(frames);
    return animation;
}

// The image showing after each update, one character each, and "." once the controller stops.
std::string Shown(AnimationController& controller, const std::vector<float>& updates)
{
    std::string shown;
    for (float dt : updates)
    {
        controller.OnUpdate(dt);
        shown += std::to_string(controller.GetImageIndex());
        if (!controller.IsPlaying())
            shown += '.';
    }
    return shown;
}

std::vector<float> Repeat(float dt, int count)
{
    return std::vector<float>(static_cast<std::size_t>(count), dt);
}
} // namespace

TEST(AnimationController, AdvancesByTimePassesAndDirection)
{
    const struct
    {
        const char* what;
        SpriteAnimation animation;
        std::vector<float> updates;
        const char* shown;
    } cases[] = {
        {"a frame whose time equals its duration still shows",
         Animation("a", {{0, 0.5f}, {1, 0.5f}, {2, 0.5f}, {3, 0.5f}}, 1), Repeat(0.125f, 18), "0000111122223333" "3."
         "3."},
        {"one long update passes several frames", Animation("a", {{0, 0.5f}, {1, 0.5f}, {2, 0.5f}, {3, 0.5f}}, 1),
         {1.2f, 0.5f}, "23"},
        {"ping-pong turns without showing the turning frame twice; every pass is a play",
         Animation("a", {{0, 0.25f}, {1, 0.25f}, {2, 0.25f}}, 3, true), Repeat(0.25f, 9), "0121012" "2." "2."},
        {"an even number of ping-pong plays ends on the first frame",
         Animation("a", {{0, 0.25f}, {1, 0.25f}, {2, 0.25f}}, 2, true), Repeat(0.25f, 6), "012100."},
        {"a single frame ping-pongs in place", Animation("a", {{4, 0.25f}}, -1, true), Repeat(0.25f, 5), "44444"},
        {"looping restarts from the first frame", Animation("a", {{1, 0.5f}, {2, 0.5f}}, -1), Repeat(0.5f, 6),
         "121212"},
        {"frames keep their own durations", Animation("a", {{1, 0.25f}, {2, 0.75f}, {3, 0.25f}}, 1),
         Repeat(0.25f, 7), "12223" "3." "3."},
    };
    for (const auto& c : cases)
    {
        AnimationController controller;
        controller.Play(&c.animation);
        EXPECT_EQ(controller.GetImageIndex(), c.animation.frames[0].index) << c.what;
        EXPECT_EQ(Shown(controller, c.updates), c.shown) << c.what;
    }
}

TEST(AnimationController, ALinkedAnimationStartsInTheSameUpdateWithTheTimeLeftOver)
{
    SpriteType type;
    type.SetAnimation(Animation("wave", {{0, 0.5f}}, 1, false, "stand"));
    type.SetAnimation(Animation("stand", {{5, 0.5f}, {6, 0.5f}}, 1));
    type.SetAnimation(Animation("spin", {{7, 0.25f}}, -1, false, "stand"));

    AnimationController controller;
    controller.Play(type.FindAnimation(Label("wave")));
    controller.OnUpdate(0.75f);
    EXPECT_EQ(controller.GetAnimation(), type.FindAnimation(Label("stand")));
    EXPECT_EQ(controller.GetImageIndex(), 5);
    controller.OnUpdate(0.5f); // 0.25 s carried plus 0.5 s: past the first frame of "stand"
    EXPECT_EQ(controller.GetImageIndex(), 6);

    controller.Play(type.FindAnimation(Label("spin")));
    EXPECT_EQ(Shown(controller, Repeat(0.5f, 40)), std::string(40, '7')) << "forever never follows its link";
    EXPECT_EQ(controller.GetAnimation(), type.FindAnimation(Label("spin")));
}

TEST(AnimationController, StopsOnImageZeroOrAGivenImage)
{
    const SpriteAnimation walk = Animation("walk", {{3, 0.5f}, {4, 0.5f}}, -1);
    AnimationController controller;
    EXPECT_EQ(controller.GetImageIndex(), 0);
    controller.OnUpdate(5.0f);
    EXPECT_FALSE(controller.IsPlaying());

    controller.Play(&walk);
    controller.OnUpdate(0.75f);
    EXPECT_EQ(controller.GetImageIndex(), 4);
    controller.ShowImage(9);
    EXPECT_EQ(Shown(controller, {1.0f}), "9.");
    controller.Play(&walk);
    EXPECT_EQ(controller.GetImageIndex(), 3);
    controller.Play(nullptr);
    EXPECT_EQ(Shown(controller, {1.0f}), "0.");
}

TEST(AnimationController, ALoopRunningForHoursKeepsExactFrameTiming)
{
    // Frames of 16 updates. After 2^24 updates a running total of seconds could no longer take
    // another update's time exactly; the frame must still change every 16 updates.
    const float dt = 1.0f / 1024.0f;
    const SpriteAnimation blink = Animation("blink", {{0, 16 * dt}, {1, 16 * dt}}, -1);
    AnimationController controller;
    controller.Play(&blink);
    for (int i = 0; i < (1 << 24); ++i)
        controller.OnUpdate(dt);
    int changes = 0;
    for (int i = 0; i < 1600; ++i)
    {
        const int image = controller.GetImageIndex();
        controller.OnUpdate(dt);
        changes += controller.GetImageIndex() != image ? 1 : 0;
    }
    EXPECT_EQ(changes, 100);
}
