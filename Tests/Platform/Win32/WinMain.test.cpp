#include "Platform/Win32/WinMain.h"

#include "Platform/Compat/User/MessageBox.h"
#include "Singleton.h"
#include "Support/EngineHarness.h"
#include "Support/FakeAudioPlatform.h"
#include "Support/LoggingMode.h"
#include "Support/RecordingApplication.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;

Log* gBoxLog = nullptr;
std::wstring gBoxText;
std::wstring gBoxCaption;

int RecordBox(const wchar_t* text, const wchar_t* caption, UINT)
{
    gBoxText = text;
    gBoxCaption = caption;
    if (gBoxLog)
        gBoxLog->push_back("error box");
    return IDOK;
}

class DeletedPlatform : public FakePlatform
{
public:
    explicit DeletedPlatform(Log& journal) : mJournal(journal) { log = &journal; }
    ~DeletedPlatform() override { mJournal.push_back("platform deleted"); }

private:
    Log& mJournal;
};

// The whole program with fakes around the engine; exits with WinMain's code, or 3 after printing
// the difference when the calls came in another order.
[[noreturn]] void RunProgram()
{
    static Log log;
    auto* platform = new DeletedPlatform(log);
    new Internal::AutoDeleteSingletonDestructor<FakePlatform>(platform);
    FakeRenderers renderers(log);
    EngineHarness::InstallLoggingHooks(log);
    RecordingApplication application(log);
    application.onPlatformCreated = [] {
        auto* audio = new FakeAudioPlatform(log);
        new Internal::AutoDeleteSingletonDestructor<FakeAudioPlatform>(audio);
    };
    application.onStart = [] {
        auto* title = new LoggingMode(log, "title");
        title->onUpdate = [title] {
            if (title->updates == 3)
                RequestQuit();
        };
        ReplaceApplicationMode(title);
    };

    const int code = WinMain(L"fennik");

    // How many frames the real clock allowed varies; that there were some does not.
    const auto frames = std::erase(log, "title Draw");
    if (frames == 0)
        log.push_back("no frame drawn");
    // The singletons go in address order: compare them as a set.
    std::sort(log.end() - 2, log.end());
    if (GetRandomStream(0) || IPlatform::GetInstance() || IAudioPlatform::GetInstance() ||
        IGraphicsPlatform::GetInstance())
        log.push_back("engine-wide state left after the shut-down");
    const Log expected = {"platform Setup", "platform ActivateOtherInstance", "app OnPlatformCreated",
                          "createFileSource", "audio Init", "platform DestroyWindow", "platform CreateWindow 0",
                          "D3D7 Setup 0", "registerValueResourceFactories", "registerObjectFactories", "app Start",
                          // the loop
                          "title OnEnter", "title OnGainFocus", "title OnMouseMove -50,-50", "app OnModeStackChanged",
                          // the shut-down
                          "title OnLoseFocus", "title OnExit", "title deleted", "app Stop", "stopResourceManager",
                          "shutdownDownloadManager", "closeFileSource", "D3D7 Cleanup", "D3D7 deleted",
                          "audio Shutdown", "platform DestroyWindow", "platform Cleanup", "audio deleted",
                          "platform deleted"};
    if (log != expected)
    {
        for (const std::string& entry : log)
            std::fprintf(stderr, "got: %s\n", entry.c_str());
        std::exit(3);
    }
    std::exit(code);
}

TEST(WinMainProgramTest, ACleanRunStartsTicksQuitsShutsDownInOrderAndExitsWithZero)
{
    // The shut-down destroys the label table: only a process of its own may do that.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunProgram(), testing::ExitedWithCode(0), "");
}

class WinMainTest : public testing::Test, public FakeEngine
{
protected:
    WinMainTest()
    {
        gBoxLog = &log;
        mPreviousBox = SetMessageBoxPresenter(&RecordBox);
    }
    ~WinMainTest() override
    {
        SetMessageBoxPresenter(mPreviousBox);
        gBoxLog = nullptr;
    }

private:
    MessageBoxPresenter mPreviousBox = nullptr;
};

TEST_F(WinMainTest, AnUnhandledErrorStopsTheWorkersThenShowsTheErrorBoxAndFails)
{
    RecordingApplication application(log, L"Fennik's Kitchen");
    application.onStart = [] {
        throw RuntimeError("Could not read the menu", "Source/Game/Menu.cpp", 12, "Menu::Load");
    };
    EXPECT_EQ(WinMain(L"fennik"), 1);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(Log(log.end() - 2, log.end()), (Log{"stopWorkerThreads", "error box"}));
    EXPECT_EQ(std::count(log.begin(), log.end(), "app Stop"), 0) << "nothing is shut down";
    EXPECT_EQ(gBoxCaption, L"Fennik's Kitchen");
    EXPECT_EQ(gBoxText, L"Unhandled Exception\n\nFunction:\tMenu::Load\nFile:\tSource/Game/Menu.cpp\nLine:\t12\n\n"
                        L"Could not read the menu");
    EXPECT_NE(debug.Text().find("Unhandled Exception: Corvane::RuntimeError\n"), std::string::npos);
}

TEST_F(WinMainTest, AnErrorOfUnknownTypeIsReportedToo)
{
    RecordingApplication application(log);
    application.onStart = [] { throw 42; };
    EXPECT_EQ(WinMain(L"fennik"), 1);
    EXPECT_EQ(gBoxText, L"Unhandled Exception\n\nAn error of unknown type.");
    EXPECT_EQ(gBoxCaption, L"Test Kitchen");
    EXPECT_EQ(Log(log.end() - 2, log.end()), (Log{"stopWorkerThreads", "error box"}));
}

TEST_F(WinMainTest, WithoutAnApplicationTheProgramEndsAtOnce)
{
    EXPECT_EQ(WinMain(L"fennik -software"), 0);
    EXPECT_EQ(GetCommandLine(), L"fennik -software");
    EXPECT_TRUE(log.empty());
    EXPECT_NE(debug.Text().find("nothing to run"), std::string::npos);
}
} // namespace
