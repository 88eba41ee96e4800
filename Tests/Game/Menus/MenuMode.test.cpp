// The menu screens' base: the popup slide and what a popup does with its controls' messages while
// it comes, rests and goes.
#include "Game/Menus/MenuMode.h"

#include "Framework/ValueResources.h"
#include "SceneGraph/ButtonNode.h"
#include "Support/SceneHarness.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// A popup whose "CloseButton" slides it out and whose "OtherButton" is counted.
class TestPopup : public MenuMode
{
public:
    explicit TestPopup(std::vector<std::string>& log) : mLog(log) {}
    void OnEnter() override
    {
        EnterLayout(Label("PopupLayout"));
        SlideIn();
    }
    bool IsOpaque() override { return false; }

protected:
    void OnControl(Label message, Label sender) override
    {
        mLog.push_back(std::string(message.c_str()) + " " + sender.c_str());
        if (sender == Label("CloseButton"))
            SlideOut();
    }

private:
    std::vector<std::string>& mLog;
};

// The slide's places and times, and a popup 100 x 40 with two 40 x 20 buttons, starting off screen.
class MenuModeTest : public testing::Test
{
protected:
    MenuModeTest()
    {
        RegisterValueResourceFactories();
        scene.AddSolidImage("Pic", 40, 20, 0xFF808080);
        scene.Load(R"(<imagelist name="Buttons" pattern="Pictures/Pic" first="0" last="0"/>
            <vector2f name="PopupMode_OvershootLoc" x="100" y="120"/>
            <vector2f name="PopupMode_EndLoc" x="100" y="100"/>
            <vector2f name="PopupMode_OffscreenLoc" x="100" y="-200"/>
            <float name="PopupMode_MoveTime" value="0.2"/>
            <float name="PopupMode_ReboundTime" value="0.1"/>
            <scenelayout name="PopupLayout">
              <scenenode name="Popup" nodeName="Popup" x="100" y="-200" width="100" height="40">
                <buttonnode name="CloseButton" nodeName="CloseButton" images="Buttons" alphaSensitivity="0"/>
                <buttonnode name="OtherButton" nodeName="OtherButton" images="Buttons" alphaSensitivity="0" x="50"/>
              </scenenode>
            </scenelayout>)");
        popup = new TestPopup(log);
        PushApplicationMode(popup);
        scene.Update();
    }
    Vector2<float> Where() const { return popup->GetLayoutRoot()->GetPosition(); }
    // Where the popup is, to the hundredth of a pixel (the moves add up 20 ms steps).
    void ExpectAt(float x, float y) const
    {
        EXPECT_NEAR(Where().x, x, 0.01f);
        EXPECT_NEAR(Where().y, y, 0.01f);
    }
    void Press(const char* button)
    {
        const Vector2<float> middle = dynamic_cast<SceneNode*>(popup->FindByName(Label(button)))->GetWorldCenter();
        scene.Click(int(middle.x), int(middle.y));
    }

    SceneHarness scene; // no audio platform: the buttons' sounds and the slide do without
    std::vector<std::string> log;
    TestPopup* popup = nullptr;
};
} // namespace

TEST_F(MenuModeTest, APopupFliesPastItsPlaceSettlesAndLeavesTheWayItCameThenIsPopped)
{
    ASSERT_EQ(scene.looper.GetTopMode(), popup);
    scene.Update(9); // 10 updates of 0.02 s: the overshoot is reached
    ExpectAt(100, 120);
    scene.Update(6);
    ExpectAt(100, 100);
    EXPECT_FALSE(popup->IsOpaque());

    Press("OtherButton");
    Press("CloseButton");
    EXPECT_TRUE(popup->IsClosing());
    Press("CloseButton");
    Press("OtherButton");
    EXPECT_EQ(log, (std::vector<std::string>{"ButtonClick OtherButton", "ButtonClick CloseButton"}))
        << "nothing more is acted on once the popup is closing";

    scene.Update(11);
    ExpectAt(100, -200);
    scene.Update(2);
    EXPECT_NE(scene.looper.GetTopMode(), popup);
    EXPECT_EQ(scene.looper.GetModeStack().size(), 1u) << "one pop: the screen below stays";
}

TEST_F(MenuModeTest, CloseDuringTheSlideInWaitsForTheSlideToEnd)
{
    scene.Update(2);
    popup->GetLayoutRoot()->SetPosition(100, 0); // within reach of the pointer
    Press("CloseButton");
    float lowest = Where().y;
    int ticks = 0;
    for (; scene.looper.GetTopMode() == popup && ticks < 100; ++ticks)
    {
        scene.Update();
        if (scene.looper.GetTopMode() == popup)
            lowest = std::max(lowest, Where().y);
    }
    EXPECT_NEAR(lowest, 120.0f, 0.01f) << "the overshoot came first";
    // 0.06 s were gone: the rest of the slide in (0.24 s) and the slide out (0.2 s) ran their time.
    EXPECT_GE(ticks, 22);
    EXPECT_EQ(scene.looper.GetModeStack().size(), 1u);
}
