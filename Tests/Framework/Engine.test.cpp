#include "Framework/Engine.h"

#include "Support/EngineHarness.h"
#include "Support/FakeAudioPlatform.h"
#include "Support/LoggingMode.h"
#include "Support/RecordingApplication.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;

// Start-up and the early ends of a run; the full run with its shut-down, which destroys the
// label table, runs in a process of its own (WinMain.test.cpp).
class EngineTest : public testing::Test, public FakeEngine
{
protected:
    std::unique_ptr<FakeAudioPlatform> audio;
};

TEST_F(EngineTest, StartUpRunsInTheOrderTheSubsystemsNeed)
{
    RecordingApplication application(log);
    application.onPlatformCreated = [&] { audio = std::make_unique<FakeAudioPlatform>(log); };
    application.onStart = [&] { PushApplicationMode(new LoggingMode(log, "loading")); };
    StartEngine();
    EXPECT_EQ(log, (Log{"platform Setup", "app OnPlatformCreated", "createFileSource", "audio Init",
                        "platform DestroyWindow", "platform CreateWindow 0", "D3D7 Setup 0",
                        "registerValueResourceFactories", "registerObjectFactories", "app Start"}));
    for (int n = 0; n < 3; ++n)
        EXPECT_NE(GetRandomStream(n), nullptr) << "random stream " << n;
    EXPECT_TRUE(looper.HasPendingRequests()) << "the first mode is queued, not entered";
}

TEST_F(EngineTest, ASecondInstanceEndsBeforeItHasAWindowWithoutLoopOrShutdown)
{
    RecordingApplication application(log);
    platform.otherInstance = true;
    application.onStart = [&] { PushApplicationMode(new LoggingMode(log, "loading")); };
    Corvane::Run();
    EXPECT_EQ(log, (Log{"platform Setup", "platform ActivateOtherInstance", "stopWorkerThreads"}))
        << "no window of its own to find instead of the first one's, no profile opened";
}

TEST_F(EngineTest, WithoutAnApplicationThereIsNothingToRun)
{
    Corvane::Run();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(debug.Text(), "No application is built into this program: there is nothing to run.\n");
    EXPECT_THROW(StartEngine(), RuntimeError);
}
} // namespace
