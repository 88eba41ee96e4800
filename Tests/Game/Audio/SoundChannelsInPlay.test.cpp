// The program's own audio platform (over SDL's dummy driver) under a level played by the play bot:
// the rig's clock runs far ahead of the sound device, so the kitchen's short effects are played
// again before they end, as in a busy kitchen. The channels of plays nobody holds any more are let
// go: the channels sounding at once stay few, and as few in a second level as in the first.
#include "Framework/IAudioPlatform.h"
#include "Game/Menus/LevelOutroMode.h"
#include "Platform/Win32/BASSAudioPlatform.h"
#include "Support/KitchenRig.h"
#include "Support/PlayBot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// The music, a voice, the stations' loops and the last play of each effect sounding: the kitchen
// has fewer sounds than this. Kept, the plays of the short effects pile up from level to level.
constexpr int kFewChannels = 24;

TEST(SoundChannelsInPlay, StayFewInALevelAndNoMoreInTheNext)
{
    KitchenRig rig(KitchenRig::Options{1, "", true, KitchenRig::Options::Sound::kReal});
    PlayBot bot(rig);
    auto* audio = dynamic_cast<BASSAudioPlatform*>(IAudioPlatform::GetInstance());
    ASSERT_NE(audio, nullptr);
    std::vector<int> highest;
    for (int level = 0; level < 2; ++level)
    {
        bot.SetGame(bot.StartLevel(0));
        ASSERT_NE(bot.GetGame(), nullptr);
        highest.push_back(0);
        for (int update = 0; update < 6000 && !rig.TopAs<LevelOutroMode>(); ++update)
        {
            bot.Move();
            rig.Step();
            highest.back() = std::max(highest.back(), audio->CountChannels());
        }
        ASSERT_NE(rig.TopAs<LevelOutroMode>(), nullptr) << "the level never ended";
    }
    EXPECT_GT(highest[0], 0) << "the kitchen made no sound";
    EXPECT_LE(highest[0], kFewChannels);
    EXPECT_LE(highest[1], kFewChannels);
    EXPECT_LE(highest[1], highest[0] + 4) << "the second level sounded with the first one's channels still kept";
}
} // namespace
