// The kitchen test rig itself: the real start-up to the title with a fresh profile, one update per
// step on the loop's own ticks, a level started by index, input through the window at a node found
// by path, the mode stack listed, and the same sound log for the same seed.
#include "KitchenTest.h"

#include "Framework/Looper.h"
#include "Game/Menus/InGameMenuMode.h"

#include <filesystem>

using namespace Corvane::Testing;

namespace
{
using Names = std::vector<std::string>;

TEST(KitchenRig, StartsTheGameOnItsBuiltDataToTheTitleWithAFreshProfile)
{
    KitchenRig rig;
    EXPECT_EQ(rig.Modes(), Names{"TitleMode"});
    int profiles = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(rig.UserData().Path()))
        profiles += entry.path().extension() == ".act";
    EXPECT_EQ(profiles, 1) << "the first start makes the default profile, in the rig's own folder";

    // The built data's first level, started as the challenge select starts it.
    GameMode* game = rig.StartLevel(0);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(rig.Modes(), Names{"GameMode"});
    const auto* name = dynamic_cast<Corvane::IText*>(rig.FindNode(KitchenPaths::kPopupDishName));
    ASSERT_NE(name, nullptr) << "the first dish's popup is up";
    EXPECT_EQ(name->GetText(), L"Tomato Soup");
}

TEST(KitchenRig, EachStepRunsOneUpdateOf20MillisecondsWhateverTheLoopDraws)
{
    KitchenRig::Options options;
    options.drawEvery = 1;
    KitchenRig rig(options);
    const int before = rig.GetUpdateCount();
    const int audioBefore = rig.Audio().GetUpdateCount();
    // Long enough for the loop to draw several overdue frames in between.
    rig.Step(137);
    EXPECT_EQ(rig.GetUpdateCount() - before, 137);
    EXPECT_EQ(rig.Audio().GetUpdateCount() - audioBefore, 137) << "the loop updates the audio platform first";
    EXPECT_EQ(rig.StepUntil([&] { return rig.GetUpdateCount() >= before + 140; }), 3);
    EXPECT_EQ(rig.StepUntil([] { return false; }, 5), -1);
}

TEST(KitchenRig, AClickOnAButtonFoundByPathSendsItsMessageThroughTheWindow)
{
    KitchenRig rig{{1, CORVANE_TEST_DATA "/Kitchen"}};
    GameMode* game = rig.StartLevel(KitchenLevels::kClock90);
    ASSERT_NE(game, nullptr);
    rig.Step(60);
    rig.Click(KitchenPaths::kPopupBG);
    EXPECT_FALSE(game->IsPaused());
    rig.Click(KitchenPaths::kPauseButton);
    rig.Step();
    EXPECT_EQ(rig.Modes(), (Names{"GameMode", "InGameMenuMode"}));
    ASSERT_NE(rig.TopAs<InGameMenuMode>(), nullptr);
    rig.PopTop();
    EXPECT_EQ(rig.Modes(), Names{"GameMode"});
}

// A short session: a level started, its popup closed, a minute played, the pause menu opened
// and closed. The start-up loads on its worker thread, so how many updates it takes to reach the
// title varies from run to run: the log is taken from the level's start, counted from there.
std::vector<SoundEvent> PlaySession(unsigned seed)
{
    KitchenRig rig{{seed, CORVANE_TEST_DATA "/Kitchen"}};
    const std::size_t before = rig.Audio().GetEvents().size();
    const int start = rig.GetUpdateCount();
    EXPECT_NE(rig.StartLevel(KitchenLevels::kClock90), nullptr);
    rig.Step(60);
    rig.Click(KitchenPaths::kPopupBG);
    rig.Step(1500);
    rig.KeyCode(27);
    rig.Step(5);
    rig.PopTop();
    rig.StartLevel(KitchenLevels::kNoEpisode);
    rig.Step(10);
    std::vector<SoundEvent> events(rig.Audio().GetEvents().begin() + static_cast<std::ptrdiff_t>(before),
                                   rig.Audio().GetEvents().end());
    for (SoundEvent& event : events)
        event.update -= start;
    return events;
}

TEST(KitchenRig, OneSeedGivesOneSoundLog)
{
    const std::vector<SoundEvent> first = PlaySession(7);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(PlaySession(7), first);
}
} // namespace
