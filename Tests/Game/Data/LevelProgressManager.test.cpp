#include "Game/Data/LevelProgressManager.h"

#include "Framework/Account.h"
#include "Framework/ApplicationMode.h"
#include "Framework/Looper.h"
#include "Game/Data/GameDataTest.h"
#include "Game/Data/KitchenLevelData.h"
#include "Platform/Compat/User/MessageBox.h"
#include "Utf8.h"

#include <vector>

using namespace Corvane;

namespace
{
// A screen the level flow opened, described by what made it: "Game", "Intro", "Cutscene <id>",
// "Select <episode>".
class Screen : public ApplicationMode
{
public:
    explicit Screen(std::string what) : what(std::move(what)) {}
    const std::string what;
};

// The levels of GameDataTest::LoadLevels. Requests go to a loop of the test's own, which applies
// them when asked (the stack starts with a "Title" screen).
class LevelProgressTest : public GameDataTest
{
protected:
    LevelProgressTest() : mPrevious(Looper::SetInstance(&loop))
    {
        LevelFlowHooks& hooks = GetLevelFlowHooks();
        hooks.makeGameMode = [] { return new Screen("Game"); };
        hooks.makeLevelIntroMode = [] { return new Screen("Intro"); };
        hooks.makeCutsceneMode = [](Label id) { return new Screen(std::string("Cutscene ") + id.c_str()); };
        hooks.makeLevelSelectMode = [](int episode) { return new Screen("Select " + std::to_string(episode)); };
        hooks.reloadTutorial = [this] { ++tutorialReloads; };
        PushApplicationMode(new Screen("Title"));
        loop.ApplyRequests();
    }
    ~LevelProgressTest() override
    {
        loop.Shutdown();
        Looper::SetInstance(mPrevious);
    }

    static Account* Profile() { return AccountManager::Get()->GetCurrentAccount(); }
    // Saves a record for level n (from 1) in the current profile, as a finished run would.
    static void Save(int n, int best, bool completed)
    {
        const auto bytes = EncodeLevelRecord({best, static_cast<std::uint8_t>(completed)});
        WriteLevelRecordBytes(Profile(), "Lv_" + std::to_string(n), bytes.data());
    }
    static LevelProgressManager& Manager() { return *LevelProgressManager::Instance(); }

    // Applies the queued requests; the screens on the stack, bottom first.
    std::vector<std::string> Screens()
    {
        loop.ApplyRequests();
        std::vector<std::string> screens;
        for (ApplicationMode* mode : loop.GetModeStack())
            screens.push_back(dynamic_cast<Screen&>(*mode).what);
        return screens;
    }

    Looper loop;
    int tutorialReloads = 0;

private:
    Looper* mPrevious;
};

using Names = std::vector<std::string>;

std::vector<std::wstring> gBoxes;

int RecordBox(const wchar_t* text, const wchar_t* caption, UINT)
{
    gBoxes.push_back(std::wstring(caption) + L" | " + text);
    return IDOK;
}
} // namespace

TEST_F(LevelProgressTest, AFreshProfileStartsAtTheFirstLevelWithNothingCompleted)
{
    LoadLevels(3);
    LevelProgressManager& manager = Manager();
    EXPECT_EQ(tutorialReloads, 1) << "the tutorial tips are reloaded with the records";
    EXPECT_EQ(manager.GetLevelOrder().size(), 9u);
    EXPECT_EQ(manager.GetCurrentLevelIndex(), 0);
    for (const Label level : manager.GetLevelOrder())
    {
        EXPECT_EQ(manager.GetLevelRecord(level).bestScore, 0);
        EXPECT_EQ(manager.GetLevelRecord(level).completed, 0);
    }
    EXPECT_FALSE(Account::HasValue(Profile(), "GameCompleted"));
    EXPECT_EQ(manager.GetLastCompletedLevel(), Label());
    EXPECT_EQ(manager.GetFirstUncompletedLevel(), Label("Lv_1"));
    EXPECT_EQ(manager.GetEpisodeOfLastCompletedLevel(), 0);
    EXPECT_EQ(manager.GetEpisodeNumOfLevel(Label("Lv_5")), 2);
    EXPECT_EQ(manager.GetEpisodeNumOfLevel(Label("Intro_2")), 0) << "cutscenes are no levels";
    EXPECT_EQ(manager.GetLevelIndex(Label("lv_9")), 8);
    EXPECT_TRUE(manager.GetLevelDescriptor(Label("Lv_4")).firstOfEpisode);
    EXPECT_TRUE(manager.GetLevelDescriptor(Label("Lv_6")).lastOfEpisode);
    EXPECT_FALSE(manager.GetLevelDescriptor(Label("Lv_5")).firstOfEpisode);
    EXPECT_EQ(manager.GetLevelDescriptor(Label("Lv_5")).filename, L"LevelFile_5");
}

TEST_F(LevelProgressTest, TheCurrentLevelFollowsTheLastCompletedOneAndNeverPassesTheLast)
{
    LoadLevels(3);
    // What is no level is answered with nothing and entered nowhere, so it cannot stretch the order.
    const Label unknown("Lv_Missing");
    EXPECT_EQ(Manager().GetLevelDescriptor(unknown).levelID, Label());
    EXPECT_TRUE(Manager().GetLevelDescriptor(unknown).filename.empty());
    EXPECT_EQ(Manager().GetLevelRecord(unknown).completed, 0);
    EXPECT_EQ(Manager().GetLevelStatus(unknown), 0);
    EXPECT_EQ(Manager().GetLevelData(unknown), nullptr);
    EXPECT_EQ(Manager().GetLevelIndex(unknown), -1);
    struct Case
    {
        std::vector<int> completed;
        int index;
    };
    const Case cases[] = {
        {{}, 0}, {{1, 2, 3, 4}, 4}, {{1, 2, 3, 4, 5, 6, 7, 8, 9}, 8}, {{1, 6}, 6}, {{9}, 8},
    };
    for (const Case& c : cases)
    {
        for (int n = 1; n <= 9; ++n)
            Save(n, 10 * n, std::find(c.completed.begin(), c.completed.end(), n) != c.completed.end());
        Manager().LoadFromAccount();
        EXPECT_EQ(Manager().GetCurrentLevelIndex(), c.index) << c.completed.size() << " completed";
        EXPECT_EQ(Manager().GetCurrentLevelID(), Label("Lv_" + std::to_string(c.index + 1)));
    }
    EXPECT_EQ(Manager().GetLevelRecord(Label("Lv_3")).bestScore, 30);
    EXPECT_EQ(Manager().GetEpisodeOfLastCompletedLevel(), 3);
}

TEST_F(LevelProgressTest, RecordsAreSavedAsEightBytesAndShortValuesReadAsNothing)
{
    LoadLevels(1);
    Manager().SetCurrentLevelIndex(1);
    Manager().RecordLevelScore(1234);
    unsigned char bytes[12] = {};
    ASSERT_EQ(Account::ReadBinary(Profile(), "Lv_2", bytes, sizeof bytes), 8u);
    EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + 8),
              (std::vector<unsigned char>{0xD2, 0x04, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}));

    const unsigned char shortValue[5] = {9, 9, 9, 9, 1};
    Account::WriteBinary(Profile(), "Lv_1", shortValue, sizeof shortValue);
    const unsigned char longValue[12] = {0x10, 0x27, 0, 0, 1, 7, 7, 7, 0xFF, 0xFF, 0xFF, 0xFF};
    Account::WriteBinary(Profile(), "Lv_3", longValue, sizeof longValue);
    debug.Clear();
    Manager().LoadFromAccount();
    EXPECT_NE(debug.Text().find("Error loading level save data\n"), std::string::npos);
    EXPECT_EQ(Manager().GetLevelRecord(Label("Lv_1")).bestScore, 0);
    EXPECT_EQ(Manager().GetLevelRecord(Label("Lv_1")).completed, 0);
    EXPECT_EQ(Manager().GetLevelRecord(Label("Lv_3")).bestScore, 10000) << "the first eight bytes count";
    EXPECT_EQ(Manager().GetLevelRecord(Label("Lv_3")).completed, 1);
    EXPECT_EQ(Manager().GetLevelRecord(Label("Lv_2")).bestScore, 1234);
}

TEST_F(LevelProgressTest, AScoreThatWinsAtTheJudgesTableIsSavedAsAWin)
{
    LoadLevels(1);
    struct Case
    {
        int score;
        int best;
        int status;
    };
    // WinScore 1000, ExpertScore 2000; runs of level 1 one after another.
    const Case cases[] = {{999, 999, 0}, {1000, 1000, 1}, {500, 1000, 1}, {2000, 2000, 2}, {1500, 2000, 2}};
    for (const Case& c : cases)
    {
        Manager().RecordLevelScore(c.score);
        EXPECT_EQ(Manager().GetLevelRecord(Label("Lv_1")).bestScore, c.best) << c.score;
        EXPECT_EQ(Manager().GetLevelStatus(Label("Lv_1")), c.status) << c.score;
    }
    ASSERT_NE(Manager().GetCurrentLevelData(), nullptr);
    EXPECT_EQ(Manager().GetCurrentLevelData()->winScore, 1000);
}

TEST_F(LevelProgressTest, StartingALevelStacksTheKitchenItsIntroAndTheEpisodesFirstCutscene)
{
    LoadLevels(2);
    Manager().SetCurrentLevelIndex(3); // episode 2's first level
    Manager().StartLevel();
    EXPECT_EQ(Screens(), (Names{"Game", "Intro", "Cutscene Intro_2"})) << "the title screen is gone";

    Manager().SetCurrentLevelIndex(4);
    Manager().StartLevel();
    EXPECT_EQ(Screens(), (Names{"Game", "Intro"}));

    Save(4, 1500, true);
    Manager().LoadFromAccount();
    Manager().SetCurrentLevelIndex(3);
    Manager().StartLevel();
    EXPECT_EQ(Screens(), (Names{"Game", "Intro"})) << "a won first level shows no cutscene again";
}

TEST_F(LevelProgressTest, AfterJudgingTheFlowGoesOnAsTheLevelsAndTheProfileSay)
{
    LoadLevels(2);
    LevelProgressManager& manager = Manager();

    manager.SetCurrentLevelIndex(0);
    manager.AdvanceAfterLevel();
    EXPECT_EQ(Screens(), (Names{"Game", "Intro"})) << "the next level of the episode starts";
    EXPECT_EQ(manager.GetCurrentLevelIndex(), 1);

    manager.SetCurrentLevelIndex(2);
    manager.AdvanceAfterLevel();
    EXPECT_EQ(Screens(), (Names{"Select 1", "Cutscene Outro_1"})) << "an episode's end shows its outro";
    EXPECT_EQ(manager.GetCurrentLevelIndex(), 3);

    Save(3, 1200, true);
    manager.LoadFromAccount();
    manager.SetCurrentLevelIndex(1);
    manager.AdvanceAfterLevel();
    EXPECT_EQ(Screens(), (Names{"Select -1"})) << "a replay before a won level goes back to the select screen";
    EXPECT_EQ(manager.GetCurrentLevelIndex(), 1);

    manager.SetCurrentLevelIndex(5);
    manager.AdvanceAfterLevel();
    EXPECT_EQ(Screens(), (Names{"Select 2", "Cutscene Outro_2"})) << "the final level's outro, once";
    EXPECT_TRUE(Account::ReadBool(Profile(), "GameCompleted", false));
    manager.AdvanceAfterLevel();
    EXPECT_EQ(Screens(), (Names{"Select -1"}));
}

TEST_F(LevelProgressTest, WithoutLevelsOrScreensNothingBreaks)
{
    LevelProgressManager& manager = Manager(); // no "AllLevels"
    EXPECT_NE(debug.Text().find("\"AllLevels\" is not loaded"), std::string::npos);
    EXPECT_EQ(manager.GetCurrentLevelIndex(), 0);
    EXPECT_EQ(manager.GetCurrentLevelData(), nullptr);
    manager.RecordLevelScore(100);
    manager.StartLevel();
    manager.AdvanceAfterLevel();
    EXPECT_EQ(Screens(), (Names{"Title"}));
    EXPECT_EQ(manager.GetLevelData(Label("Nowhere")), nullptr);

    delete LevelProgressManager::InstanceIfCreated();
    LoadLevels(1);
    GetLevelFlowHooks().makeLevelIntroMode = nullptr;
    Manager().StartLevel();
    EXPECT_EQ(Screens(), (Names{"Game", "Cutscene Intro_1"})) << "a screen not in the game is left out";
    EXPECT_NE(debug.Text().find("LevelIntroMode is not part of the game"), std::string::npos);
}

TEST_F(LevelProgressTest, ABrokenLevelFileIsShownOnceForEachStartAndNeverPlayed)
{
    const MessageBoxPresenter previous = SetMessageBoxPresenter(RecordBox);
    gBoxes.clear();
    LoadLevels(1);
    resources.Folder().Write("LevelFile_2.xml", "<resources>\n<KitchenLevelData name=\"Lv_2\" WinScore=\"1");

    Manager().SetCurrentLevelIndex(1);
    EXPECT_FALSE(Manager().StartLevel());
    EXPECT_EQ(Screens(), (Names{"Title"})) << "nothing of the level starts";
    ASSERT_EQ(gBoxes.size(), 1u);
    EXPECT_EQ(gBoxes[0], L"There was an error loading LevelFile_2.xml. Fix the problem and press F5 to reload | " +
                             Utf8::ToWide(PathOf("LevelFile_2")) + L"(2): EOF while eating '\"'");

    // Looking the level up again tells the log, not the player.
    EXPECT_EQ(Manager().GetLevelData(Label("Lv_2")), nullptr);
    EXPECT_EQ(gBoxes.size(), 1u);
    EXPECT_NE(debug.Text().find("LevelFile_2.xml failed to load"), std::string::npos);

    // Moving on to it after the level before: the player is told again and sent to the select screen.
    Manager().SetCurrentLevelIndex(0);
    Manager().AdvanceAfterLevel();
    EXPECT_EQ(Screens(), (Names{"Select -1"}));
    EXPECT_EQ(gBoxes.size(), 2u);
    SetMessageBoxPresenter(previous);
}
