// A screen as the game builds one: sprite types and an animation list loaded through the
// start-up's resource factories, a layout with an animated sprite instantiated under the screen's
// root, a chain of node tasks walking, waving, fading and hiding it, and the screen drawing it.
#include "Framework/SerialTask.h"
#include "Graphics/ImageList.h"
#include "Graphics/RecordingCanvas.h"
#include "Graphics/RenderContext.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "SceneGraph/SceneGraphRegistration.h"
#include "Support/SpriteScene.h"

#include <gtest/gtest.h>

#include <map>

using namespace Corvane;
using namespace Corvane::Testing;

TEST(AnimatedSpriteScreen, ALayoutsSpriteWalksWavesFadesAndHidesOnExactUpdates)
{
    SpriteScene scene;
    RegisterSceneNodeTypes();
    scene.Load("kitchen", R"(
        <testimagelist name="KitchenPics" sizes="8x8,16x16,24x24,32x32"/>
        <spriteanimationlist name="CookMoves">
          <animation name="walk" frameList="1-2" fps="8" numPlays="0"/>
          <animation name="wave" frameList="3,2,3" duration="0.375" linkedAnimation="stand"/>
          <animation name="stand" frameList="0"/>
        </spriteanimationlist>
        <spritetype name="Cook" images="KitchenPics" animationList="CookMoves"/>
        <scenelayout name="Kitchen">
          <scenenode width="800" height="600">
            <animatedspritenode name="Cook" spriteType="Cook" initialAnimation="walk" x="100" y="200"
                                alphaSensitivity="12" noBlur="true"/>
            <animatedspritenode name="Nobody"/>
          </scenenode>
        </scenelayout>)");

    SceneApplicationMode screen;
    Internal::CurrentApplicationModeScope current(&screen);
    screen.OnEnter();
    ASSERT_NE(screen.InstantiateLayout(Label("Kitchen")), nullptr);
    auto* cook = dynamic_cast<AnimatedSpriteNode*>(screen.FindByName(Label("Cook")));
    ASSERT_NE(cook, nullptr);
    EXPECT_TRUE(cook->IsPlaying(Label("walk")));
    EXPECT_EQ(cook->GetAlphaSensitivity(), 12);
    EXPECT_TRUE(cook->GetNoBlur());
    auto* nobody = dynamic_cast<AnimatedSpriteNode*>(screen.FindByName(Label("Nobody")));
    ASSERT_NE(nobody, nullptr);
    EXPECT_EQ(nobody->GetSpriteType(), nullptr);
    EXPECT_EQ(nobody->GetAlphaSensitivity(), 0);
    EXPECT_FALSE(nobody->GetNoBlur());
    cook->GetTasks().Add(new SerialTask(new NodeLocationTask({300.0f, 200.0f}, 1.0f),
                                        new NodeAnimationTask(Label("wave"), 1), new NodeAlphaTask(0.0f, 0.5f),
                                        new NodeVisibleTask(false)));

    // The first update in which each thing was seen, at 64 updates a second.
    std::map<std::string, int> firstSeen;
    const auto see = [&firstSeen](const std::string& what, int update) { firstSeen.emplace(what, update); };
    const auto* pictures = ResourceManager::Get<ImageList>("KitchenPics").Get();
    RecordingCanvas canvas({"IQuadDrawingCanvas"}, {0, 0, 800, 600});
    Graphics::ScopedDrawState onCanvas({&canvas, Graphics::GetRenderContext().state});
    for (int update = 1; update <= 140; ++update)
    {
        screen.Update(1.0f / 64.0f);
        canvas.calls.clear();
        screen.Draw();
        if (cook->GetPosition() == (Vector2<float>{300.0f, 200.0f}))
            see("arrived", update);
        if (!cook->IsPlaying(Label("walk")))
            see("walk ended", update);
        if (cook->IsPlaying(Label("wave")))
            see("wave", update);
        else if (firstSeen.count("wave"))
            see("wave ended", update);
        if (cook->IsPlaying(Label("stand")))
            see("stand", update);
        if (cook->GetColor().alpha == 0.0f)
            see("faded", update);
        if (!cook->IsVisible())
            see("hidden", update);
        if (canvas.calls.empty())
            see("nothing drawn", update);
        else if (canvas.calls.back().image == pictures->GetImage(3))
        {
            see("wave drawn", update);
            EXPECT_EQ(canvas.calls.back().numbers, (std::vector<float>{300.0f, 200.0f}));
            EXPECT_EQ(cook->GetWidth(), 32.0f);
        }
    }
    const std::map<std::string, int> expected{
        {"arrived", 64},    // 1 s of updates
        {"walk ended", 64}, // the wave replaces the walk in the same update
        {"wave", 64},       {"wave drawn", 64},
        {"wave ended", 89}, // three frames of 0.125 s, counted from the next update, each shown
        {"stand", 89},      // until more than its time has passed; the link follows at once
        {"faded", 121},     // 0.5 s, from the update after the wave
        {"hidden", 121},    // in the same update: hiding takes no time
        {"nothing drawn", 121},
    };
    EXPECT_EQ(firstSeen, expected);
}
