// The score manager in a running level: the chain's points by its length, the chain's timer, the
// shown score, and one manager per level found by its name.
#include "KitchenTest.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Kitchen/ScoreManager.h"

#include <algorithm>

using namespace KitchenLevels;
namespace Paths = KitchenPaths;

namespace
{
std::vector<int> ComboList()
{
    return Corvane::ResourceManager::GetValue<std::vector<int>>(Corvane::Label("ComboScoreList"), {});
}

int Updates(float seconds)
{
    return static_cast<int>(seconds * 50.0f);
}

class ScoreManagerTest : public KitchenTest
{
protected:
    void SetUp() override
    {
        game = rig.StartLevel(kOneDish);
        ASSERT_NE(game, nullptr);
        score = GetScoreManager();
        ASSERT_NE(score, nullptr);
        ASSERT_GE(ComboList().size(), 2u);
    }
    // The points one more finished step earns.
    int NextStep()
    {
        const int before = score->GetScore();
        score->OnStepCompleted();
        return score->GetScore() - before;
    }
    float ComboTime() const { return Corvane::ResourceManager::GetValue<float>(Corvane::Label("ComboTime"), 0.0f); }

    ScoreManager* score = nullptr;
};

TEST_F(ScoreManagerTest, AChainLongerThanTheListKeepsEarningItsLastEntry)
{
    const std::vector<int> list = ComboList();
    std::vector<int> earned;
    std::vector<int> expected;
    for (std::size_t i = 0; i < list.size() + 2; ++i)
    {
        earned.push_back(NextStep());
        expected.push_back(list[std::min(i, list.size() - 1)]);
        EXPECT_EQ(score->GetComboPoints(), expected.back());
    }
    EXPECT_EQ(earned, expected);
    EXPECT_EQ(score->GetComboCount(), static_cast<int>(list.size() + 2));
}

TEST_F(ScoreManagerTest, TheChainEndsWhenItsTimerRunsOutAndGoesOnWhileItRuns)
{
    const std::vector<int> list = ComboList();
    NextStep();
    rig.Step(Updates(ComboTime()) - 5);
    EXPECT_GT(score->GetComboTimer(), 0.0f);
    EXPECT_EQ(NextStep(), list[1]) << "within the time the chain goes on";
    rig.Step(Updates(ComboTime()) + 2);
    EXPECT_EQ(score->GetComboCount(), 0);
    EXPECT_EQ(score->GetComboTimer(), 0.0f);
    EXPECT_EQ(NextStep(), list[0]) << "after it the chain starts again";
}

TEST_F(ScoreManagerTest, TheLevelScreenShowsTheScoreAndFindsOneManager)
{
    score->AddScore(1234);
    rig.Step();
    EXPECT_EQ(Text(Paths::kScore), L"1,234") << "written as the engine writes numbers";
    score->AddScore(-1300);
    rig.Step();
    EXPECT_EQ(Text(Paths::kScore), L"-66") << "the score is not limited";
    EXPECT_EQ(GetScoreManager(), score);
    EXPECT_EQ(game->FindByName(Corvane::Label("SCORE_MANAGER")), score);
}
} // namespace
