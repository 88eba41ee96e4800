// The whole campaign on the game's own data, played by the play bot (Support/PlayBot.h) on the
// real loop from each level's intro to the judges' verdict: every challenge of every episode is
// won by playing it and none by doing nothing, and the difficulty rises from episode to episode.
// The bot's scores against each level's WinScore and ExpertScore are written to CampaignScores.txt
// in the build's test folder: the levels run as tests of their own, in parallel, so each writes
// its part and the table is gathered under a lock.
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelProgressManager.h"
#include "Support/KitchenRig.h"
#include "Support/PlayBot.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr int kEpisodes = 15;
constexpr int kChallenges = 3;

const std::filesystem::path kScoresFolder = CAMPAIGN_SCORES_DIR;

std::vector<Label> ChallengesOf(const EpisodeDescriptor& episode)
{
    return {episode.dashcourse1.levelID, episode.dashcourse2.levelID, episode.elimination.levelID};
}

std::string Row(const PlayBot::Outcome& outcome, const KitchenLevelData* data)
{
    const char* verdict = !outcome.cleared ? "LOST" : outcome.total >= outcome.expertScore ? "expert" : "won";
    std::ostringstream row;
    row << std::left << std::setw(11) << outcome.level << std::right << std::setw(7)
        << (data ? data->recipes.size() : 0) << std::setw(9) << (data ? data->numStations : 0) << std::setw(6)
        << (data ? data->time : 0) << std::setw(7) << outcome.winScore << std::setw(8) << outcome.expertScore
        << std::setw(7) << outcome.total << std::setw(7) << outcome.timeLeft << std::setw(6)
        << (outcome.winScore > 0 ? outcome.total * 100 / outcome.winScore : 0) << "%  " << verdict << '\n';
    return row.str();
}

// Writes this level's row, then the whole table from every level's part in play order, under a
// lock that the levels running beside this one take too.
void WriteScores(const std::string& level, const std::string& row)
{
    std::filesystem::create_directories(kScoresFolder / "parts");
    const int lock = ::open((kScoresFolder / "lock").c_str(), O_CREAT | O_RDWR, 0644);
    ASSERT_GE(lock, 0);
    ::flock(lock, LOCK_EX);
    // Level_4_2 as Level_04_2, so that the parts sort in play order.
    const std::size_t underscore = level.find('_', 6);
    const std::string part = level.substr(0, 6) + std::string(underscore == 7 ? "0" : "") + level.substr(6);
    std::ofstream(kScoresFolder / "parts" / (part + ".txt")) << row;
    std::vector<std::filesystem::path> parts;
    for (const auto& entry : std::filesystem::directory_iterator(kScoresFolder / "parts"))
        parts.push_back(entry.path());
    std::sort(parts.begin(), parts.end());
    {
        std::ofstream table(kScoresFolder / "CampaignScores.txt", std::ios::trunc);
        table << "The play bot on every level of the campaign: its score with the time bonus (bot) against\n"
                 "the level's WinScore and ExpertScore, the seconds it had left, and bot/win.\n\n"
              << "level       dishes stations  time    win  expert    bot   left  /win\n";
        for (const auto& part : parts)
            table << std::ifstream(part).rdbuf();
    }
    ::flock(lock, LOCK_UN);
    ::close(lock);
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

// One test per level, so that the levels run in parallel and each stays short. Doing nothing
// leaves every step unserved and the score at nothing whatever the clock: one challenge of each
// episode, in turn the first, second and elimination, is also left alone to its end (the data test
// above holds every WinScore above nothing).
class CampaignLevel : public testing::TestWithParam<int>
{
protected:
    KitchenRig rig{KitchenRig::Options{static_cast<unsigned>(GetParam() + 1), ""}};
    PlayBot bot{rig};
};

TEST_P(CampaignLevel, IsWonByPlayingIt)
{
    const int episodeNum = GetParam() / kChallenges + 1;
    const int challenge = GetParam() % kChallenges;
    LevelProgressManager* progress = LevelProgressManager::Instance();
    const EpisodeDescriptor* episode = progress->FindEpisode(episodeNum);
    ASSERT_NE(episode, nullptr);
    const Label levelID = ChallengesOf(*episode)[challenge];
    const int index = progress->GetLevelIndex(levelID);
    ASSERT_GE(index, 0);
    if ((episodeNum + challenge) % kChallenges == 0)
    {
        // Idle first: a challenge once won stays won.
        const PlayBot::Outcome idle = bot.PlayLevel(index, false);
        EXPECT_TRUE(idle.ended);
        EXPECT_FALSE(idle.cleared) << "won by doing nothing, with " << idle.total;
        EXPECT_EQ(idle.total, 0);
        EXPECT_EQ(idle.verdict, 0) << "the judges call it lost";
    }
    const PlayBot::Outcome played = bot.PlayLevel(index, true);
    ASSERT_TRUE(played.ended);
    EXPECT_TRUE(played.cleared) << played.total << " of " << played.winScore;
    EXPECT_GE(played.total, played.winScore);
    EXPECT_GE(played.verdict, 1) << "the judges call it won";
    EXPECT_GT(played.timeLeft, 0) << "the last dish ended the level, not the clock";
    WriteScores(levelID.c_str(), Row(played, progress->GetLevelData(levelID)));
}

INSTANTIATE_TEST_SUITE_P(Campaign, CampaignLevel, testing::Range(0, kEpisodes * kChallenges),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Level_" + std::to_string(info.param / kChallenges + 1) + "_" +
                                    std::to_string(info.param % kChallenges + 1);
                         });
} // namespace
