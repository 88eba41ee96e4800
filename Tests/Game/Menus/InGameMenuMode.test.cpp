// The pause menu over the game's own first level, driven through the window as a player
// drives it: the level stands while it is up, Resume goes back to it once the menu has slid away,
// leaving for the main menu or the challenge select abandons the level and its results, and the
// options open in place over it.
#include "Framework/Looper.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Kitchen/KitchenTest.h"
#include "Game/Menus/InGameMenuMode.h"
#include "Game/Menus/MainMenuMode.h"
#include "Game/Menus/MyOptionsMode.h"
#include "SceneGraph/ButtonNode.h"

#include <functional>

using namespace Corvane;

namespace
{
using Names = std::vector<std::string>;

Vector2<float> Location(const char* name)
{
    return ResourceManager::GetValue<Vector2<float>>(Label(name), {-1.0f, -1.0f});
}

class PauseMenu : public KitchenTest
{
protected:
    // The built data alone: its level order and levels.
    PauseMenu() : KitchenTest(Corvane::Testing::KitchenRig::Options{}) {}

    void SetUp() override
    {
        game = rig.StartLevel(0);
        ASSERT_NE(game, nullptr);
        ClosePopup();
    }

    // The pause button, then time for the menu to slide into place.
    void Pause()
    {
        rig.Click(KitchenPaths::kPauseButton);
        rig.Step(40);
        ASSERT_EQ(rig.Modes(), (Names{"GameMode", "InGameMenuMode"}));
    }
    bool Enabled(const std::string& button) const
    {
        const auto* node = dynamic_cast<const ButtonNode*>(rig.FindNode("PauseMode/" + button));
        return node && node->IsEnabled();
    }
};

TEST_F(PauseMenu, TheLevelStandsUnderItAndResumeGoesOnOnlyOnceTheMenuHasSlidAway)
{
    Pause();
    auto* menu = rig.TopAs<InGameMenuMode>();
    EXPECT_EQ(menu->GetLayoutRoot()->GetPosition(), Location("PopupMode_EndLoc")) << "slid into place";
    const float time = game->GetTimeLeft();
    const std::wstring clock = Clock();
    rig.Step(100);
    EXPECT_EQ(game->GetTimeLeft(), time);
    EXPECT_EQ(Clock(), clock);

    rig.Click("PauseMode/ResumeButton");
    EXPECT_TRUE(menu->IsClosing());
    const int steps = rig.StepUntil([&] { return rig.Modes() == Names{"GameMode"}; }, 100);
    const float moveTime = ResourceManager::GetValue<float>(Label("PopupMode_MoveTime"), 0.0f);
    EXPECT_GE(steps, static_cast<int>(moveTime * 50)) << "popped before the slide-out ended";
    // The pop comes first in its update, and the level then runs that update.
    EXPECT_NEAR(game->GetTimeLeft(), time - 0.02f, 1e-4f) << "the level stood while the menu slid out";
    rig.Step(10);
    EXPECT_LT(game->GetTimeLeft(), time) << "the clock runs again";

    // Escape opens it too, and Escape is Resume's key.
    rig.KeyCode(27);
    rig.Step(40);
    EXPECT_EQ(rig.Modes(), (Names{"GameMode", "InGameMenuMode"}));
    rig.KeyCode(27);
    EXPECT_GE(rig.StepUntil([&] { return rig.Modes() == Names{"GameMode"}; }, 100), 0);
}

struct LeaveCase
{
    const char* name;
    const char* button;
    bool challengeSelect; // a challenge select screen is registered
    Names after;
};

class LeavingTheLevel : public PauseMenu, public testing::WithParamInterface<LeaveCase>
{
};

TEST_P(LeavingTheLevel, AbandonsTheLevelAndItsResultsForOneScreenAlone)
{
    const LeaveCase& leave = GetParam();
    // The game's challenge select, watched; or none, as before it existed.
    int episode = 0;
    std::function<ApplicationMode*(int)>& make = GetLevelFlowHooks().makeLevelSelectMode;
    if (leave.challengeSelect)
        make = [&episode, real = make](int eliminated) {
            episode = eliminated;
            return real(eliminated);
        };
    else
        make = nullptr;
    LevelProgressManager* progress = LevelProgressManager::Instance();
    progress->RecordStepResult(Label("Test_Recipe"), StepResult{true, Label("Tomato"), 1, 50});
    progress->RecordCompletedDish(Label("Test_Recipe"));
    Pause();
    for (const MenuDestination& destination : PauseMenuDestinations())
        EXPECT_EQ(Enabled(destination.button), destination.IsAvailable()) << destination.button;
    EXPECT_TRUE(Enabled("HelpButton"));
    EXPECT_EQ(Enabled("ChallengeSelectButton"), leave.challengeSelect);

    rig.Click(std::string("PauseMode/") + leave.button);
    rig.Step(2);
    EXPECT_EQ(rig.Modes(), leave.after);
    if (leave.after.size() == 2)
    {
        EXPECT_FALSE(progress->HasNoLevelResults()) << "a disabled button leaves the results alone";
        return;
    }
    EXPECT_TRUE(progress->HasNoLevelResults());
    if (auto* menu = rig.TopAs<MainMenuMode>())
        EXPECT_FALSE(menu->HasEntrance());
    if (leave.challengeSelect)
        EXPECT_EQ(episode, -1) << "no episode was finished";
}

INSTANTIATE_TEST_SUITE_P(
    PauseMenu, LeavingTheLevel,
    testing::Values(LeaveCase{"MainMenu", "MainMenuButton", false, {"MainMenuMode"}},
                    LeaveCase{"ChallengeSelect", "ChallengeSelectButton", true, {"LevelSelectMode"}},
                    LeaveCase{"NoChallengeSelectYet", "ChallengeSelectButton", false, {"GameMode", "InGameMenuMode"}}),
    [](const testing::TestParamInfo<LeaveCase>& info) { return std::string(info.param.name); });

TEST_F(PauseMenu, HelpOpensOverItWithTheLevelStillBelow)
{
    Pause();
    rig.Click("PauseMode/HelpButton");
    rig.Step();
    EXPECT_EQ(rig.Modes(), (Names{"GameMode", "InGameMenuMode", "HelpMode"}));
}

TEST_F(PauseMenu, TheOptionsShowInPlaceOverItAndCloseAtOnceBackToIt)
{
    Pause();
    for (const char* close : {"OKButton", "CancelButton"})
    {
        rig.Click("PauseMode/OptionsButton");
        rig.Step();
        ASSERT_EQ(rig.Modes(), (Names{"GameMode", "InGameMenuMode", "MyOptionsMode"}));
        auto* options = rig.TopAs<MyOptionsMode>();
        EXPECT_FALSE(options->Slides());
        EXPECT_EQ(options->GetLayoutRoot()->GetPosition(), Location("PopupMode_EndLoc")) << close;
        rig.Step(20);
        EXPECT_EQ(options->GetLayoutRoot()->GetPosition(), Location("PopupMode_EndLoc")) << "it does not move";
        rig.Click(std::string("OptionsMode/") + close);
        rig.Step();
        EXPECT_EQ(rig.Modes(), (Names{"GameMode", "InGameMenuMode"})) << close;
        EXPECT_FALSE(rig.TopAs<InGameMenuMode>()->IsClosing());
    }
}
} // namespace
