#include "Game/Menus/TutorialManager.h"

#include "Framework/Account.h"
#include "Framework/Looper.h"
#include "Game/Data/GameConstants.h"
#include "Game/Data/GameDataTest.h"
#include "Game/Data/LevelRecord.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Menus/TutorialMode.h"
#include "SceneGraph/SceneNode.h"

#include <climits>
#include <cstdint>
#include <cwchar>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace Corvane;

namespace
{
// A temporary profile folder, five episodes of levels (indices 0 to 14) and the tips' reload
// hook as the start-up connects it. Bubbles go to a loop of the test's own; every tip has one page
// (without a layout), so a bubble stays until the test takes it off.
class TutorialManagerTest : public GameDataTest
{
protected:
    TutorialManagerTest() : mPrevious(Looper::SetInstance(&loop))
    {
        std::string texts;
        for (const wchar_t* format : kTutorialMessageFormats)
        {
            const std::wstring key = std::wstring(format, std::wcslen(format) - 2) + L"1";
            texts += "<string name=\"" + std::string(key.begin(), key.end()) + "\" value=\"A tip.\"/>";
        }
        resources.WriteManifest("LocalizedText", texts);
        LocalizedText::Load();
        LoadLevels(5);
        ConnectTutorialToLevelProgress();
    }
    ~TutorialManagerTest() override
    {
        loop.Shutdown();
        Looper::SetInstance(mPrevious);
        delete TutorialManager::InstanceIfCreated();
    }

    static TutorialManager& Tips() { return *TutorialManager::Instance(); }
    static void AtLevel(int index) { LevelProgressManager::Instance()->SetCurrentLevelIndex(index); }
    static std::vector<int> Pending()
    {
        std::vector<int> tips;
        for (const TutorialTip& entry : Tips().GetPendingTips())
            tips.push_back(entry.tip);
        return tips;
    }
    // Applies the queued requests and takes every bubble they left off the stack; the bubbles'
    // tips, in the order they were pushed.
    std::vector<int> Bubbles()
    {
        std::vector<int> tips;
        loop.ApplyRequests();
        while (auto* bubble = dynamic_cast<TutorialMode*>(loop.GetTopMode()))
        {
            tips.insert(tips.begin(), bubble->GetTip());
            PopApplicationMode();
            loop.ApplyRequests();
        }
        return tips;
    }
    // Calls ShowNextTip until it reports false; what it reported and the bubbles each call pushed.
    std::vector<std::pair<bool, std::vector<int>>> DrainPending()
    {
        std::vector<std::pair<bool, std::vector<int>>> calls;
        bool more = true;
        while (more)
        {
            more = Tips().ShowNextTip();
            calls.push_back({more, Bubbles()});
        }
        return calls;
    }
    // The raw "TutorialData" of the current profile (up to 64 bytes).
    static std::vector<std::uint8_t> SavedBytes()
    {
        std::vector<std::uint8_t> bytes(64);
        bytes.resize(
            Account::ReadBinary(AccountManager::Get()->GetCurrentAccount(), kTutorialDataKey, bytes.data(), 64));
        return bytes;
    }
    static std::vector<std::uint8_t> BytesOf(std::initializer_list<int> shown)
    {
        std::vector<std::uint8_t> bytes(kTutorialDataSize, 0);
        for (const int tip : shown)
            bytes[tip] = 1;
        return bytes;
    }

    Looper loop;

private:
    Looper* mPrevious;
};

TEST_F(TutorialManagerTest, PendingTipsShowInQueuingOrderAndADuplicateIsConsumedSilently)
{
    Tips().QueueTip(kTipPantry, {435, 130});
    Tips().QueueTip(kTipIngredientRequest, {-1, -1});
    Tips().QueueTip(kTipPantry, {10, 10});
    EXPECT_EQ(Pending(), (std::vector<int>{6, 5, 6}));
    EXPECT_EQ(Tips().GetPendingTips().front().position, (Vector2<float>{435, 130}));

    using Calls = std::vector<std::pair<bool, std::vector<int>>>;
    EXPECT_EQ(DrainPending(), (Calls{{true, {6}}, {true, {5}}, {true, {}}, {false, {}}}));
    // Shown tips are not queued again.
    Tips().QueueTip(kTipPantry, {435, 130});
    EXPECT_TRUE(Pending().empty());
}

TEST_F(TutorialManagerTest, ATipShownAtOnceWhilePendingShowsOnce)
{
    Tips().QueueTip(kTipFlavorSet, {100, 100});
    Tips().ShowTip(kTipFlavorSet, {120, 130});
    EXPECT_EQ(Bubbles(), std::vector<int>{kTipFlavorSet});
    EXPECT_TRUE(Tips().IsTipShown(kTipFlavorSet));
    EXPECT_TRUE(Tips().ShowNextTip());
    EXPECT_TRUE(Bubbles().empty());
    Tips().ShowTip(kTipFlavorSet, {120, 130});
    EXPECT_TRUE(Bubbles().empty());
}

TEST_F(TutorialManagerTest, AddStepIsDroppedUntilChooseIngredientWasShown)
{
    Tips().QueueTip(kTipAddStep, {165, 265});
    Tips().ShowTip(kTipAddStep, {165, 265});
    EXPECT_TRUE(Pending().empty());
    EXPECT_TRUE(Bubbles().empty());

    Tips().QueuePantryTips();
    EXPECT_EQ(Pending(), (std::vector<int>{5, 6, 7, 8}));
    DrainPending();
    Tips().QueueTip(kTipAddStep, {165, 265});
    EXPECT_EQ(Pending(), std::vector<int>{kTipAddStep});
}

TEST_F(TutorialManagerTest, LevelBoundTipsAreQueuedOnlyOnTheirLevel)
{
    struct Case
    {
        int levelIndex;
        std::vector<int> powerUps;
        std::vector<int> firstLevel;
    };
    const Case cases[] = {
        {0, {}, {0, 1, 2, 3, 4}},
        {1, {28}, {}}, // 16 too while the pantry shows meat bins: no pantry here
        {2, {}, {}},
        {5, {}, {}},
        {6, {23}, {}},
        {7, {24}, {}},
        {8, {}, {}},
        {9, {26}, {}},
        {12, {27}, {}},
        {13, {25}, {}},
        {14, {}, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.levelIndex);
        delete TutorialManager::InstanceIfCreated();
        AtLevel(c.levelIndex);
        // Asked on every running update: a tip that waits already is not queued again.
        Tips().QueuePowerUpTips();
        Tips().QueuePowerUpTips();
        EXPECT_EQ(Pending(), c.powerUps);
        delete TutorialManager::InstanceIfCreated();
        Tips().QueueFirstLevelTips();
        Tips().QueueFirstLevelTips();
        EXPECT_EQ(Pending(), c.firstLevel);
    }
}

// Without a level screen the first level's tips have nothing to point at and are centred; a
// station's tips point at the middle of its flames and of the station, and the tip about a step's
// meter waits for a kitchen whose steps cook (none here).
TEST_F(TutorialManagerTest, GroupsQueueTheirTipsInOrderAtTheirPlaces)
{
    SceneNode station;
    station.SetPosition(300, 200);
    station.SetSize(130, 90);
    SceneNode flames;
    flames.SetSize(130, 30);
    flames.AttachAs(&station, Label("flameAttach"));

    AtLevel(0);
    Tips().QueueFirstLevelTips();
    Tips().QueueStationTips(station);
    const std::vector<TutorialTip> expected = {{0, {-1, -1}}, {1, {-1, -1}},   {2, {-1, -1}},   {3, {-1, -1}},
                                               {4, {-1, -1}}, {9, {365, 215}}, {11, {365, 245}}};
    EXPECT_EQ(std::vector<TutorialTip>(Tips().GetPendingTips().begin(), Tips().GetPendingTips().end()), expected);
    flames.SetParent(nullptr);
}

TEST_F(TutorialManagerTest, TipNumbersOutsideTheTableAreIgnored)
{
    for (const int tip : {-1, 33, 1000, INT_MIN, INT_MAX})
    {
        SCOPED_TRACE(tip);
        EXPECT_FALSE(Tips().IsTipForCurrentLevel(tip));
        Tips().QueueTip(tip, {100, 100});
        Tips().ShowTip(tip, {100, 100});
        EXPECT_TRUE(Pending().empty());
        EXPECT_TRUE(Bubbles().empty());
        EXPECT_FALSE(Tips().IsTipShown(tip));
    }
    EXPECT_TRUE(Tips().GetShownTips().empty());
}

TEST_F(TutorialManagerTest, TheShownTipsRoundTripThroughTheProfile)
{
    Tips().ShowTip(kTipWelcome, {-1, -1});
    Tips().ShowTip(kTipThreeStars, {120, 100});
    Tips().ShowTip(kTipFlames, {1, 1});
    EXPECT_EQ(SavedBytes(), BytesOf({0, 9, 32}));

    // Pending tips are not kept; a new manager reads the record from the profile's file.
    Tips().QueueTip(kTipTimer, {700, 35});
    delete TutorialManager::InstanceIfCreated();
    delete AccountManager::GetIfCreated();
    EXPECT_EQ(Tips().GetShownTips(), (std::set<int>{0, 9, 32}));
    EXPECT_EQ(SavedBytes(), BytesOf({0, 9, 32}));
    EXPECT_TRUE(Pending().empty());
}

TEST_F(TutorialManagerTest, ARecordOfAnotherSizeLoadsAsNoneShown)
{
    for (const unsigned size : {1u, 32u, 34u, 66u})
    {
        SCOPED_TRACE(size);
        const std::vector<std::uint8_t> bytes(size, 1);
        ASSERT_EQ(
            Account::WriteBinary(AccountManager::Get()->GetCurrentAccount(), kTutorialDataKey, bytes.data(), size),
            size);
        delete TutorialManager::InstanceIfCreated();
        EXPECT_TRUE(Tips().GetShownTips().empty());
    }
    // Any byte that is not zero counts.
    std::vector<std::uint8_t> bytes(kTutorialDataSize, 0);
    bytes[3] = 7;
    bytes[30] = 255;
    Account::WriteBinary(AccountManager::Get()->GetCurrentAccount(), kTutorialDataKey, bytes.data(), kTutorialDataSize);
    Tips().LoadFromAccount();
    EXPECT_EQ(Tips().GetShownTips(), (std::set<int>{3, 30}));
}

TEST_F(TutorialManagerTest, EachProfileHasItsOwnRecord)
{
    AccountManager& profiles = *AccountManager::Get();
    const std::wstring first = profiles.GetCurrentAccount()->GetName();
    Tips().ShowTip(kTipTimer, {700, 35});
    Tips().QueueTip(kTipRecipe, {210, 50});

    ASSERT_NE(profiles.CreateAccount(L"Ann"), nullptr);
    ASSERT_TRUE(profiles.SetCurrentAccount(L"Ann"));
    LevelProgressManager::Instance()->LoadFromAccount();
    EXPECT_TRUE(Tips().GetShownTips().empty());
    EXPECT_EQ(Pending(), std::vector<int>{kTipRecipe}); // pending tips outlive the change
    Tips().ShowTip(kTipWelcome, {-1, -1});
    EXPECT_EQ(SavedBytes(), BytesOf({0}));

    ASSERT_TRUE(profiles.SetCurrentAccount(first));
    LevelProgressManager::Instance()->LoadFromAccount();
    EXPECT_EQ(Tips().GetShownTips(), std::set<int>{kTipTimer});
    EXPECT_EQ(SavedBytes(), BytesOf({1}));
}

// No profile can be read (the profile partition is missing): nothing is shown as seen, tips still
// show, and nothing is written.
TEST(TutorialManagerWithoutProfiles, LoadsNothingAndSavesNothing)
{
    Testing::DebugCapture debug;
    Testing::ResourceFolder resources;
    Looper loop;
    Looper* previous = Looper::SetInstance(&loop);
    TutorialManager& tips = *TutorialManager::Instance();
    EXPECT_TRUE(tips.GetShownTips().empty());
    tips.ShowTip(kTipNewRecipe, {-1, -1});
    EXPECT_TRUE(tips.IsTipShown(kTipNewRecipe));
    EXPECT_FALSE(tips.SaveToAccount());
    EXPECT_TRUE(loop.HasPendingRequests());
    loop.Shutdown();
    Looper::SetInstance(previous);
    delete TutorialManager::InstanceIfCreated();
    delete LevelProgressManager::InstanceIfCreated();
    delete AccountManager::GetIfCreated();
}
} // namespace
