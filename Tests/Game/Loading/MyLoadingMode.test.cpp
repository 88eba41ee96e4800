// The loading screen's worker and hand-over: weighted progress on the meter, the wait for both the
// worker and the splash sequence, the load-time report, quitting while it loads, closing it while
// its worker runs, and groups that are missing or broken.
#include "Framework/Engine.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Application/StartupGroups.h"
#include "Game/Loading/LoadingScreen.h"
#include "Game/Loading/MyResourceLoadTask.h"
#include "SceneGraph/MeterBarNodes.h"
#include "Support/BoxCapture.h"

#include <algorithm>
#include <utility>
#include <vector>

using namespace Corvane;

namespace
{
int CountOf(const std::string& text, const std::string& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}
} // namespace

TEST_F(LoadingScreenTest, TheMeterShowsTheWeightedShareOfTheFinishedStepsAndOfTheRunningOne)
{
    // Weights 1 ("resources"), 2, 1, 6: the steps before the third make up 0.3 of the work.
    MyLoadingMode mode;
    std::vector<float> seen;
    mode.AddTask(
        std::make_unique<ScriptedTask>([&](IResourceLoadProgress&) { seen.push_back(mode.GetDisplayProgress()); }), 2);
    mode.AddTask(std::make_unique<ScriptedTask>([&](IResourceLoadProgress& progress) {
                     progress.SetProgress(0.5f);
                     seen.push_back(mode.GetDisplayProgress());
                 }),
                 1);
    mode.AddTask(std::make_unique<ScriptedTask>([&](IResourceLoadProgress& progress) {
                     progress.SetProgress(0.9f);
                     seen.push_back(mode.GetDisplayProgress());
                 }),
                 6);
    EXPECT_EQ(mode.GetDisplayProgress(), 0.0f);
    mode.Run();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_FLOAT_EQ(seen[0], 10.0f);
    EXPECT_FLOAT_EQ(seen[1], 35.0f);
    EXPECT_FLOAT_EQ(seen[2], 94.0f);
    EXPECT_EQ(mode.GetDisplayProgress(), 100.0f);
}

TEST_F(LoadingScreenTest, TheStartUpGroupsEndOnExactlyOneHundred)
{
    // 44 shares of 581 do not add up to exactly 1 in floats; the end is 100 all the same, and no
    // step before the last reaches it.
    MyLoadingMode mode;
    std::vector<float> seen;
    for (const StartupGroup& group : GetStartupGroups().subspan(1))
        mode.AddTask(
            std::make_unique<ScriptedTask>([&](IResourceLoadProgress&) { seen.push_back(mode.GetDisplayProgress()); }),
            group.weight);
    mode.Run();
    ASSERT_EQ(seen.size(), 43u);
    EXPECT_NEAR(seen.front(), 100.0f / 581.0f, 1e-4f);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_LT(seen.back(), 100.0f);
    EXPECT_EQ(mode.GetDisplayProgress(), 100.0f);
}

TEST_F(LoadingScreenTest, TheMeterNodeFollowsTheWorkerWhileTheScreenIsUp)
{
    WriteLoading(-1, 0, 0);
    auto* mode = new MyLoadingMode;
    mode->AddTask(std::make_unique<ScriptedTask>([](IResourceLoadProgress& progress) { progress.SetProgress(0.5f); }),
                  1);
    mode->AddTask(gate.Step(), 2);
    Enter(mode);
    ASSERT_GE(UpdateUntil([&] { return gate.entered.load(); }), 0);
    scene.Update();
    auto* meter = Node<MeterBarNode>("loadingMeter");
    ASSERT_NE(meter, nullptr);
    EXPECT_FLOAT_EQ(meter->GetValue(), 50.0f);
    EXPECT_FALSE(OnTitle());

    gate.open = true;
    ASSERT_GE(UpdateUntil([&] { return OnTitle(); }), 0);
}

TEST_F(LoadingScreenTest, TheTitleComesWhenBothTheWorkerAndTheSplashSequenceAreDone)
{
    // The splash lasts about 0.5 s (25 ticks); the worker waits for the test.
    WriteLoading(0.2f, 0.04f, 2);
    scene.AddSolidImage("CursorArrow", 4, 4, 0xFFFFFFFF);
    auto* mode = new MyLoadingMode;
    mode->AddTask(gate.Step(), 1);
    Enter(mode);
    ASSERT_GE(UpdateUntil([&] { return mode->IsSplashFinished(); }), 10);
    scene.Update(5);
    EXPECT_FALSE(OnTitle()) << "the worker is still loading";
    EXPECT_TRUE(mode->IsLoading());

    gate.open = true;
    debug.Clear();
    ASSERT_GE(UpdateUntil([&] { return OnTitle(); }), 0);
    const std::string report = debug.Text();
    EXPECT_NE(report.find("LoadingMode Actual Load Times: \n\tTask 0 - "), std::string::npos) << report;
    EXPECT_NE(report.find("\n\tTask 1 - "), std::string::npos) << report;
    EXPECT_EQ(report.find("\tTask 2 - "), std::string::npos) << report;
    ASSERT_NE(ResourceManager::Get<Image>("CursorArrow").Get(), nullptr);
    EXPECT_EQ(GetCustomCursor().image, ResourceManager::Get<Image>("CursorArrow").Get());

    // A worker that ends first waits for the splash sequence.
    Enter(new MyLoadingMode);
    const int ticks = UpdateUntil([&] { return OnTitle(); });
    EXPECT_GE(ticks, 20) << "the title came before the splash sequence was over";
}

TEST_F(LoadingScreenTest, QuittingWhileItLoadsCancelsTheWorkerAndEndsWithoutTheTitle)
{
    // A splash of many seconds: quitting does not wait for it.
    WriteLoading(10.0f, 1.0f, 2);
    auto laterStartedCancelled = std::make_shared<std::atomic<bool>>(false);
    auto* mode = new MyLoadingMode;
    mode->AddTask(gate.Step(), 10);
    mode->AddTask(std::make_unique<ScriptedTask>([laterStartedCancelled](IResourceLoadProgress& progress) {
                      *laterStartedCancelled = progress.IsCancelled();
                  }),
                  10);
    Enter(mode);
    ASSERT_GE(UpdateUntil([&] { return gate.entered.load(); }), 0);

    RequestQuit();
    EXPECT_FALSE(IsQuitting()) << "the first request is refused while the worker runs";
    const int ticks = UpdateUntil([] { return IsQuitting(); });
    ASSERT_GE(ticks, 0);
    EXPECT_LT(ticks, 100);
    EXPECT_TRUE(gate.sawCancel);
    EXPECT_TRUE(*laterStartedCancelled);
    EXPECT_FALSE(mode->IsLoading());
    EXPECT_EQ(scene.looper.GetTopMode(), mode);
    EXPECT_FALSE(scene.looper.HasPendingRequests()) << "no title screen was queued";
    EXPECT_TRUE(mode->CanQuit());
}

TEST_F(LoadingScreenTest, ClosingTheScreenWhileItsWorkerRunsStopsTheWorkerFirst)
{
    WriteLoading(-1, 0, 0);
    auto* mode = new MyLoadingMode;
    mode->AddTask(gate.Step(), 1);
    Enter(mode);
    ASSERT_GE(UpdateUntil([&] { return gate.entered.load(); }), 0);
    // The loop ends without a quit request (the platform's quit): the screen is popped and deleted.
    scene.looper.Shutdown();
    EXPECT_TRUE(gate.sawCancel) << "the worker was still running when the screen was gone";
}

TEST_F(LoadingScreenTest, TheProgramEndingWithoutItsShutDownStopsTheWorker)
{
    WriteLoading(-1, 0, 0);
    auto* mode = new MyLoadingMode;
    mode->AddTask(gate.Step(), 1);
    Enter(mode);
    ASSERT_GE(UpdateUntil([&] { return gate.entered.load(); }), 0);
    MyLoadingMode::StopRunningWorker();
    EXPECT_TRUE(gate.sawCancel);
    EXPECT_FALSE(mode->IsLoading());
}

struct MissingPiece
{
    const char* what;
    float visible; // below 0: no splash times
    bool layout;
};

void PrintTo(const MissingPiece& piece, std::ostream* out)
{
    *out << piece.what;
}

class LoadingWithoutSplash : public LoadingScreenTest, public testing::WithParamInterface<MissingPiece>
{
};

TEST_P(LoadingWithoutSplash, TheScreenStillLoadsAndHandsOverWithoutWaiting)
{
    // Were the splash played, it would last over 20 s.
    WriteLoading(GetParam().visible, 1.0f, 2, GetParam().layout);
    auto* mode = new MyLoadingMode;
    Enter(mode);
    EXPECT_TRUE(mode->IsSplashFinished());
    if (auto* background = Node<SceneNode>("splashBG"))
    {
        EXPECT_FALSE(background->IsVisible()) << "the splash background would hide the screen";
    }
    const int ticks = UpdateUntil([&] { return OnTitle(); });
    EXPECT_GE(ticks, 0);
    EXPECT_LT(ticks, 500);
}

INSTANTIATE_TEST_SUITE_P(Loading, LoadingWithoutSplash,
                         testing::Values(MissingPiece{"NoSplashTimes", -1.0f, true},
                                         MissingPiece{"NoLayout", 10.0f, false}, MissingPiece{"Neither", -1.0f, false}),
                         [](const testing::TestParamInfo<MissingPiece>& info) { return info.param.what; });

TEST_F(LoadingScreenTest, AMissingOrBrokenGroupIsReportedOnceAndTheOthersStillLoad)
{
    scene.WriteManifest("Present", R"(<float name="PresentValue" value="2"/>)");
    scene.Folder().Write("Broken.xml", "<?xml version=\"1.0\"?><resources><float name=");
    MyLoadingMode mode;
    for (const wchar_t* group : {L"Absent", L"Broken", L"Present", L"Absent", L"Broken"})
        mode.AddTask(std::make_unique<MyResourceLoadTask>(group), 1);
    debug.Clear();
    mode.Run();
    const std::string output = debug.Text();
    EXPECT_EQ(CountOf(output, "Absent.xml was not found"), 1) << output;
    EXPECT_EQ(CountOf(output, "Loading resource file Broken failed"), 1) << output;
    EXPECT_TRUE(ResourceManager::Get<Internal::ValueWrapper<float>>("PresentValue"));
    EXPECT_EQ(mode.GetDisplayProgress(), 100.0f);
}

// What could not be read at start-up, as the player meets it: one box naming each failure's file and
// reason at the end of loading; a game that lacks only a picture goes on to the title, one that lacks
// anything else ends as a quit ends, with the exit code of a game that could not run.
struct LoadFailures
{
    const char* what;
    std::vector<std::pair<std::string, std::string>> files; // name, bytes
    std::vector<const wchar_t*> groups;
    std::vector<std::string> named; // in the box, in order; none: no box
    bool plays;
};

void PrintTo(const LoadFailures& failures, std::ostream* out)
{
    *out << failures.what;
}

class LoadFailureReport : public LoadingScreenTest, public testing::WithParamInterface<LoadFailures>
{
protected:
    ~LoadFailureReport() override { SetExitCode(0); }
    Corvane::Testing::BoxCapture boxes;
};

TEST_P(LoadFailureReport, OneBoxNamesEachFileAndTheGameEndsWhenPlayNeedsWhatFailed)
{
    WriteLoading(-1, 0, 0);
    for (const auto& [name, bytes] : GetParam().files)
        scene.Folder().Write(name, bytes);
    auto* mode = new MyLoadingMode;
    for (const wchar_t* group : GetParam().groups)
        mode->AddTask(std::make_unique<MyResourceLoadTask>(group), 1);
    Enter(mode);
    ASSERT_GE(UpdateUntil([&] { return OnTitle() || IsQuitting(); }), 0);

    EXPECT_EQ(OnTitle(), GetParam().plays);
    EXPECT_EQ(IsQuitting(), !GetParam().plays);
    EXPECT_EQ(GetExitCode(), GetParam().plays ? 0 : 2);
    ASSERT_EQ(boxes.Boxes().size(), GetParam().named.empty() ? 0u : 1u) << testing::PrintToString(boxes.Boxes());
    if (GetParam().named.empty())
        return;
    const std::string& box = boxes.Boxes()[0];
    std::size_t at = 0;
    for (const std::string& named : GetParam().named)
    {
        at = box.find(named, at);
        ASSERT_NE(at, std::string::npos) << named << " is not named (in order) in " << box;
    }
    EXPECT_NE(box.find(GetParam().plays ? "The game goes on without them" : "ends now"), std::string::npos) << box;
}

const std::string kCutManifest = "<?xml version=\"1.0\"?>\n<resources>\n<!-- cut inside a com";
const std::string kGarbagePicture = R"(<?xml version="1.0"?>
<resources>
  <image name="Garbage" src="garbage"/>
</resources>)";

INSTANTIATE_TEST_SUITE_P(
    Loading, LoadFailureReport,
    testing::Values(
        LoadFailures{"NothingFails", {}, {}, {}, true},
        LoadFailures{"AGarbagePicture",
                     {{"Pictures.xml", kGarbagePicture}, {"garbage.png", "not a picture"}},
                     {L"Pictures"},
                     {"Pictures.xml, line 3:\n    image 'Garbage': Image garbage could not be loaded."},
                     true},
        LoadFailures{
            "TheLoadingGroupCutInAComment", {{"Loading.xml", kCutManifest}}, {}, {"Loading.xml, line 3:\n    "}, false},
        LoadFailures{"AFontWithAGarbagePicture",
                     {{"Fonts.xml", "<resources><font name=\"F\" src=\"glyphs\"/></resources>"},
                      {"glyphs.png", "not a picture either"}},
                     {L"Fonts"},
                     {"Fonts.xml, line 1:\n    font 'F': Image glyphs could not be loaded."},
                     false},
        LoadFailures{"ThreeAtOnce",
                     {{"Cut.xml", kCutManifest}, {"Pictures.xml", kGarbagePicture}, {"garbage.png", ""}},
                     {L"Absent", L"Cut", L"Pictures"},
                     {"\nResource file Absent.xml was not found.", "Cut.xml, line 3:", "image 'Garbage'"},
                     false}),
    [](const testing::TestParamInfo<LoadFailures>& info) { return info.param.what; });
