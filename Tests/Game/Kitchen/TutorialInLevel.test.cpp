// A new player's first level on the game's own data: the tips come up one bubble at a time while
// the clock stands, each is read to its end with clicks, and the profile remembers them, so that
// the next play of the level shows none of them again.
#include "KitchenTest.h"

#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelRecord.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Menus/TutorialManager.h"
#include "Game/Menus/TutorialMode.h"
#include "SceneGraph/SceneNode.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

using namespace Corvane::Testing;
namespace Paths = KitchenPaths;

namespace
{
const std::string kMore = "TutorialBubble/bubbleBG/MoreButton";
const std::string kBubble = "TutorialBubble/bubbleBG";

// The game's own levels, with a new player's profile.
class TutorialInLevel : public KitchenTest
{
protected:
    TutorialInLevel() : KitchenTest({1, "", false}) {}

    // Closes the next-dish popup once its click guard is over (a tip may stop the clock then).
    void CloseFirstPopup()
    {
        rig.Step(60);
        rig.Click(Paths::kPopupBG);
        ASSERT_FALSE(game->IsPaused()) << "the popup did not close";
    }
    // Plays seconds of the level, reading every bubble that comes up to its end (More while it
    // shows, then the bubble) and checking that the clock stands meanwhile; the tips shown, in order.
    std::vector<int> PlayReadingTips(int seconds)
    {
        std::vector<int> shown;
        const int end = rig.GetUpdateCount() + seconds * 50;
        while (rig.GetUpdateCount() < end && !game->HasEnded())
        {
            auto* bubble = rig.TopAs<TutorialMode>();
            if (!bubble)
            {
                rig.Step();
                continue;
            }
            shown.push_back(bubble->GetTip());
            const float time = game->GetTimeLeft();
            const std::wstring clock = Clock();
            for (int page = 0; rig.TopAs<TutorialMode>() == bubble && page < 10; ++page)
            {
                rig.Step(25);
                EXPECT_EQ(game->GetTimeLeft(), time) << "tip " << shown.back();
                EXPECT_EQ(Clock(), clock);
                SceneNode* more = rig.FindNode(kMore);
                rig.Click(more && more->IsVisible() ? kMore : kBubble);
                rig.Step();
            }
            EXPECT_NE(rig.TopAs<TutorialMode>(), bubble) << "tip " << shown.back() << " did not close";
        }
        return shown;
    }
    static std::vector<std::uint8_t> SavedTips()
    {
        std::vector<std::uint8_t> bytes(64);
        bytes.resize(Corvane::Account::ReadBinary(Corvane::AccountManager::Get()->GetCurrentAccount(), kTutorialDataKey,
                                                  bytes.data(), 64));
        return bytes;
    }
};

TEST_F(TutorialInLevel, ANewPlayerReadsTheFirstLevelsTipsOnceAndTheProfileKeepsThem)
{
    EXPECT_TRUE(SavedTips().empty()) << "a new profile has seen no tip";
    game = rig.StartLevel(0);
    ASSERT_NE(game, nullptr);
    CloseFirstPopup();
    const std::vector<int> shown = PlayReadingTips(20);

    // Tips 0 to 4 once each and in that order, among the others.
    std::vector<int> firstLevel;
    std::copy_if(shown.begin(), shown.end(), std::back_inserter(firstLevel), [](int tip) { return tip <= 4; });
    EXPECT_EQ(firstLevel, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(std::set<int>(shown.begin(), shown.end()).size(), shown.size()) << "no tip twice";
    EXPECT_LT(game->GetTimeLeft(), static_cast<float>(game->GetLevelData()->time)) << "the clock ran between tips";

    // The profile's file holds exactly the tips shown.
    std::vector<std::uint8_t> expected(kTutorialDataSize, 0);
    for (const int tip : shown)
        expected[tip] = 1;
    EXPECT_EQ(SavedTips(), expected);

    // The next play of the level shows none of them (the rig starts a level over another screen).
    rig.PopTop();
    game = rig.StartLevel(0);
    ASSERT_NE(game, nullptr);
    CloseFirstPopup();
    for (const int tip : PlayReadingTips(20))
        EXPECT_EQ(std::count(shown.begin(), shown.end(), tip), 0) << "tip " << tip << " came again";
    EXPECT_EQ(SavedTips().size(), kTutorialDataSize);
}
} // namespace
