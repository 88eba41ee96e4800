// The soak: the play bot (Support/PlayBot.h) plays levels of the campaign back to back on one
// running game (the kitchen test rig on the built data, headless, the program's own audio platform
// over SDL's dummy driver) for a number of minutes of game time, and prints the resident memory
// after each round. After each level's verdict the bot goes back to the challenge select. A round is the same three levels every time: the first of the level order, the
// one in its middle, and the busiest (most stations, then most dishes). The memory after the
// first round is the baseline: a game that keeps nothing it no longer needs stays at it. Exit code
// 0 when no later round ended more than the allowance above the baseline (resident in all, or its
// anonymous part), 1 when one did, 2 when the game could not be played.
//
//   SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy build-rel/Benchmarks/campaign_soak [minutes=30] [allowance MB=1]
#include "CampaignPlay.h"

#include "Framework/CommandLine.h"
#include "Game/Judging/JudgingMode.h"
#include "SceneGraph/SceneNode.h"
#include "Support/KitchenRig.h"
#include "Support/PlayBot.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <malloc.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr double kUpdatesPerMinute = 50.0 * 60.0;

// The bytes the heap has handed out and not had back: what the program holds, apart from how the
// allocator lays it out.
double HeapInUseMegabytes()
{
    return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

// From the judges' verdict back to the challenge select, as a player goes on: the judges' screen
// lets go of the level's results on the way out.
bool LeaveTheJudges(KitchenRig& rig)
{
    static const char* const kButtons[] = {"JudgingMode/ScoreDisplay/ChallengeSelectButton",
                                           "JudgingMode/Judging_LevelLost/ChallengeSelectButton"};
    const char* shown = nullptr;
    const auto find = [&] {
        for (const char* path : kButtons)
            if (SceneNode* button = rig.FindNode(path); button && button->IsWorldVisible())
                shown = path;
        return shown != nullptr;
    };
    if (!rig.TopAs<JudgingMode>() || rig.StepUntil(find, 500) < 0)
        return false;
    rig.Click(shown);
    return rig.StepUntil([&] { return !rig.Modes().empty() && rig.Modes().back() == "LevelSelectMode"; }, 100) >= 0;
}
} // namespace

int main(int argc, char** argv)
{
    const double minutes = argc > 1 ? std::strtod(argv[1], nullptr) : 30.0;
    const double allowance = argc > 2 ? std::strtod(argv[2], nullptr) : 1.0;
    if (!(minutes > 0) || !(allowance >= 0))
    {
        std::fprintf(stderr, "usage: %s [minutes of game time > 0] [allowance in MB >= 0]\n", argv[0]);
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    SetCommandLine(L"fennik -software");
    KitchenRig rig(KitchenRig::Options{1, "", true, KitchenRig::Options::Sound::kReal});
    PlayBot bot(rig);
    const int levels = static_cast<int>(LevelProgressManager::Instance()->GetLevelOrder().size());
    const int busiest = BusiestLevelIndex();
    if (levels == 0 || busiest < 0)
    {
        std::fprintf(stderr, "no levels to play\n");
        return 2;
    }
    const int round[] = {0, levels / 2, busiest};
    std::printf("start: resident %.1f MB (anonymous %.1f MB)\n", ResidentMegabytes("VmRSS"), ResidentMegabytes("RssAnon"));
    const auto limit = static_cast<long>(minutes * kUpdatesPerMinute);
    // Resident in all, and the anonymous part alone (the heap; the mapped files' pages come and go
    // with the machine's other work).
    double baseline[2] = {};
    double highest[2] = {};
    for (int number = 1; rig.GetUpdateCount() < limit; ++number)
    {
        for (const int level : round)
        {
            const PlayBot::Outcome outcome = bot.PlayLevel(level, true);
            if (!outcome.ended)
            {
                std::fprintf(stderr, "the level at %d did not end\n", level);
                return 2;
            }
            std::printf("  %-11s %5d points, %s\n", outcome.level.c_str(), outcome.total,
                        outcome.cleared ? "cleared" : "lost");
            if (!LeaveTheJudges(rig))
            {
                std::fprintf(stderr, "the judges' screen after %s could not be left\n", outcome.level.c_str());
                return 2;
            }
        }
        const double resident[2] = {ResidentMegabytes("VmRSS"), ResidentMegabytes("RssAnon")};
        std::printf("round %d: %.1f min of play, resident %.1f MB (anonymous %.1f MB, heap in use %.3f MB), peak %.1f MB\n",
                    number, rig.GetUpdateCount() / kUpdatesPerMinute, resident[0], resident[1], HeapInUseMegabytes(),
                    ResidentMegabytes("VmHWM"));
        std::fflush(stdout);
        for (int kind = 0; kind < 2; ++kind)
        {
            if (number == 1)
                baseline[kind] = resident[kind];
            else
                highest[kind] = std::max(highest[kind], resident[kind]);
        }
    }
    bool grew = false;
    for (int kind = 0; kind < 2; ++kind)
    {
        const double growth = highest[kind] > 0 ? highest[kind] - baseline[kind] : 0;
        grew = grew || growth > allowance;
        std::printf("%s after the first round: %+.1f MB at most (allowance %.1f MB): %s\n",
                    kind == 0 ? "resident" : "anonymous", growth, allowance, growth > allowance ? "GREW" : "steady");
    }
    rig.Stop();
    SetCommandLine(L"");
    return grew ? 1 : 0;
}
