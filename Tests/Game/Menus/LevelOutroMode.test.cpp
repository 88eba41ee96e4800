// The level outro over a level screen of the kitchen test levels: the time bonus and total in the
// host's bubble, the bubble once she has arrived and her voice line 1.5 s later, and the way to the
// judges with the total, also while she is still moving in.
#include "Game/Kitchen/KitchenTest.h"

#include "Format.h"
#include "Framework/Looper.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Menus/JudgesStandIn.h"
#include "Game/Menus/LevelOutroMode.h"

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
float Value(const char* name)
{
    return ResourceManager::GetValue<float>(Label(name), -1.0f);
}

class LevelOutro : public KitchenTest
{
protected:
    const JudgesTableHook judgesTable;

    // The outro pushed over a level screen as the level screen pushes it, entered.
    LevelOutroMode* Open(int timeLeft, int score)
    {
        game = rig.StartLevel(KitchenLevels::kOneDish);
        if (!game)
            return nullptr;
        PushApplicationMode(new LevelOutroMode(timeLeft, score));
        rig.Step();
        return rig.TopAs<LevelOutroMode>();
    }
    SceneNode* Bubble() const { return rig.FindNode("LevelOutro/bubbleBG"); }
    int Multiplier() const { return ResourceManager::GetValue<int>(Label("TimeRemainingScoreMultiplier"), -1); }
};

struct BonusCase
{
    int timeLeft;
    int score;
};

class OutroBonus : public LevelOutro, public testing::WithParamInterface<BonusCase>
{
};
} // namespace

TEST_P(OutroBonus, TheBubbleShowsTheTimeBonusAndTheTotalAndTheJudgesGetTheTotal)
{
    const BonusCase& c = GetParam();
    const LevelOutroMode* outro = Open(c.timeLeft, c.score);
    ASSERT_NE(outro, nullptr);
    const int bonus = c.timeLeft * Multiplier();
    EXPECT_EQ(outro->GetTotal(), c.score + bonus);
    EXPECT_EQ(Text("LevelOutro/bubbleBG/timeBonus"), (Format(L"+%1%") % bonus).str());
    EXPECT_EQ(Text("LevelOutro/bubbleBG/total_score"), (Format(L"%1%") % (c.score + bonus)).str());

    rig.Click("LevelOutro/JudgesTableButton");
    rig.Step();
    EXPECT_EQ(rig.Modes().size(), 1u) << "the stack is replaced";
    const auto* judges = rig.TopAs<JudgesStandIn>();
    ASSERT_NE(judges, nullptr);
    EXPECT_EQ(judges->total, c.score + bonus) << "score plus bonus, not the score alone";
}

INSTANTIATE_TEST_SUITE_P(LevelOutro, OutroBonus,
                         testing::Values(BonusCase{0, 1234}, BonusCase{37, 500}, BonusCase{1, 0}));

TEST_F(LevelOutro, TheBubbleShowsWhenTheHostHasArrivedAndHerLineFollowsOneAndAHalfSecondsLater)
{
    ASSERT_NE(Open(10, 100), nullptr);
    EXPECT_EQ(rig.Audio().Log("SFX_LevelOutro"),
              std::vector<std::string>{std::to_string(rig.Audio().GetUpdateCount() - 1) + " start SFX_LevelOutro"})
        << "once, on entering";
    ASSERT_NE(Bubble(), nullptr);
    EXPECT_FALSE(Bubble()->IsVisible());

    const int moveUpdates = static_cast<int>(std::lround(Value("LevelOutro_Veyla_EnterExitTime") * 50.0f));
    ASSERT_GT(moveUpdates, 1);
    const int shownAfter = rig.StepUntil([&] { return Bubble()->IsVisible(); }, 500);
    EXPECT_NEAR(shownAfter, moveUpdates, 2) << "the bubble waits for the host";
    const auto onScreen = ResourceManager::GetValue<Vector2<float>>(Label("LevelOutro_Veyla_OnScreen"), {-1, -1});
    EXPECT_EQ(rig.FindNode("LevelOutro")->GetPosition(), onScreen);
    const int shownAt = rig.Audio().GetUpdateCount();

    EXPECT_TRUE(rig.Audio().Log("VO_Veyla_TimeUp").empty());
    rig.Step(100);
    EXPECT_EQ(rig.Audio().Log("VO_Veyla_TimeUp"),
              std::vector<std::string>{std::to_string(shownAt + 75) + " start VO_Veyla_TimeUp"})
        << "1.5 s after the bubble";
}

TEST_F(LevelOutro, AClickWhileTheHostMovesGoesToTheJudgesAtOnceAndHerLineNeverPlays)
{
    ASSERT_NE(Open(5, 300), nullptr);
    rig.Step();
    ASSERT_FALSE(rig.FindNode("LevelOutro")->GetTasks().IsEmpty()) << "she is still moving";
    rig.Click("LevelOutro/JudgesTableButton");
    rig.Click("LevelOutro/JudgesTableButton");
    rig.Step(200);
    const auto* judges = rig.TopAs<JudgesStandIn>();
    ASSERT_NE(judges, nullptr);
    EXPECT_EQ(rig.Modes().size(), 1u) << "one judges' table, nothing below";
    EXPECT_EQ(judges->total, 300 + 5 * Multiplier());
    EXPECT_TRUE(rig.Audio().Log("VO_Veyla_TimeUp").empty());
}
