// The game's own title layout, read from the data folder the build makes, shown on a scene-graph
// screen and clicked: its pictures, its text and its start button as the game's data writes them.
#include "FileSystem.h"
#include "Framework/ValueResources.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "Support/ControlScene.h"
#include "Win32/Win32FileSystemPartition.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Corvane;
using namespace Corvane::Testing;

TEST(GameTitleScreen, TheStartButtonOfTheGamesTitleLayoutClicksByMouseAndByEnter)
{
    const std::filesystem::path data(CORVANE_DATA_OUTPUT);
    if (!std::filesystem::exists(data / "Manifests" / "TitleMainMenuMode.xml"))
        GTEST_SKIP() << "the data folder is not built: " << data;
    ControlScene scene;
    // The program reads its data from the folder it is in: partition 1, beside the test's own folder.
    FileSystem::GetInstance()->AddPartition(1, new Win32FileSystemPartition(L"", data.wstring()));
    for (const wchar_t* manifest : {L"resources", L"TitleMainMenuMode"})
        scene.Manager().LoadAndWait(manifest, true, nullptr);
    SceneNode* title = scene.Instantiate("TitleModeLayout");
    ASSERT_NE(title, nullptr);
    auto* button = scene.FindAs<ButtonNode>({0, "StartButtonRoot", "StartButton"});
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetText(), L"Start cooking");
    ASSERT_NE(button->GetImages(), nullptr);
    EXPECT_EQ(button->GetWidth(), float(button->GetImages()->GetWidth(0)));
    EXPECT_NE(button->GetFont(), nullptr);
    EXPECT_EQ(button->GetKeyCode(), 13);
    auto* knife = scene.FindAs<StaticSpriteNode>({0, "TitleMainMenu_LogoKnife"});
    ASSERT_NE(knife, nullptr);
    EXPECT_GT(knife->GetWidth(), 0.0f) << "the picture's size";

    // Raised into view as the intro would, then pressed in its middle and by Enter.
    scene.Find({0, "StartButtonRoot"})->SetPosition(290, 372);
    scene.Update();
    const Vector2<float> middle = button->GetWorldCenter();
    scene.Click(int(middle.x), int(middle.y));
    scene.TypeKey(13);
    EXPECT_EQ(scene.TakeMessages(), (std::vector<std::string>{"ButtonClick StartButton", "ButtonClick StartButton"}));
}
