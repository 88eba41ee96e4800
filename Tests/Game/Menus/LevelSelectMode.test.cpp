// The challenge select in the running game, on level orders written for each test (episodes "E<e>"
// with the challenges "E<e>_1", "E<e>_2" and "E<e>_3", won at 100 and with honours at 200) and a
// fresh profile whose records the test writes: which challenges get buttons and in which look,
// which contestants are gone, paging, choosing, playing and replaying.
#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Framework/Looper.h"
#include "Framework/ResourceManager.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/LevelRecord.h"
#include "Game/Kitchen/GameMode.h"
#include "Game/Menus/CutsceneMode.h"
#include "Game/Menus/LevelSelectMode.h"
#include "Graphics/ColorF.h"
#include "Graphics/IImage.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/RadioButtonNode.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"
#include "Support/KitchenRig.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Names = std::vector<std::string>;

const char* const kFigureNames[LevelSelectMode::kFigureCount] = {
    "01", "02", "03", "06", "10", "04", "09", "05", "11", "08", "12", "07", "quilla", "lorcan", "pembry"};

std::string Level(int episode, int challenge)
{
    return "E" + std::to_string(episode) + "_" + std::to_string(challenge);
}

// A data overlay with a level order of the given number of episodes.
class EpisodeData
{
public:
    explicit EpisodeData(int episodes)
    {
        std::string order = "<resources><LevelProgressionData name=\"AllLevels\">"
                            "<EpisodeDescriptorList name=\"EpisodeList\">";
        for (int e = 1; e <= episodes; ++e)
        {
            // Episodes past the game's own three replay its last cutscenes.
            const std::string cutscenes = "Episode" + std::to_string(std::min(e, 3));
            order += "<EpisodeDescriptor EpisodeNum=\"" + std::to_string(e) + "\">" +
                     "<LevelDescriptor name=\"Intro\" levelID=\"" + cutscenes + "_Intro\" filename=\"Cutscenes\"/>";
            const char* const slots[] = {"Dashcourse_1", "Dashcourse_2", "Elimination"};
            for (int c = 1; c <= 3; ++c)
            {
                const std::string id = Level(e, c);
                order += std::string("<LevelDescriptor name=\"") + slots[c - 1] + "\" levelID=\"" + id +
                         "\" filename=\"" + id + "\"/>";
                mFolder.Write("Levels/" + id + ".xml",
                              "<resources><KitchenLevelData name=\"" + id +
                                  "\" time=\"60\" numStations=\"2\" WinScore=\"100\" ExpertScore=\"200\">"
                                  "<LevelRecipe RecipeID=\"Recipe_TomatoSoup\"/>"
                                  "<PantrySettings><Category id=\"Vegetable\" numToDisplay=\"4\"/>"
                                  "<Category id=\"Flavoring\" numToDisplay=\"3\"/></PantrySettings>"
                                  "</KitchenLevelData></resources>");
            }
            order += "<LevelDescriptor name=\"Outro\" levelID=\"" + cutscenes +
                     "_Outro\" filename=\"Cutscenes\"/></EpisodeDescriptor>";
        }
        order += "</EpisodeDescriptorList></LevelProgressionData></resources>";
        mFolder.Write("Manifests/LevelProgression.xml", order);
    }

    std::string Path() const { return mFolder.Path().string(); }

private:
    TempFolder mFolder;
};

// What a frame shows.
struct FrameView
{
    bool unlocked = false;
    // Per slot (DZ_1, DZ_2, Elimination): "" no button, else its look ("Current", "Cleared",
    // "Expert") with " checked" when it is checked.
    Names buttons;
    bool intro = false; // the replay buttons enabled
    bool outro = false;
    bool selected = false; // the highlight
    std::wstring number;   // the episode number text

    bool operator==(const FrameView&) const = default;
};

std::ostream& operator<<(std::ostream& out, const FrameView& view)
{
    out << (view.unlocked ? "unlocked [" : "locked [");
    for (const std::string& button : view.buttons)
        out << "'" << button << "' ";
    return out << "] intro " << view.intro << " outro " << view.outro << " selected " << view.selected;
}

class LevelSelect : public testing::Test
{
protected:
    void Start(int episodes)
    {
        mData = std::make_unique<EpisodeData>(episodes);
        rig = std::make_unique<KitchenRig>(KitchenRig::Options{1, mData->Path()});
    }

    // Saves records in the current profile (score 100 wins, 200 with honours) and reloads them, as
    // a profile chosen again would.
    void Record(const std::map<std::string, int>& scores)
    {
        Account* account = AccountManager::Get()->GetCurrentAccount();
        ASSERT_NE(account, nullptr);
        for (const auto& [level, score] : scores)
        {
            const auto bytes = EncodeLevelRecord({score, 1});
            WriteLevelRecordBytes(account, level, bytes.data());
        }
        Progress().LoadFromAccount();
    }
    // Every challenge of episodes 1 to last won.
    void WinEpisodes(int last)
    {
        std::map<std::string, int> scores;
        for (int e = 1; e <= last; ++e)
            for (int c = 1; c <= 3; ++c)
                scores[Level(e, c)] = 100;
        Record(scores);
    }

    static LevelProgressManager& Progress() { return *LevelProgressManager::Instance(); }

    // The challenge select alone on the stack, as the main menu opens it.
    LevelSelectMode* Open(int eliminated = -1)
    {
        Looper::GetInstance().QueueRequest(new LevelSelectMode(eliminated), kModePopTo);
        rig->Step();
        return rig->TopAs<LevelSelectMode>();
    }

    static std::string Frame(int k) { return "LevelSelectMode/EpisodeAttach_" + std::to_string(k) + "/EpisodeFrame"; }

    FrameView View(int k) const
    {
        FrameView view;
        const std::string frame = Frame(k);
        const SceneNode* unlocked = rig->FindNode(frame + "/unlocked");
        const SceneNode* locked = rig->FindNode(frame + "/locked");
        if (!unlocked || !locked)
            return view;
        EXPECT_NE(unlocked->IsVisible(), locked->IsVisible()) << "frame " << k << " shows one group";
        view.unlocked = unlocked->IsVisible();
        for (const char* slot : {"DZ_1", "DZ_2", "Elimination"})
        {
            const SceneNode* place = rig->FindNode(frame + "/unlocked/ChallengeButtons/" + slot);
            const auto* button = place && !place->GetChildren().empty()
                                     ? dynamic_cast<const RadioButtonNode*>(place->GetChildren().front())
                                     : nullptr;
            std::string look;
            for (const char* name : {"Current", "Cleared", "Expert"})
                if (button &&
                    button->GetImages() == ResourceManager::Get<ImageList>(Label(("Button_Challenge" + std::string(name)).c_str())).Get())
                    look = name;
            if (button && button->IsChecked())
                look += " checked";
            view.buttons.push_back(look);
        }
        view.intro = Enabled(frame + "/unlocked/IntroButton");
        view.outro = Enabled(frame + "/unlocked/OutroButton");
        const auto* highlight = dynamic_cast<const StaticSpriteNode*>(rig->FindNode(frame + "/unlocked/Frame"));
        view.selected = view.unlocked && highlight && highlight->GetImage() &&
                        highlight->GetImage() ==
                            ResourceManager::Get<IImage>(Label("LevelSelect_EpisodeFrame_select")).Get();
        if (const auto* number = dynamic_cast<const StyledTextSpriteNode*>(
                rig->FindNode(frame + (view.unlocked ? "/unlocked" : "/locked") + "/EpisodeNum")))
            view.number = number->GetText();
        return view;
    }
    bool Enabled(const std::string& path) const
    {
        const auto* button = dynamic_cast<const ButtonNode*>(rig->FindNode(path));
        return button && button->IsEnabled();
    }
    // The figures not shown, by episode number.
    std::vector<int> HiddenFigures() const
    {
        std::vector<int> hidden;
        for (int e = 1; e <= LevelSelectMode::kFigureCount; ++e)
        {
            const SceneNode* figure = rig->FindNode(std::string("LevelSelectMode/Characters/") + kFigureNames[e - 1]);
            EXPECT_NE(figure, nullptr) << "figure " << e;
            if (figure && !figure->IsVisible())
                hidden.push_back(e);
        }
        return hidden;
    }
    void Press(const std::string& path)
    {
        rig->Click(path);
        rig->Step();
    }
    // How many frames each attach point holds.
    std::vector<std::size_t> FrameCounts() const
    {
        std::vector<std::size_t> counts;
        for (int k = 1; k <= 3; ++k)
        {
            const SceneNode* attach = rig->FindNode("LevelSelectMode/EpisodeAttach_" + std::to_string(k));
            counts.push_back(attach ? attach->GetChildren().size() : 99);
        }
        return counts;
    }

    std::unique_ptr<EpisodeData> mData;
    std::unique_ptr<KitchenRig> rig;
};

const FrameView kLockedFrame{false, {"", "", ""}, false, false, false, {}};

TEST_F(LevelSelect, ANewProfileKeepsEveryContestantAndOpensOnlyTheFirstChallengeChecked)
{
    Start(5);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(rig->Modes(), Names{"LevelSelectMode"});
    EXPECT_EQ(rig->TopAs<LevelSelectMode>()->GetPage(), 1);
    EXPECT_EQ(HiddenFigures(), std::vector<int>{});
    EXPECT_EQ(View(1), (FrameView{true, {"Current checked", "", ""}, false, false, true, L"Episode 1"}));
    FrameView locked2 = kLockedFrame, locked3 = kLockedFrame;
    locked2.number = L"Episode 2";
    locked3.number = L"Episode 3";
    EXPECT_EQ(View(2), locked2);
    EXPECT_EQ(View(3), locked3);
}

// Records, then what the screen opened without an elimination shows.
struct ProgressCase
{
    const char* name;
    std::map<std::string, int> scores;
    int page;
    std::vector<int> hiddenFigures;
    FrameView frames[3];
};

class ChallengeButtons : public LevelSelect, public testing::WithParamInterface<ProgressCase>
{
};

TEST_P(ChallengeButtons, EveryClearedChallengeInItsLookAndExactlyTheNextOneOpen)
{
    const ProgressCase& c = GetParam();
    Start(5);
    Record(c.scores);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(rig->TopAs<LevelSelectMode>()->GetPage(), c.page);
    EXPECT_EQ(HiddenFigures(), c.hiddenFigures);
    for (int k = 0; k < 3; ++k)
    {
        FrameView view = View(k + 1);
        view.number.clear();
        EXPECT_EQ(view, c.frames[k]) << "frame " << k + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Progress, ChallengeButtons,
    testing::Values(
        ProgressCase{"FirstCleared",
                     {{"E1_1", 100}},
                     1,
                     {1},
                     {{true, {"Cleared", "Current checked", ""}, true, false, true, {}}, kLockedFrame, kLockedFrame}},
        ProgressCase{"FirstWithHonoursEpisodeWonSecondStarted",
                     {{"E1_1", 250}, {"E1_2", 100}, {"E1_3", 199}, {"E2_1", 100}},
                     1,
                     {1, 2},
                     {{true, {"Expert", "Cleared", "Cleared"}, true, true, false, {}},
                      {true, {"Cleared", "Current checked", ""}, true, false, true, {}},
                      kLockedFrame}},
        // Episode 4 is not finished, but its contestant left with its first challenge; its frame
        // is in the middle.
        ProgressCase{"ThreeEpisodesAndTheFourthsFirstChallenge",
                     {{"E1_1", 100}, {"E1_2", 100}, {"E1_3", 100}, {"E2_1", 100}, {"E2_2", 100}, {"E2_3", 100},
                      {"E3_1", 100}, {"E3_2", 100}, {"E3_3", 200}, {"E4_1", 100}},
                     3,
                     {1, 2, 3, 4},
                     {{true, {"Cleared", "Cleared", "Expert"}, true, true, false, {}},
                      {true, {"Cleared", "Current checked", ""}, true, false, true, {}},
                      kLockedFrame}},
        // A challenge won out of order opens with the first one not won.
        ProgressCase{"AGapInTheRecords",
                     {{"E1_1", 100}, {"E1_3", 100}},
                     1,
                     {1},
                     {{true, {"Cleared", "Current", "Cleared"}, true, true, false, {}}, kLockedFrame, kLockedFrame}}),
    [](const testing::TestParamInfo<ProgressCase>& info) { return std::string(info.param.name); });

TEST_F(LevelSelect, TheEpisodeJustWonLosesItsContestantInFourBlinksOnceItsOutroHasClosed)
{
    Start(5);
    WinEpisodes(3);
    // The judges of episode 3's elimination move on: the screen with the episode's outro over it.
    Progress().SetCurrentLevelIndex(Progress().GetLevelIndex(Label("E3_3")));
    Progress().AdvanceAfterLevel();
    rig->Step();
    ASSERT_EQ(rig->Modes(), (Names{"LevelSelectMode", "CutsceneMode"}));
    EXPECT_EQ(rig->TopAs<CutsceneMode>()->GetCutsceneName(), Label("Episode3_Outro"));
    EXPECT_EQ(dynamic_cast<LevelSelectMode*>(Looper::GetInstance().GetModeStack()[0])->GetEliminatedEpisode(), 3);
    rig->Step(100);
    const auto* figure =
        dynamic_cast<SceneNode*>(Looper::GetInstance().GetModeStack()[0]->FindByName(Label("figure03")));
    ASSERT_NE(figure, nullptr);
    EXPECT_FALSE(figure->IsVisible()) << "nothing blinks while the outro is on";

    // Figure 3, sampled each update from the outro's close: four times shown for 0.4 s, then gone
    // for good.
    int appearances = 0;
    int shownUpdates = 0;
    bool wasVisible = false;
    for (int update = 0; update < 250; ++update)
    {
        if (update == 0)
            rig->PopTop();
        else
            rig->Step();
        ASSERT_NE(rig->TopAs<LevelSelectMode>(), nullptr);
        const bool visible = figure->IsVisible();
        appearances += visible && !wasVisible;
        shownUpdates += visible;
        wasVisible = visible;
        if (update >= 165)
        {
            EXPECT_FALSE(visible) << "after 3.2 s the figure stays hidden (update " << update << ")";
        }
    }
    EXPECT_EQ(appearances, 4);
    EXPECT_NEAR(shownUpdates, 80, 4) << "shown 0.4 s each time";
    EXPECT_EQ(HiddenFigures(), (std::vector<int>{1, 2, 3}));
}

// Arrow presses and the page each leaves: clamped at 1 and at the last page, which shows the last
// three episodes.
TEST_F(LevelSelect, TheArrowsPageThroughTheEpisodesAndRebuildTheSamePageAtEitherEnd)
{
    Start(5);
    ASSERT_NE(Open(), nullptr);
    const struct
    {
        const char* arrow;
        int page;
        std::wstring lastFrameNumber;
    } steps[] = {{"Left", 1, L"Episode 3"},  {"Right", 2, L"Episode 4"}, {"Right", 3, L"Episode 5"},
                 {"Right", 3, L"Episode 5"}, {"Left", 2, L"Episode 4"},  {"Left", 1, L"Episode 3"}};
    for (const auto& step : steps)
    {
        const SceneNode* oldFrame = rig->FindNode(Frame(1));
        ASSERT_NE(oldFrame, nullptr);
        const ObjectID oldID = oldFrame->GetID();
        rig->Click(std::string("LevelSelectMode/") + step.arrow + "Button");
        EXPECT_EQ(rig->TopAs<LevelSelectMode>()->GetPage(), step.page) << step.arrow;
        EXPECT_EQ(FrameCounts(), (std::vector<std::size_t>{1, 1, 1})) << "the old frames left their places at once";
        EXPECT_EQ(rig->Top()->Get(oldID), nullptr) << "the page was rebuilt, also when it stayed";
        rig->Step();
        EXPECT_EQ(View(3).number, step.lastFrameNumber);
        EXPECT_EQ(View(1).selected, step.page == 1) << "the highlight follows the current level's episode";
    }
}

TEST_F(LevelSelect, ChoosingAChallengeMakesItCurrentAndMovesTheHighlightForeignRadioButtonsAreIgnored)
{
    Start(5);
    Record({{"E1_1", 100}, {"E1_2", 100}, {"E1_3", 100}, {"E2_1", 100}});
    ASSERT_NE(Open(), nullptr);
    ASSERT_EQ(Progress().GetCurrentLevelID(), Label("E2_2"));
    ASSERT_TRUE(View(2).selected);

    Press(Frame(1) + "/unlocked/ChallengeButtons/DZ_2/E1_2");
    EXPECT_EQ(Progress().GetCurrentLevelID(), Label("E1_2"));
    EXPECT_EQ(View(1).buttons, (Names{"Cleared", "Cleared checked", "Cleared"}));
    EXPECT_EQ(View(2).buttons, (Names{"Cleared", "Current", ""})) << "one radio group across the frames";
    EXPECT_TRUE(View(1).selected);
    EXPECT_FALSE(View(2).selected);

    // A radio button of the group whose name is no level ID leaves the current level alone.
    auto* stranger = new RadioButtonNode(ColorF::OpaqueBlack(), nullptr, Label("EpisodeButton"), Label("NotALevel"),
                                         {380.0f, 0.0f}, ResourceManager::Get<ImageList>(Label("Button_ChallengeCurrent")).Get(),
                                         0.0f, nullptr);
    stranger->RegisterTree(rig->Top());
    stranger->AttachAs(rig->FindNode("LevelSelectMode"), Label("NotALevel"));
    stranger->SetPosition(380.0f, 0.0f);
    Press("LevelSelectMode/NotALevel");
    ASSERT_TRUE(stranger->IsChecked()) << "it was clicked";
    EXPECT_EQ(View(1).buttons, (Names{"Cleared", "Cleared", "Cleared"}));
    EXPECT_EQ(Progress().GetCurrentLevelID(), Label("E1_2"));
    EXPECT_TRUE(View(1).selected);
}

// What Play leaves on the stack: the level screen at the bottom, and the episode's intro
// cutscene on top only for an episode's first challenge not yet won.
struct PlayCase
{
    const char* name;
    std::map<std::string, int> scores;
    const char* choose; // a challenge button pressed first, or null
    const char* level;
    const char* cutscene; // null: none on top
};

class Play : public LevelSelect, public testing::WithParamInterface<PlayCase>
{
};

TEST_P(Play, StartsTheCurrentChallengeWithTheIntroCutsceneOnlyForAnUnwonFirstChallenge)
{
    const PlayCase& c = GetParam();
    Start(5);
    Record(c.scores);
    ASSERT_NE(Open(), nullptr);
    if (c.choose)
        Press(Frame(1) + "/unlocked/ChallengeButtons/DZ_1/" + c.choose);
    Press("LevelSelectMode/PlayButton");
    rig->Step();
    const Names modes = rig->Modes();
    ASSERT_FALSE(modes.empty());
    EXPECT_EQ(modes.front(), "GameMode");
    EXPECT_EQ(std::count(modes.begin(), modes.end(), "LevelSelectMode"), 0);
    EXPECT_EQ(Progress().GetCurrentLevelID(), Label(c.level));
    auto* cutscene = rig->TopAs<CutsceneMode>();
    if (c.cutscene)
    {
        ASSERT_NE(cutscene, nullptr);
        EXPECT_EQ(cutscene->GetCutsceneName(), Label(c.cutscene));
    }
    else
        EXPECT_EQ(cutscene, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Challenges, Play,
                         testing::Values(PlayCase{"NewProfile", {}, nullptr, "E1_1", "Episode1_Intro"},
                                         PlayCase{"SecondChallenge", {{"E1_1", 100}}, nullptr, "E1_2", nullptr},
                                         PlayCase{"ReplayOfAWonFirstChallenge", {{"E1_1", 100}}, "E1_1", "E1_1", nullptr}),
                         [](const testing::TestParamInfo<PlayCase>& info) { return std::string(info.param.name); });

TEST_F(LevelSelect, TheReplayButtonsPlayTheEpisodesCutscenesOverTheScreenAndTheMainMenuButtonLeavesIt)
{
    Start(5);
    WinEpisodes(1);
    ASSERT_NE(Open(), nullptr);
    for (const auto& [button, cutscene] : {std::pair{"IntroButton", "Episode1_Intro"}, {"OutroButton", "Episode1_Outro"}})
    {
        Press(Frame(1) + "/unlocked/" + button);
        ASSERT_EQ(rig->Modes(), (Names{"LevelSelectMode", "CutsceneMode"})) << button;
        EXPECT_EQ(rig->TopAs<CutsceneMode>()->GetCutsceneName(), Label(cutscene));
        rig->PopTop();
        ASSERT_EQ(rig->Modes(), Names{"LevelSelectMode"});
    }
    EXPECT_FALSE(View(2).intro) << "episode 2's first challenge is not won";
    Press("LevelSelectMode/MainMenuButton");
    EXPECT_EQ(rig->Modes(), Names{"MainMenuMode"});
}

// Level orders the screen was not made for: fewer than three episodes leave places empty, a
// sixteenth episode has a frame but no figure.
TEST_F(LevelSelect, OneTwoOrSixteenEpisodesOpenShowingTheEpisodesThereAre)
{
    const struct
    {
        int episodes;
        std::vector<std::size_t> frames;
        int lastPage;
    } cases[] = {{1, {1, 0, 0}, 1}, {2, {1, 1, 0}, 1}, {16, {1, 1, 1}, 14}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.episodes);
        Start(c.episodes);
        WinEpisodes(c.episodes - 1);
        // The last episode just won, with a figure only up to 15.
        ASSERT_NE(Open(c.episodes), nullptr);
        EXPECT_EQ(rig->TopAs<LevelSelectMode>()->GetPage(), c.lastPage);
        EXPECT_EQ(FrameCounts(), c.frames);
        Press("LevelSelectMode/RightButton");
        EXPECT_EQ(rig->TopAs<LevelSelectMode>()->GetPage(), c.lastPage);
        Press("LevelSelectMode/LeftButton");
        rig->Step(200);
        EXPECT_EQ(HiddenFigures().size(), static_cast<std::size_t>(std::min(c.episodes, 15)));
        rig.reset();
    }
}
} // namespace
