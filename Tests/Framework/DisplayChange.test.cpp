#include "Framework/DisplayChange.h"

#include "Framework/CommandLine.h"
#include "Support/DebugCapture.h"
#include "Support/FakePlatform.h"
#include "Support/FakeRenderers.h"
#include "Support/RecordingApplication.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;

class Recorder : public IWindowModeChangeHandler
{
public:
    explicit Recorder(Log& log) : mLog(log) {}
    void OnWindowModeChanged() override
    {
        mLog.push_back("changed " + std::to_string(GetDisplaySettings().windowMode));
    }

private:
    Log& mLog;
};

class DisplayChangeTest : public testing::Test
{
protected:
    DisplayChangeTest()
    {
        platform.log = &log;
        AddWindowModeChangeHandler(&recorder);
    }
    ~DisplayChangeTest() override
    {
        RemoveWindowModeChangeHandler(&recorder);
        SetCommandLine(L"");
    }

    // Applies with force, so that the settings left by an earlier test do not matter.
    void Apply(int windowMode)
    {
        DisplaySettings settings{windowMode, 1, 800, 600};
        ApplyDisplaySettings(settings, true);
    }
    // The renderer set-ups tried, as "<renderer> <window mode>".
    Log Attempts() const
    {
        Log attempts;
        for (const std::string& entry : log)
            if (entry.find(" Setup ") != std::string::npos)
                attempts.push_back(entry.substr(0, entry.find(' ')) + " " + entry.substr(entry.rfind(' ') + 1));
        return attempts;
    }

    DebugCapture debug;
    Log log;
    FakePlatform platform;
    RecordingApplication application{log};
    FakeRenderers renderers{log};
    Recorder recorder{log};
};

TEST_F(DisplayChangeTest, AFailedRendererMakesWayForTheNextRowWithANewWindow)
{
    renderers.fails = [](int kind) { return kind == kGraphicsDirect3D; };
    Apply(1);
    EXPECT_EQ(log,
              (Log{"platform DestroyWindow", "platform CreateWindow 1", "D3D7 Setup 1", "D3D7 Cleanup", "D3D7 deleted",
                   "platform DestroyWindow", "platform CreateWindow 1", "DDraw7 Setup 1", "changed 1"}));
    EXPECT_EQ(IGraphicsPlatform::GetInstance()->GetKind(), kGraphicsDirectDraw);
    EXPECT_EQ(debug.Writes(),
              (std::vector<std::string>{"Error initializing IGraphicsPlatform: ", "Corvane::RuntimeError\n",
                                        "\tFunction:\tFake::Setup\n", "\tFile:\tSource/Fake.cpp\n", "\tLine:\t7\n",
                                        "\tMessage:\tD3D7 cannot start\n"}));
}

TEST_F(DisplayChangeTest, AFullScreenRequestWalksAllFourRowsAndRethrowsTheLastFailure)
{
    renderers.fails = [](int) { return true; };
    try
    {
        Apply(1);
        FAIL() << "the last row's failure must propagate";
    }
    catch (const RuntimeError& e)
    {
        EXPECT_STREQ(e.what(), "DDraw7 cannot start");
    }
    EXPECT_EQ(Attempts(), (Log{"D3D7 1", "DDraw7 1", "D3D7 0", "DDraw7 0"}));
    EXPECT_EQ(std::count(log.begin(), log.end(), "changed 1") + std::count(log.begin(), log.end(), "changed 0"), 0);
}

TEST_F(DisplayChangeTest, AWindowedRequestStartsAtTheWindowedRows)
{
    renderers.fails = [](int kind) { return kind == kGraphicsDirect3D; };
    Apply(0);
    EXPECT_EQ(Attempts(), (Log{"D3D7 0", "DDraw7 0"}));
    EXPECT_EQ(GetDisplaySettings().windowMode, 0);
}

TEST_F(DisplayChangeTest, SoftwareSwitchSkipsTheDirect3DRows)
{
    SetCommandLine(L"fennik -software");
    Apply(1);
    EXPECT_EQ(Attempts(), Log{"DDraw7 1"});

    log.clear();
    renderers.fails = [](int) { return true; };
    EXPECT_THROW(Apply(0), RuntimeError) << "the only row tried is the last";
    EXPECT_EQ(Attempts(), Log{"DDraw7 0"});

    log.clear();
    SetCommandLine(L"fennik -Software");
    EXPECT_THROW(Apply(0), RuntimeError);
    EXPECT_EQ(Attempts(), (Log{"D3D7 0", "DDraw7 0"})) << "the switch is case-sensitive";
}

TEST_F(DisplayChangeTest, BrokenHardwareFallsBackToSoftwareInFullScreen)
{
    // The display device refuses Direct3D hardware when the command line says "-broken".
    renderers.fails = [](int kind) { return kind == kGraphicsDirect3D && CommandLineContains(L"-broken"); };
    SetCommandLine(L"fennik.exe -broken");
    Apply(1);
    EXPECT_EQ(Attempts(), (Log{"D3D7 1", "DDraw7 1"}));
    EXPECT_EQ(GetDisplaySettings().windowMode, 1);
}

TEST_F(DisplayChangeTest, ApplicationFlagsShapeEveryRow)
{
    application.graphicsFlags = kGraphicsDirectDraw;
    renderers.fails = [](int) { return true; };
    EXPECT_THROW(Apply(1), RuntimeError);
    EXPECT_EQ(Attempts(), (Log{"DDraw7 1", "DDraw7 1", "DDraw7 0", "DDraw7 0"}))
        << "a DirectDraw application never gets Direct3D";

    log.clear();
    application.graphicsFlags = kGraphicsDirect3D | kGraphicsExtraRequest;
    renderers.fails = [](int) { return false; };
    Apply(0);
    EXPECT_EQ(Attempts(), Log{"D3D7 0"});
    EXPECT_EQ(renderers.displayFlags, kGraphicsExtraRequest) << "flag 4 reaches the display device";
}

TEST_F(DisplayChangeTest, UnchangedSettingsAreLeftAloneUnlessForced)
{
    Apply(0);
    log.clear();
    DisplaySettings same{0, 2, 800, 600}; // the second value takes part in no comparison
    ApplyDisplaySettings(same, false);
    EXPECT_TRUE(log.empty());

    ResetDisplay(); // a lost device rebuilds everything
    EXPECT_EQ(Attempts(), Log{"D3D7 0"});
    EXPECT_EQ(std::count(log.begin(), log.end(), "D3D7 deleted"), 1);

    log.clear();
    DisplaySettings bigger{0, 1, 1024, 768};
    ApplyDisplaySettings(bigger, false);
    EXPECT_EQ(GetDisplaySettings().width, 1024);
}

TEST_F(DisplayChangeTest, AWindowModeOutsideZeroAndOneMatchesNoRowAndChangesNothing)
{
    Apply(0);
    IGraphicsPlatform* before = IGraphicsPlatform::GetInstance();
    ASSERT_NE(before, nullptr);
    log.clear();
    for (const int mode : {7, -1, 2})
    {
        DisplaySettings stored{mode, 1, 1024, 768};
        ApplyDisplaySettings(stored, true);
        SetWindowMode(mode);
    }
    EXPECT_TRUE(log.empty()) << "no window, no renderer, no handler";
    EXPECT_EQ(IGraphicsPlatform::GetInstance(), before);
    EXPECT_EQ(GetDisplaySettings().windowMode, 0);
    EXPECT_EQ(GetDisplaySettings().width, 800);
}

TEST_F(DisplayChangeTest, WithoutADisplayDeviceNoRendererStarts)
{
    renderers.displayAvailable = false;
    try
    {
        Apply(0);
        FAIL() << "expected the display error";
    }
    catch (const RuntimeError& e)
    {
        EXPECT_STREQ(e.what(), "Could not create display");
        EXPECT_EQ(e.GetFunction(), "Corvane::IGraphicsPlatform::Create");
        EXPECT_EQ(e.GetFile(), "Source/Platform/Win32/WinMain.cpp");
    }
    EXPECT_EQ(IGraphicsPlatform::GetInstance(), nullptr);
}

TEST_F(DisplayChangeTest, ToggleSwitchesBetweenWindowedAndFullScreen)
{
    Apply(0);
    ToggleWindowMode();
    EXPECT_EQ(GetDisplaySettings().windowMode, 1);
    ToggleWindowMode();
    EXPECT_EQ(GetDisplaySettings().windowMode, 0);

    log.clear();
    SetWindowMode(0); // already windowed
    EXPECT_TRUE(log.empty());
}

TEST_F(DisplayChangeTest, HandlersAreToldInOrderAndCanLeave)
{
    Log order;
    Recorder first(order);
    Recorder second(order);
    AddWindowModeChangeHandler(&first);
    AddWindowModeChangeHandler(&second);
    AddWindowModeChangeHandler(&first);
    Apply(0);
    EXPECT_EQ(order, (Log{"changed 0", "changed 0", "changed 0"}));
    RemoveWindowModeChangeHandler(&first); // every registration
    order.clear();
    Apply(1);
    EXPECT_EQ(order, Log{"changed 1"});
    RemoveWindowModeChangeHandler(&second);
}
} // namespace
