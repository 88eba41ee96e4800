// The campaign's data as the game loads it, and no level of it won by doing nothing. That every
// level is won by playing it, in order, with the bot's scores table, is the whole campaign's test
// (WholeCampaign.test.cpp).
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelProgressManager.h"
#include "Support/KitchenRig.h"
#include "Support/PlayBot.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr int kEpisodes = 15;
constexpr int kChallenges = 3;

std::vector<Label> ChallengesOf(const EpisodeDescriptor& episode)
{
    return {episode.dashcourse1.levelID, episode.dashcourse2.levelID, episode.elimination.levelID};
}

TEST(CampaignData, FifteenEpisodesOfThreeChallengesInPlayOrderWithTheWinScoresRising)
{
    KitchenRig rig({1, ""});
    LevelProgressManager* progress = LevelProgressManager::Instance();
    ASSERT_EQ(progress->GetEpisodeCount(), kEpisodes);
    std::vector<Label> order;
    std::vector<int> previous(kChallenges, 0);
    for (int episodeNum = 1; episodeNum <= kEpisodes; ++episodeNum)
    {
        const EpisodeDescriptor* episode = progress->FindEpisode(episodeNum);
        ASSERT_NE(episode, nullptr) << "episode " << episodeNum;
        const std::vector<Label> challenges = ChallengesOf(*episode);
        int highest = 0;
        for (int c = 0; c < kChallenges; ++c)
        {
            SCOPED_TRACE(challenges[c].c_str());
            order.push_back(challenges[c]);
            const KitchenLevelData* data = progress->GetLevelData(challenges[c]);
            ASSERT_NE(data, nullptr);
            EXPECT_GT(data->winScore, 0) << "doing nothing scores nothing, and wins nothing";
            EXPECT_GT(data->expertScore, data->winScore);
            EXPECT_GE(data->winScore, previous[c]) << "below the same challenge of the episode before";
            previous[c] = data->winScore;
            highest = std::max(highest, data->winScore);
        }
        EXPECT_EQ(progress->GetLevelData(challenges.back())->winScore, highest)
            << "episode " << episodeNum << ": the elimination is its hardest challenge";
    }
    EXPECT_EQ(progress->GetLevelOrder(), order);
}

// Doing nothing leaves every step unserved and the score at nothing whatever the clock: one
// challenge of each episode, in turn the first, second and elimination, is left alone to its end
// (the data test above holds every WinScore above nothing). One case per episode, each on a fresh
// start.
class CampaignLevel : public testing::TestWithParam<int>
{
protected:
    int Episode() const { return GetParam(); }
    int Challenge() const { return (kChallenges - Episode() % kChallenges) % kChallenges; }
    int Index() const { return (Episode() - 1) * kChallenges + Challenge(); }

    KitchenRig rig{KitchenRig::Options{static_cast<unsigned>(Index() + 1), ""}};
    PlayBot bot{rig};
};

TEST_P(CampaignLevel, IsLostByDoingNothing)
{
    LevelProgressManager* progress = LevelProgressManager::Instance();
    const EpisodeDescriptor* episode = progress->FindEpisode(Episode());
    ASSERT_NE(episode, nullptr);
    const Label levelID = ChallengesOf(*episode)[Challenge()];
    ASSERT_EQ(progress->GetLevelIndex(levelID), Index());
    const PlayBot::Outcome idle = bot.PlayLevel(Index(), false);
    EXPECT_TRUE(idle.ended);
    EXPECT_EQ(idle.level, levelID.c_str());
    EXPECT_FALSE(idle.cleared) << "won by doing nothing, with " << idle.total;
    EXPECT_EQ(idle.total, 0);
    EXPECT_EQ(idle.timeLeft, 0) << "the clock ended it";
    EXPECT_EQ(idle.verdict, 0) << "the judges call it lost";
    EXPECT_EQ(progress->GetLevelRecord(levelID).completed, 0);
}

INSTANTIATE_TEST_SUITE_P(Campaign, CampaignLevel, testing::Range(1, kEpisodes + 1),
                         [](const testing::TestParamInfo<int>& info) {
                             const int challenge = (kChallenges - info.param % kChallenges) % kChallenges;
                             return "Level_" + std::to_string(info.param) + "_" + std::to_string(challenge + 1);
                         });
} // namespace
