// A menu screen as the game writes one: a layout of a panel, a picture, a status text and two
// buttons, instantiated by the screen, its buttons told apart by node name in its message handler
// or heard through Clicked, driven by input through the main loop and drawn by the software canvas.
#include "Framework/Looper.h"
#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "SceneGraph/BackgroundNode.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "SceneGraph/TextSpriteNode.h"
#include "Support/ControlScene.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;

class MenuScreen : public SceneApplicationMode
{
public:
    explicit MenuScreen(Log& log) : mLog(log) {}

    void OnEnter() override
    {
        SceneApplicationMode::OnEnter();
        SceneNode* menu = InstantiateLayout(Label("Menu"));
        if (auto* quit = menu ? menu->FindByPathAs<ButtonNode>({"Quit"}) : nullptr)
            quit->Clicked.connect([this](ButtonNode*) { mLog.push_back("Quit heard"); });
    }
    void OnMessage(const ObjectMessage& message) override
    {
        if (message.GetName() != Label("ButtonClick"))
            return;
        auto* button = NodeCast<ButtonNode>(NodeFromID(message.GetSender()));
        if (!button)
            return;
        mLog.push_back(std::string("ButtonClick ") + button->GetNodeName().c_str());
        if (button->GetNodeName() == Label("Play"))
        {
            SceneNode* menu = GetRootNode()->GetChildren().front();
            menu->FindByPathAs<TextSpriteNode>({"Status"})->SetText(L"Playing now");
            menu->FindByPathAs<BackgroundNode>({"Panel"})->SetHeight(31);
            button->SetEnabled(false);
        }
    }

private:
    Log& mLog;
};
} // namespace

TEST(ControlScreen, AMenuOfTheseNodesAnswersClicksAndKeysThroughTheLoop)
{
    ControlScene scene;
    scene.AddSolidImage("Logo", 40, 20, 0xFFC02020u);
    scene.Load(R"(
        <testfont name="Font"/>
        <string name="Ready" value="Ready"/><string name="PlayText" value="Play"/>
        <testimagelist name="Frame" sizes="40x10,40x10,40x10,40x8,40x8,40x8,40x12,40x12,40x12"/>
        <testimagelist name="PlayArt" sizes="60x20,60x20,60x20,60x20"/>
        <testsound name="Ping"/><testsound name="Thud"/><testsound name="Tada"/>
        <soundlist name="Clicky">
          <sound event="Hot" src="Ping"/><sound event="Down" src="Thud"/><sound event="Release" src="Tada"/>
        </soundlist>
        <scenelayout name="Menu">
          <scenenode width="320" height="240">
            <backgroundnode nodeName="Panel" images="Frame" x="20" y="20" width="200" height="100"/>
            <staticspritenode nodeName="Logo" src="Logo" x="30" y="30" hitTest="true"/>
            <textspritenode nodeName="Status" font="Font" textResource="Ready" x="30" y="60"/>
            <buttonnode nodeName="Play" images="PlayArt" font="Font" textResource="PlayText" x="100" y="150"
                        alphaSensitivity="0" sounds="Clicky"/>
            <buttonnode nodeName="Quit" images="PlayArt" font="Font" text="Quit" x="200" y="150"
                        keyCode="VK_ESCAPE" alphaSensitivity="0"/>
          </scenenode>
        </scenelayout>)");
    PushApplicationMode(new MenuScreen(scene.messages));
    scene.Update();
    auto* status = scene.FindAs<TextSpriteNode>({0, "Status"});
    auto* panel = scene.FindAs<BackgroundNode>({0, "Panel"});
    auto* play = scene.FindAs<ButtonNode>({0, "Play"});
    ASSERT_TRUE(status && panel && play);
    EXPECT_EQ(status->GetText(), L"Ready");
    EXPECT_EQ(play->GetText(), L"Play");
    const float readyWidth = status->SceneNode::GetWidth();

    // Pictures and text take no clicks; the play button does, once: the screen disables it.
    scene.Click(35, 35);
    scene.Click(32, 62);
    scene.MoveMouse(120, 160);
    scene.Click(120, 160);
    scene.Click(120, 160);
    EXPECT_EQ(scene.messages, Log{"ButtonClick Play"});
    EXPECT_EQ(scene.TakeSounds({"Ping", "Thud", "Tada"}), (Log{"Ping", "Thud", "Tada"}));
    EXPECT_EQ(status->GetText(), L"Playing now");
    EXPECT_GT(status->SceneNode::GetWidth(), readyWidth) << "the text node fits its new text";
    EXPECT_EQ(panel->GetHeight(), 38.0f);
    EXPECT_EQ(scene.Screen().GetCapture(), nullptr);

    // The quit button by mouse and by its hot key: the message, then its Clicked handler.
    scene.Click(210, 160);
    scene.TypeKey(27);
    EXPECT_EQ(scene.TakeMessages(),
              (Log{"ButtonClick Play", "ButtonClick Quit", "Quit heard", "ButtonClick Quit", "Quit heard"}));

    // Drawn in layout order: the panel's frame, the logo, the texts over the buttons' pictures.
    Image frame(320, 240);
    ICanvas* canvas = CreateImageCanvas(frame);
    scene.Draw(canvas);
    DestroyImageCanvas(canvas);
    EXPECT_EQ(frame.GetPixel(45, 35), 0xFFC02020u) << "the logo";
    EXPECT_NE(frame.GetPixel(50, 25), 0u) << "the panel's corner";
    EXPECT_EQ(frame.GetPixel(10, 10), 0u) << "nothing outside the nodes";
    EXPECT_NE(frame.GetPixel(100 + 59, 151), 0u) << "the disabled play button's picture";
}
