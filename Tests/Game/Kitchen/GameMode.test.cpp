// The level screen while a level runs: the clock and the host's cues, the next-recipe popup and
// its masks, the level number, the music, the keys and the pause button, and the levels it
// refuses. Each test plays a kitchen test level through the kitchen rig.
#include "KitchenTest.h"

#include "Framework/IInputHandler.h"
#include "Framework/InputHandlerComponent.h"
#include "Framework/Object.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/RefusedLevelValues.h"
#include "Game/Menus/InGameMenuMode.h"
#include "Support/BoxCapture.h"
#include "Support/DebugCapture.h"
#include "Support/TempFolder.h"

#include <SDL.h>

#include <set>
#include <utility>

using namespace Corvane::Testing;
using namespace KitchenLevels;
namespace Paths = KitchenPaths;

namespace
{
using Names = std::vector<std::string>;

// A voice cue with the clock shown in the update before it and in its own update.
struct Cue
{
    std::string voice;
    std::wstring before;
    std::wstring shown;
    bool operator==(const Cue&) const = default;
};

void PrintTo(const Cue& cue, std::ostream* out)
{
    *out << cue.voice << " " << std::string(cue.before.begin(), cue.before.end()) << "->"
         << std::string(cue.shown.begin(), cue.shown.end());
}

struct ClockCase
{
    const char* name;
    int level;
    std::vector<Cue> cues;
};

class LevelClock : public KitchenTest, public testing::WithParamInterface<ClockCase>
{
};

TEST_P(LevelClock, EachCuePlaysOnceInTheUpdateThatFirstShowsItsTime)
{
    game = rig.StartLevel(GetParam().level);
    ASSERT_NE(game, nullptr);
    // From before the popup closes: the clock's first update, in which a level of 61 s stands on
    // the mark, runs while it closes.
    std::wstring before = Clock();
    std::size_t seen = rig.Audio().GetEvents().size();
    ClosePopup();
    std::vector<Cue> cues;
    while (!game->HasEnded() && rig.GetUpdateCount() < 10000)
    {
        rig.Step();
        const std::vector<SoundEvent>& events = rig.Audio().GetEvents();
        for (; seen < events.size(); ++seen)
            if (events[seen].event == "start" && events[seen].sound.starts_with("VO_Veyla_") &&
                events[seen].sound != "VO_Veyla_Begin")
                cues.push_back({events[seen].sound, before, Clock()});
        if (!game->HasEnded())
            before = Clock();
    }
    EXPECT_EQ(cues, GetParam().cues);
    EXPECT_EQ(CountSounds("start", "VO_Veyla_Begin"), 1);
    EXPECT_EQ(CountSounds("start", "SFX_OutOfTime"), 1) << "the clock ran out";
}

INSTANTIATE_TEST_SUITE_P(
    LevelScreen, LevelClock,
    testing::Values(ClockCase{"NinetySeconds",
                              kClock90,
                              {{"VO_Veyla_1Minute", L"1:01", L"1:00"},
                               {"VO_Veyla_30Seconds", L"0:31", L"0:30"},
                               {"VO_Veyla_10Seconds", L"0:11", L"0:10"}}},
                    ClockCase{"FortyFiveSecondsHaveNoMinuteCue",
                              kClock45,
                              {{"VO_Veyla_30Seconds", L"0:31", L"0:30"}, {"VO_Veyla_10Seconds", L"0:11", L"0:10"}}},
                    ClockCase{"SixtyOneSecondsStartOnTheMarkAndSkipIt",
                              kClock61,
                              {{"VO_Veyla_30Seconds", L"0:31", L"0:30"}, {"VO_Veyla_10Seconds", L"0:11", L"0:10"}}}),
    [](const testing::TestParamInfo<ClockCase>& info) { return info.param.name; });

TEST_F(KitchenTest, TheClockStandsWhileThePopupShowsAndTheHostOpensTheLevelWhenItCloses)
{
    game = rig.StartLevel(kClock90);
    ASSERT_NE(game, nullptr);
    EXPECT_TRUE(game->IsPaused());
    EXPECT_EQ(Clock(), L"1:30");
    rig.Step(200);
    EXPECT_EQ(Clock(), L"1:30");
    EXPECT_EQ(game->GetTimeLeft(), 90.0f);
    EXPECT_EQ(CountSounds("start", "VO_Veyla_Begin"), 0) << "not on entering";

    rig.Click(Paths::kPopupBG);
    EXPECT_EQ(game->GetPopup(), Corvane::kNoObject);
    EXPECT_EQ(rig.FindNode(Paths::kPopupBG), nullptr) << "the popup is gone";
    const int closedAt = rig.GetUpdateCount();
    // The rig's player has seen the tips: no tip takes the next update (TutorialInLevel.test.cpp
    // plays it with a new player).
    rig.Step();
    EXPECT_EQ(rig.Audio().Log("VO_Veyla_Begin"), Names{std::to_string(closedAt + 1) + " start VO_Veyla_Begin"});
    rig.Step(49);
    EXPECT_EQ(Clock(), L"1:29");
}

struct MaskCase
{
    const char* name;
    int waitUpdates;
    bool onBubble; // else on the screen far from the bubble
    bool closes;
};

class PopupMasks : public KitchenTest, public testing::WithParamInterface<MaskCase>
{
};

TEST_P(PopupMasks, TheTimerMaskTakesTheClicksOfThePopupsFirstSecondAndAQuarter)
{
    game = rig.StartLevel(kClock90);
    ASSERT_NE(game, nullptr);
    rig.Step(GetParam().waitUpdates);
    if (GetParam().onBubble)
        rig.Click(Paths::kPopupBG);
    else
    {
        rig.MoveTo(60, 560);
        rig.PressAt(60, 560);
        rig.ReleaseAt(60, 560);
    }
    rig.Step();
    EXPECT_EQ(!game->IsPaused(), GetParam().closes);
    EXPECT_EQ(rig.FindNode(Paths::kPopupBG) == nullptr, GetParam().closes);
    const SceneNode* mask = rig.FindNode(Paths::kInputMask);
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->IsVisible(), !GetParam().closes);
}

INSTANTIATE_TEST_SUITE_P(LevelScreen, PopupMasks,
                         testing::Values(MaskCase{"BubbleEarly", 40, true, false},
                                         MaskCase{"ScreenEarly", 50, false, false},
                                         MaskCase{"BubbleLater", 60, true, true},
                                         MaskCase{"ScreenLater", 60, false, true}),
                         [](const testing::TestParamInfo<MaskCase>& info) { return info.param.name; });

// An object of the kitchen that takes every key it is offered.
class KeyTaker : public Corvane::Object, public Corvane::InputHandlerComponent
{
public:
    explicit KeyTaker(std::vector<int>& keys) : mKeys(keys) {}
    bool KeyDown(int key) override
    {
        mKeys.push_back(key);
        return true;
    }

private:
    std::vector<int>& mKeys;
};

TEST_F(KitchenTest, EscapeAndKey256OpenThePauseMenuAndOtherKeysReachTheKitchensObjects)
{
    game = rig.StartLevel(kClock90);
    ASSERT_NE(game, nullptr);
    ClosePopup();
    std::vector<int> keys;
    game->Add(new KeyTaker(keys));
    const std::vector<std::pair<const char*, std::function<void()>>> pauses = {
        {"Escape on the window", [&] { rig.Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE); }},
        {"key code 27", [&] { rig.KeyCode(27); }},
        {"key code 256", [&] { rig.KeyCode(256); }},
    };
    for (const auto& [what, press] : pauses)
    {
        press();
        rig.Step();
        EXPECT_EQ(rig.Modes(), (Names{"GameMode", "InGameMenuMode"})) << what;
        const float time = game->GetTimeLeft();
        rig.Step(20);
        EXPECT_EQ(game->GetTimeLeft(), time) << "the level stands under the pause menu";
        rig.PopTop();
    }
    rig.KeyCode(65);
    rig.Key(SDLK_SPACE, SDL_SCANCODE_SPACE);
    rig.Step();
    EXPECT_EQ(rig.Modes(), Names{"GameMode"});
    EXPECT_EQ(keys, (std::vector<int>{65, 32}));
}

struct NumberCase
{
    const char* name;
    int level;
    std::wstring number;
    int musicState;
    std::set<std::string> tracks;
};

class LevelNumberAndMusic : public KitchenTest, public testing::WithParamInterface<NumberCase>
{
};

TEST_P(LevelNumberAndMusic, TheLevelShowsItsEpisodeAndChallengeAndPicksItsMusic)
{
    // The title's music plays before.
    const std::size_t first = rig.Audio().GetEvents().size();
    game = rig.StartLevel(GetParam().level);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(Text(Paths::kLevelNumber), GetParam().number);
    EXPECT_EQ(GameAudioManager::GetInstance()->GetMusicState(), GetParam().musicState);
    std::vector<std::string> started;
    const std::vector<SoundEvent>& events = rig.Audio().GetEvents();
    for (std::size_t i = first; i < events.size(); ++i)
        // An episode's first level opens with its intro cutscene, and every level with its level
        // intro: both play music of their own.
        if (events[i].event == "start" && events[i].sound.starts_with("MUSIC_") &&
            !events[i].sound.starts_with("MUSIC_Cutscene_") && events[i].sound != "MUSIC_LevelIntro")
            started.push_back(events[i].sound);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_TRUE(GetParam().tracks.contains(started[0])) << started[0];

    // Coming back from the pause menu keeps the track going.
    rig.KeyCode(27);
    rig.Step();
    rig.PopTop();
    EXPECT_EQ(CountSounds("start", started[0]), 1);
    EXPECT_EQ(CountSounds("stop", started[0]), 0);
}

const std::set<std::string> kQuickTracks = {"MUSIC_Track_2", "MUSIC_Track_3", "MUSIC_Track_5"};
const std::set<std::string> kOtherTracks = {"MUSIC_Track_1", "MUSIC_Track_4"};

INSTANTIATE_TEST_SUITE_P(LevelScreen, LevelNumberAndMusic,
                         testing::Values(NumberCase{"FirstChallenge", kClock90, L"1-1", 2, kQuickTracks},
                                         NumberCase{"SecondChallenge", kClock45, L"1-2", 2, kQuickTracks},
                                         NumberCase{"Elimination", kClock61, L"1-3", 3, kOtherTracks},
                                         NumberCase{"SecondEpisodesElimination", kTwoDishes, L"2-3", 3, kOtherTracks},
                                         NumberCase{"InNoEpisode", kNoEpisode, L"0-1", 3, kOtherTracks}),
                         [](const testing::TestParamInfo<NumberCase>& info) { return info.param.name; });

struct RefusedCase
{
    const char* name;
    int level;
    const char* message;
};

class RefusedLevel : public KitchenTest, public testing::WithParamInterface<RefusedCase>
{
};

TEST_P(RefusedLevel, ALevelWithNothingToCookIsRefusedByNameAndNeitherTimedNorSaved)
{
    // Without a challenge select to go back to (with one: the test below), the level stays.
    GetLevelFlowHooks().makeLevelSelectMode = nullptr;
    DebugCapture debug;
    game = rig.StartLevel(GetParam().level);
    ASSERT_NE(game, nullptr);
    EXPECT_TRUE(game->IsRefused());
    EXPECT_NE(debug.Text().find(GetParam().message), std::string::npos) << debug.Text();
    EXPECT_EQ(game->GetPopup(), Corvane::kNoObject);
    rig.Step(3000);
    EXPECT_EQ(rig.Modes(), Names{"GameMode"}) << "the level neither ends nor shows its outro";
    EXPECT_EQ(CountSounds("start", "VO_Veyla_Begin"), 0);
    LevelProgressManager* progress = LevelProgressManager::Instance();
    EXPECT_EQ(progress->GetLevelRecord(progress->GetCurrentLevelID()).bestScore, 0);
    // The player still has the pause menu to leave by.
    rig.KeyCode(27);
    rig.Step();
    EXPECT_EQ(rig.Modes(), (Names{"GameMode", "InGameMenuMode"}));
}

INSTANTIATE_TEST_SUITE_P(
    LevelScreen, RefusedLevel,
    testing::Values(RefusedCase{"RecipesWithoutSteps", kNoSteps,
                                "The level \"Test_NoSteps\" has no recipe with cooking steps and cannot be played."},
                    RefusedCase{"NoRecipes", kNoRecipes,
                                "The level \"Test_NoSteps2\" has no recipe with cooking steps and cannot be played."}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

// Values of level files no kitchen could play, met as the player starts each level: one box for
// each, naming the file and the value as written, and nothing of the level starts.
TEST(RefusedLevelValues, EachGivesOneBoxNamingTheFileAndTheValueAndNothingOfTheLevelStarts)
{
    const std::vector<RefusedLevelValue>& cases = RefusedLevelValues();
    // Three levels an episode, each in a file of its own; the last episode's free places take one
    // more of its levels.
    const char* const slots[] = {"Dashcourse_1", "Dashcourse_2", "Elimination"};
    TempFolder overlay;
    std::string order =
        R"(<resources><LevelProgressionData name="AllLevels"><EpisodeDescriptorList name="EpisodeList">)";
    const std::size_t places = (cases.size() + 2) / 3 * 3;
    for (std::size_t i = 0; i < places; ++i)
    {
        const std::string id = "Refused_" + std::to_string(i % cases.size());
        if (i < cases.size())
            overlay.Write("Levels/" + id + ".xml", "<resources><KitchenLevelData name=\"" + id + "\" " +
                                                       cases[i].attributes +
                                                       "><LevelRecipe RecipeID=\"Recipe_TomatoSoup\"/>" +
                                                       cases[i].children + "</KitchenLevelData></resources>");
        if (i % 3 == 0)
            order += "<EpisodeDescriptor EpisodeNum=\"" + std::to_string(i / 3 + 1) +
                     R"("><LevelDescriptor name="Intro" levelID="Episode1_Intro" filename="Cutscenes"/>)"
                     R"(<LevelDescriptor name="Outro" levelID="Episode1_Outro" filename="Cutscenes"/>)";
        order += std::string("<LevelDescriptor name=\"") + slots[i % 3] + "\" levelID=\"" + id + "\" filename=\"" + id +
                 "\"/>";
        if (i % 3 == 2)
            order += "</EpisodeDescriptor>";
    }
    overlay.Write("Manifests/LevelProgression.xml",
                  order + "</EpisodeDescriptorList></LevelProgressionData></resources>");

    KitchenRig rig({1, overlay.Path().string()});
    BoxCapture boxes;
    LevelProgressManager* progress = LevelProgressManager::Instance();
    for (std::size_t i = 0; i < cases.size(); ++i)
    {
        const std::string id = "Refused_" + std::to_string(i);
        SCOPED_TRACE(cases[i].problem);
        boxes.Clear();
        progress->SetCurrentLevelIndex(progress->GetLevelIndex(Corvane::Label(id.c_str())));
        EXPECT_FALSE(progress->StartLevel());
        rig.Step(3);
        EXPECT_EQ(rig.Modes(), Names{"TitleMode"});
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        const std::string& box = boxes.Boxes()[0];
        EXPECT_NE(box.find(id + ".xml("), std::string::npos) << box;
        EXPECT_NE(box.find("the level \"" + id + "\" " + cases[i].problem), std::string::npos) << box;
    }
}

// A marker for the level select screen, which the level flow makes through its hook.
class LevelSelectStandIn : public SceneApplicationMode
{
};

TEST_F(KitchenTest, ARefusedLevelGoesBackToTheChallengeSelectWhenTheGameHasOne)
{
    GetLevelFlowHooks().makeLevelSelectMode = [](int episode) -> Corvane::ApplicationMode* {
        EXPECT_EQ(episode, -1);
        return new LevelSelectStandIn;
    };
    LevelProgressManager* progress = LevelProgressManager::Instance();
    progress->SetCurrentLevelIndex(kNoSteps);
    progress->StartLevel();
    rig.Step(2);
    GetLevelFlowHooks().makeLevelSelectMode = nullptr;
    EXPECT_EQ(rig.Modes(), Names{"(anonymous namespace)::LevelSelectStandIn"});
}
} // namespace
