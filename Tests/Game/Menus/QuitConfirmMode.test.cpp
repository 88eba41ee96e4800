// The quit question from the main menu, on the whole game: No goes back to the menu once the popup
// has slid away, Yes asks the main loop to end, and a quit handler that refuses keeps the question
// open. The options open from the same menu and slide in and out.
#include "Framework/IQuitHandler.h"
#include "Framework/Looper.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Menus/MainMenuMode.h"
#include "Game/Menus/MyOptionsMode.h"
#include "Game/Menus/QuitConfirmMode.h"
#include "SceneGraph/ButtonNode.h"
#include "Support/KitchenRig.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Names = std::vector<std::string>;

class Refuser : public IQuitHandler
{
public:
    bool CanQuit() override
    {
        ++asked;
        return false;
    }
    int asked = 0;
};

class FromTheMainMenu : public testing::Test
{
protected:
    void SetUp() override
    {
        Looper::GetInstance().QueueRequest(new MainMenuMode(false), kModePopTo);
        rig.Step();
        ASSERT_EQ(rig.Modes(), Names{"MainMenuMode"});
    }
    // The menu's button, then time for the popup to slide in; the popup's type name.
    std::string Open(const char* button)
    {
        rig.Click(std::string("MainMenuMode/Buttons/") + button);
        rig.Step(40);
        const Names modes = rig.Modes();
        return modes.size() == 2 && modes[0] == "MainMenuMode" ? modes[1] : "(no popup)";
    }
    // Steps until the main menu is alone again: how many it took, or -1.
    int StepsToTheMenu()
    {
        return rig.StepUntil([&] { return rig.Modes() == Names{"MainMenuMode"}; }, 100);
    }
    static int SlideSteps() { return static_cast<int>(ResourceManager::GetValue<float>(Label("PopupMode_MoveTime"), 0.0f) * 50); }

    KitchenRig rig;
};

TEST_F(FromTheMainMenu, NoGoesBackOnceTheQuestionHasSlidAwayAndARefusedYesKeepsItOpen)
{
    ASSERT_EQ(Open("QuitButton"), "QuitConfirmMode");
    const Vector2<float> end = ResourceManager::GetValue<Vector2<float>>(Label("PopupMode_EndLoc"), {});
    EXPECT_EQ(rig.TopAs<QuitConfirmMode>()->GetLayoutRoot()->GetPosition(), end);
    // The button that opened the question is not left lit behind it, under the pointer or not.
    auto* menu = dynamic_cast<MainMenuMode*>(Looper::GetInstance().GetModeStack().front());
    const auto* quit = dynamic_cast<ButtonNode*>(rig.FindNode("MainMenuMode/Buttons/QuitButton", menu->GetRootNode()));
    ASSERT_NE(quit, nullptr);
    EXPECT_NE(quit->GetState(), kControlHot);
    rig.MoveTo(20, 20);
    rig.Step();
    EXPECT_NE(quit->GetState(), kControlHot);

    Refuser refuser;
    Looper::GetInstance().AddQuitHandler(&refuser);
    rig.Click("QuitConfirmMode/YesButton");
    rig.Step();
    Looper::GetInstance().RemoveQuitHandler(&refuser);
    EXPECT_EQ(refuser.asked, 1);
    EXPECT_FALSE(Looper::GetInstance().IsQuitting());
    ASSERT_EQ(rig.Modes(), (Names{"MainMenuMode", "QuitConfirmMode"})) << "the question stays";
    EXPECT_FALSE(rig.TopAs<QuitConfirmMode>()->IsClosing());

    rig.Click("QuitConfirmMode/NoButton");
    EXPECT_TRUE(rig.TopAs<QuitConfirmMode>()->IsClosing());
    EXPECT_GE(StepsToTheMenu(), SlideSteps()) << "popped before the slide-out ended";
    EXPECT_FALSE(Looper::GetInstance().IsQuitting());

    ASSERT_EQ(Open("QuitButton"), "QuitConfirmMode");
    rig.Click("QuitConfirmMode/YesButton");
    EXPECT_TRUE(Looper::GetInstance().IsQuitting());
}

TEST_F(FromTheMainMenu, TheOptionsSlideInAndOutOverIt)
{
    for (const char* close : {"OKButton", "CancelButton"})
    {
        ASSERT_EQ(Open("OptionsButton"), "MyOptionsMode") << close;
        auto* options = rig.TopAs<MyOptionsMode>();
        EXPECT_TRUE(options->Slides());
        rig.Click(std::string("OptionsMode/") + close);
        EXPECT_GE(StepsToTheMenu(), SlideSteps()) << close;
    }
}
} // namespace
