#include "Framework/Looper.h"

#include "Framework/EngineHooks.h"
#include "Framework/IQuitHandler.h"
#include "Support/DebugCapture.h"
#include "Support/FakeGraphicsPlatform.h"
#include "Support/FakePlatform.h"
#include "Support/LoggingMode.h"
#include "Support/RecordingApplication.h"
#include "Support/TestClock.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;

int Count(const Log& log, const std::string& entry)
{
    return static_cast<int>(std::count(log.begin(), log.end(), entry));
}

class LooperTest : public testing::Test
{
protected:
    LooperTest() { mPrevious = Looper::SetInstance(&looper); }
    ~LooperTest() override
    {
        looper.Shutdown();
        Looper::SetInstance(mPrevious);
        Internal::GetEngineHooks().drawCustomCursor = nullptr;
    }

    LoggingMode* Make(const std::string& name, bool opaque = true) { return new LoggingMode(log, name, opaque); }
    LoggingMode* Push(const std::string& name, bool opaque = true)
    {
        LoggingMode* mode = Make(name, opaque);
        PushApplicationMode(mode);
        return mode;
    }
    // The log from now on.
    Log Fresh()
    {
        log.clear();
        return log;
    }

    DebugCapture debug;
    Log log;
    TestClock clock;
    Looper looper{clock};
    FakePlatform platform;
    FakeGraphicsPlatform graphics{log};
    RecordingApplication application{log};

private:
    Looper* mPrevious = nullptr;
};

// --- Timing -------------------------------------------------------------------------------------

TEST_F(LooperTest, FiftyFiveMillisecondsGiveTwoUpdatesAndNoLag)
{
    LoggingMode* game = Push("game");
    looper.Begin(); // update and draw at 1000; the last update counts as 980
    ASSERT_EQ(game->updates, 1);
    clock.Advance(35); // 55 ms since the last update, 35 since the draw
    looper.Tick();
    EXPECT_EQ(game->updates, 3);
    EXPECT_FLOAT_EQ(game->lastDt, 0.02f);
    EXPECT_EQ(graphics.scenes, 1) << "an update pass never draws";
    // No lag was kept: the next pass at the same time draws instead of updating.
    looper.Tick();
    EXPECT_EQ(game->updates, 3);
    EXPECT_EQ(graphics.scenes, 2);
    EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>{20}) << "sleeps the rest of the tick";
}

TEST_F(LooperTest, APassWithTheFrameShownAndNoUpdateDueSleepsUntilOneIs)
{
    LoggingMode* game = Push("game");
    looper.Begin();
    looper.Tick(); // the update due at 1000
    clock.Advance(5);
    looper.Tick(); // draws at 1005 and sleeps to 1020
    clock.now -= 2; // the sleep ended early
    clock.sleeps.clear();
    looper.Tick();
    EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>{2}) << "waits for the update instead of spinning";
    EXPECT_EQ(graphics.scenes, 2) << "the frame shown is not drawn again";
    looper.Tick();
    EXPECT_EQ(game->updates, 3);
}

TEST_F(LooperTest, LagBeyondFortyMillisecondsIsDropped)
{
    LoggingMode* game = Push("game");
    looper.Begin();
    clock.Advance(150);
    looper.Tick();
    EXPECT_EQ(game->updates, 3) << "two updates, not seven";
    looper.Tick(); // draws and sleeps 20 ms
    looper.Tick();
    EXPECT_EQ(game->updates, 4) << "the dropped 110 ms are not made up later";
}

TEST_F(LooperTest, AFrameIsDrawnAfterTwoHundredMillisecondsWithoutOne)
{
    LoggingMode* game = Push("game");
    looper.Begin(); // drawn at 1000
    // Every pass takes 25 ms: updates are always due, so only the 200 ms rule draws.
    for (int pass = 1; pass < 8; ++pass)
    {
        clock.Advance(25);
        looper.Tick();
        ASSERT_EQ(graphics.scenes, 1) << "pass " << pass;
    }
    const int updates = game->updates;
    clock.Advance(25); // 200 ms since the draw
    looper.Tick();
    EXPECT_EQ(graphics.scenes, 2);
    EXPECT_EQ(game->updates, updates) << "the overdue pass draws instead of updating";
}

TEST_F(LooperTest, AFrameTheFilterRefusesIsSkippedAsIfDrawnAndDrawStillDraws)
{
    LoggingMode* game = Push("game");
    int asked = 0;
    looper.SetFrameFilter([&] { return ++asked > 2; });
    looper.Begin();
    EXPECT_EQ(asked, 1);
    looper.Tick(); // the last update counts as 980: one is due
    ASSERT_EQ(game->updates, 2);
    looper.Tick(); // the frame due after the update: refused, and its rest of the tick slept
    EXPECT_EQ(graphics.scenes, 0);
    EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>{20});
    looper.Tick();
    EXPECT_EQ(game->updates, 3) << "a refused frame counts as drawn: the next pass updates";
    looper.Tick();
    EXPECT_EQ(graphics.scenes, 1) << "the third frame is let through";
    looper.Draw();
    EXPECT_EQ(graphics.scenes, 2);
    EXPECT_EQ(asked, 3) << "a frame drawn on request is not asked about";
}

TEST_F(LooperTest, ARequestMadeDuringAnUpdateStopsTheCatchUp)
{
    LoggingMode* game = Push("game");
    looper.Begin();
    LoggingMode* pause = nullptr;
    game->onUpdate = [&] {
        if (!pause)
            PushApplicationMode(pause = Make("pause"));
    };
    clock.Advance(35); // two updates would be due
    looper.Tick();
    EXPECT_EQ(game->updates, 2) << "the second update waits for the request";
    Fresh();
    looper.Tick(); // applies the push first, then makes up the 20 ms it kept
    EXPECT_EQ(log, (Log{"game OnLoseFocus", "pause OnEnter", "pause OnGainFocus", "pause OnMouseMove -50,-50",
                        "app OnModeStackChanged"}));
    EXPECT_EQ(pause->updates, 1);
    EXPECT_EQ(game->updates, 2) << "only the top mode is updated";
}

TEST_F(LooperTest, RightAfterAModeChangeAPartialStepRuns)
{
    Push("game");
    looper.Begin();
    clock.Advance(20);
    looper.Tick(); // catches up fully at 1020
    LoggingMode* next = Make("next");
    ReplaceApplicationMode(next);
    clock.Advance(7);
    looper.Tick();
    EXPECT_EQ(next->updates, 1);
    EXPECT_FLOAT_EQ(next->lastDt, 0.007f);
}

TEST_F(LooperTest, TimingHoldsAcrossTheWrapOfTheTickCounter)
{
    clock.now = 0xFFFFFFF0u;
    LoggingMode* game = Push("game");
    looper.Begin();
    clock.Advance(35); // the counter wraps to 0x13
    looper.Tick();
    EXPECT_EQ(game->updates, 3);
    looper.Tick();
    EXPECT_EQ(graphics.scenes, 2) << "the draw after the update is not mistaken for a later one";

    // A steady second across the wrap: 50 updates and about as many frames.
    clock.now = 0xFFFFFE00u;
    looper.Begin();
    const int updates = game->updates;
    const int scenes = graphics.scenes;
    const std::uint32_t end = clock.now + 1000;
    while (static_cast<std::int32_t>(end - clock.now) > 0)
    {
        const std::size_t sleeps = clock.sleeps.size();
        looper.Tick();
        if (clock.sleeps.size() == sleeps)
            clock.Advance(1); // the pass itself takes a millisecond
    }
    EXPECT_NEAR(game->updates - updates, 50, 1);
    EXPECT_NEAR(graphics.scenes - scenes, 50, 2);
}

TEST_F(LooperTest, UpdateRateSetsTickLengthAndStep)
{
    LoggingMode* game = Push("game");
    looper.SetUpdateRate(30);
    EXPECT_EQ(looper.GetTickLength(), 33);
    looper.Begin();
    EXPECT_FLOAT_EQ(game->lastDt, 1.0f / 30);
    EXPECT_THROW(looper.SetUpdateRate(0), RuntimeError);
}

// --- The mode stack -----------------------------------------------------------------------------

TEST_F(LooperTest, ReplacePushPopAndPopToKeepTheStackAndItsCallsInOrder)
{
    ReplaceApplicationMode(Make("title")); // on an empty stack: only a push
    ASSERT_TRUE(looper.ApplyRequests());
    EXPECT_EQ(log, (Log{"title OnEnter", "title OnGainFocus", "title OnMouseMove -50,-50", "app OnModeStackChanged"}));

    Fresh();
    LoggingMode* menu = Make("menu");
    ReplaceApplicationMode(menu);
    Push("options");
    looper.ApplyRequests();
    EXPECT_EQ(log, (Log{"title OnLoseFocus", "title OnExit", "title deleted", "menu OnEnter", "options OnEnter",
                        "options OnGainFocus", "options OnMouseMove -50,-50", "app OnModeStackChanged"}));

    Fresh();
    PopToApplicationMode(menu); // on the stack: popped down to, not entered again
    looper.ApplyRequests();
    EXPECT_EQ(log, (Log{"options OnLoseFocus", "options OnExit", "options deleted", "menu OnGainFocus",
                        "menu OnMouseMove -50,-50", "app OnModeStackChanged"}));

    Fresh();
    PopToApplicationMode(menu); // already on top: only the focus calls
    looper.ApplyRequests();
    EXPECT_EQ(log, (Log{"menu OnLoseFocus", "menu OnGainFocus", "menu OnMouseMove -50,-50", "app OnModeStackChanged"}));

    Fresh();
    Push("game");
    looper.ApplyRequests();
    Fresh();
    PopToApplicationMode(Make("judging")); // not on the stack: empties it, then pushes
    looper.ApplyRequests();
    EXPECT_EQ(log,
              (Log{"game OnLoseFocus", "game OnExit", "game deleted", "menu OnExit", "menu deleted", "judging OnEnter",
                   "judging OnGainFocus", "judging OnMouseMove -50,-50", "app OnModeStackChanged"}));

    Fresh();
    PopApplicationMode();
    PopApplicationMode(); // on an empty stack: nothing
    EXPECT_TRUE(looper.ApplyRequests());
    EXPECT_EQ(log, (Log{"judging OnLoseFocus", "judging OnExit", "judging deleted"}))
        << "an empty stack gains no focus and changes nothing for the application";
    EXPECT_FALSE(looper.ApplyRequests());
}

TEST_F(LooperTest, ModesAreCurrentDuringEnterAndDraw)
{
    Push("game");
    looper.Begin();
    EXPECT_EQ(Count(log, "game OnEnter"), 1);
    EXPECT_EQ(Count(log, "game Draw"), 1);
    EXPECT_EQ(looper.GetTopMode(), GetCurrentApplicationMode());
}

TEST_F(LooperTest, AModeAlreadyOnTheStackIsNeverPushedTwice)
{
    LoggingMode* game = Push("game");
    looper.ApplyRequests();
    Fresh();
    PushApplicationMode(game);
    ReplaceApplicationMode(game); // would pop and delete it, then push the deleted mode
    looper.ApplyRequests();
    EXPECT_EQ(looper.GetModeStack(), std::vector<ApplicationMode*>{game});
    EXPECT_EQ(Count(log, "game deleted"), 0);
    EXPECT_EQ(Count(log, "game OnEnter"), 0);

    LoggingMode* pause = Make("pause");
    PushApplicationMode(pause);
    PushApplicationMode(pause); // queued twice
    PushApplicationMode(game);  // below the top
    looper.ApplyRequests();
    EXPECT_EQ(looper.GetModeStack(), (std::vector<ApplicationMode*>{game, pause}));

    looper.Shutdown();
    EXPECT_EQ(Count(log, "game deleted"), 1);
    EXPECT_EQ(Count(log, "pause deleted"), 1);
}

TEST_F(LooperTest, ARequestForAModePoppedEarlierInTheBatchIsRefused)
{
    LoggingMode* game = Push("game");
    looper.ApplyRequests();
    PopApplicationMode();
    PopToApplicationMode(game); // game is deleted by the time this runs
    looper.ApplyRequests();
    EXPECT_TRUE(looper.GetModeStack().empty());
    EXPECT_EQ(Count(log, "game deleted"), 1);
}

TEST_F(LooperTest, RequestsQueuedWhileEnteringOrLeavingJoinTheSameBatchInQueueOrder)
{
    LoggingMode* splash = Make("splash");
    splash->onEnter = [this] {
        LoggingMode* title = Make("title");
        title->onEnter = [this] { Push("news"); };
        ReplaceApplicationMode(title);
    };
    splash->onExit = [this] { Push("music"); };
    PushApplicationMode(splash);
    EXPECT_TRUE(looper.ApplyRequests());
    EXPECT_FALSE(looper.HasPendingRequests());
    EXPECT_EQ(log, (Log{"splash OnEnter", "splash OnExit", "splash deleted", "title OnEnter", "music OnEnter",
                        "news OnEnter", "news OnGainFocus", "news OnMouseMove -50,-50", "app OnModeStackChanged"}));

    // A mode that queues itself again on every entry cannot hold the loop.
    std::function<void()> again = [&] {
        LoggingMode* next = Make("again");
        next->onEnter = again;
        ReplaceApplicationMode(next);
    };
    again();
    looper.ApplyRequests();
    EXPECT_EQ(looper.GetModeStack().size(), 3u) << "each replaced the one before";
    EXPECT_TRUE(looper.HasPendingRequests()) << "the rest waits for the next tick";
    EXPECT_NE(debug.Text().find("the modes keep queueing requests"), std::string::npos);
}

TEST_F(LooperTest, ARequestWithoutAModeIsIgnored)
{
    PushApplicationMode(nullptr);
    ReplaceApplicationMode(nullptr);
    PopToApplicationMode(nullptr);
    EXPECT_FALSE(looper.HasPendingRequests());
}

TEST_F(LooperTest, ShutdownDeletesEveryModeOnceQueuedOnesWithoutCallingThem)
{
    LoggingMode* game = Push("game");
    Push("pause", false);
    looper.ApplyRequests();
    Fresh();
    LoggingMode* queued = Make("queued");
    PushApplicationMode(queued);
    ReplaceApplicationMode(queued);    // the same new mode twice
    PopToApplicationMode(game);        // a mode that is on the stack
    PopToApplicationMode(Make("far")); // a second one never entered
    looper.Shutdown();
    EXPECT_EQ(log, (Log{"pause OnLoseFocus", "pause OnExit", "pause deleted", "game OnExit", "game deleted",
                        "queued deleted", "far deleted"}));
    EXPECT_FALSE(looper.HasPendingRequests());
}

TEST_F(LooperTest, TheLoopsDestructorDeletesWhatItStillOwns)
{
    Log own;
    {
        TestClock otherClock;
        Looper other(otherClock);
        other.QueueRequest(new LoggingMode(own, "stacked"), kModePush);
        other.ApplyRequests();
        other.QueueRequest(new LoggingMode(own, "queued"), kModePush);
    }
    EXPECT_EQ(Count(own, "stacked deleted"), 1);
    EXPECT_EQ(Count(own, "queued deleted"), 1);
    EXPECT_EQ(Count(own, "stacked OnExit"), 0);
}

// --- Drawing ------------------------------------------------------------------------------------

TEST_F(LooperTest, AFrameDrawsFromTheHighestOpaqueModeUp)
{
    application.logFrames = true;
    graphics.logScenes = true;
    Push("menu");
    Push("game");
    Push("pause", false);
    looper.ApplyRequests();
    Fresh();
    looper.Draw();
    EXPECT_EQ(log, (Log{"BeginScene", "pause IsOpaque", "game IsOpaque", "game Draw", "pause DrawUnderlay",
                        "pause Draw", "app DrawOverlay", "EndScene"}));

    Fresh();
    PopApplicationMode();
    PopApplicationMode();
    looper.ApplyRequests();
    Fresh();
    looper.Draw();
    EXPECT_EQ(log, (Log{"BeginScene", "menu Draw", "app DrawOverlay", "EndScene"}))
        << "a single mode is neither asked nor given an underlay";
}

TEST_F(LooperTest, TheBottomModeCountsAsOpaque)
{
    Push("menu", false);
    Push("popup", false);
    looper.ApplyRequests();
    Fresh();
    looper.Draw();
    EXPECT_EQ(log, (Log{"popup IsOpaque", "menu Draw", "popup DrawUnderlay", "popup Draw"}));
}

TEST_F(LooperTest, AFailedBeginSceneSkipsTheFrameAndAMissingCanvasOnlyTheModes)
{
    application.logFrames = true;
    Push("game");
    looper.ApplyRequests();
    Fresh();
    platform.needsRepaint = true;
    graphics.sceneResult = 1;
    looper.Draw();
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(platform.needsRepaint) << "the repaint request is cleared first";

    graphics.sceneResult = 0;
    graphics.hasCanvas = false;
    looper.Draw();
    EXPECT_EQ(log, Log{"app DrawOverlay"});
}

TEST_F(LooperTest, WithoutARendererNothingIsDrawn)
{
    Push("game");
    looper.ApplyRequests();
    Log other;
    {
        // Another renderer takes the engine-wide pointer and gives it up: none is left.
        FakeGraphicsPlatform gone(other);
    }
    ASSERT_EQ(IGraphicsPlatform::GetInstance(), nullptr);
    Fresh();
    platform.needsRepaint = true;
    looper.Draw();
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(platform.needsRepaint);
}

TEST_F(LooperTest, TheCustomCursorIsDrawnOnlyWhileTheWindowIsActive)
{
    int cursors = 0;
    Internal::GetEngineHooks().drawCustomCursor = [&] { ++cursors; };
    looper.Draw();
    platform.active = false;
    looper.Draw();
    EXPECT_EQ(cursors, 1);
}

// --- Input --------------------------------------------------------------------------------------

TEST_F(LooperTest, InputEventsReachTheTopModeAndTrackTheMouse)
{
    Push("menu");
    Push("game");
    looper.ApplyRequests();
    Fresh();
    const wchar_t text[] = L"a";
    const InputEvent events[] = {
        {InputEvent::kMouseMove, 10, 20, 0, 0},
        {InputEvent::kButtonDown, 11, 21, 1, 0},
        {InputEvent::kButtonUp, 12, 22, 0, 0},
        {InputEvent::kKeyDown, 0, 0, 65, 0},
        {InputEvent::kKeyUp, 0, 0, 65, 0},
        {InputEvent::kWheel, 5, 6, -240, 120},
        InputEvent::Character(text),
        {InputEvent::kActivated, 0, 0, 0, 0},
        {InputEvent::kDeactivated, 0, 0, 0, 0},
    };
    for (const InputEvent& event : events)
        looper.OnInputEvent(event);
    EXPECT_EQ(log, (Log{"game OnMouseMove 10,20", "game OnMouseDown 1 11,21", "game OnMouseUp 0 12,22",
                        "game OnKeyDown 65", "game OnKeyUp 65", "game OnMouseWheel -2.000000 5,6", "game OnText a"}));
    EXPECT_EQ(GetLastMousePosition(), (Vector2<int>{10, 20})) << "only moves change the position";

    Fresh();
    looper.OnInputEvent({InputEvent::kMouseLeave, 0, 0, 0, 0});
    EXPECT_EQ(GetLastMousePosition(), (Vector2<int>{-50, -50}));
    PopApplicationMode();
    looper.ApplyRequests();
    EXPECT_EQ(Count(log, "menu OnMouseMove -50,-50"), 1) << "the new top learns where the mouse is";
}

TEST_F(LooperTest, InputArrivingWhileARequestIsQueuedIsDropped)
{
    Push("game");
    looper.ApplyRequests();
    ReplaceApplicationMode(Make("next"));
    Fresh();
    looper.OnInputEvent({InputEvent::kKeyDown, 0, 0, 13, 0});
    looper.OnInputEvent({InputEvent::kMouseMove, 3, 4, 0, 0});
    looper.ApplyRequests();
    looper.OnInputEvent({InputEvent::kKeyDown, 0, 0, 27, 0});
    EXPECT_EQ(Count(log, "game OnKeyDown 13"), 0);
    EXPECT_EQ(Count(log, "next OnKeyDown 13"), 0);
    EXPECT_EQ(Count(log, "next OnKeyDown 27"), 1);
    EXPECT_EQ(GetLastMousePosition(), (Vector2<int>{-50, -50})) << "a dropped move is not remembered";
}

TEST_F(LooperTest, AWheelEventWithoutNotchSizeCountsStandardNotches)
{
    Push("game");
    looper.ApplyRequests();
    Fresh();
    looper.OnInputEvent({InputEvent::kWheel, 0, 0, 120, 0});
    EXPECT_EQ(log, Log{"game OnMouseWheel 1.000000 0,0"});
}

// --- Quitting and the loop ----------------------------------------------------------------------

class Handler : public IQuitHandler
{
public:
    Handler(Log& log, std::string name, bool answer) : mLog(log), mName(std::move(name)), mAnswer(answer) {}
    bool CanQuit() override
    {
        mLog.push_back(mName + " asked");
        return mAnswer;
    }

private:
    Log& mLog;
    std::string mName;
    bool mAnswer;
};

TEST_F(LooperTest, QuitHandlersThatRefuseKeepTheProgramRunning)
{
    Handler loading(log, "loading", false);
    Handler other(log, "other", true);
    AddQuitHandler(&loading);
    AddQuitHandler(&other);
    RequestQuit();
    EXPECT_FALSE(IsQuitting());
    EXPECT_EQ(log, Log{"loading asked"}) << "the first refusal ends the asking";
    EXPECT_EQ(platform.restores, 1) << "a minimised window comes back";

    RemoveQuitHandler(&loading);
    Fresh();
    RequestQuit();
    EXPECT_TRUE(IsQuitting());
    EXPECT_EQ(log, Log{"other asked"});
}

TEST_F(LooperTest, TheLoopRunsUntilAQuitIsGranted)
{
    LoggingMode* game = Push("game");
    game->onUpdate = [&] {
        if (game->updates == 5)
            RequestQuit();
    };
    int pumps = 0;
    platform.pendingMessages = true;
    platform.onHandleEvents = [&](IInputEventSink* sink) {
        ++pumps;
        sink->OnInputEvent({InputEvent::kKeyDown, 0, 0, 32, 0});
    };
    looper.Loop();
    EXPECT_EQ(game->updates, 5);
    EXPECT_EQ(pumps, 1) << "the pump runs only when messages wait";
    EXPECT_EQ(Count(log, "game OnKeyDown 32"), 1);
}

TEST_F(LooperTest, TheLoopEndsOnThePlatformsQuitMessage)
{
    LoggingMode* game = Push("game");
    platform.pendingMessages = true;
    platform.onHandleEvents = [&](IInputEventSink*) { platform.quitRequested = true; };
    looper.Loop();
    EXPECT_EQ(game->updates, 1) << "the pass that pumped the quit message ends there";
    EXPECT_FALSE(IsQuitting());
}

TEST_F(LooperTest, AQuitGrantedInThePumpOfAnInactiveWindowEndsTheLoopWithoutWaiting)
{
    Push("game");
    platform.active = false;
    platform.pendingMessages = true;
    platform.onHandleEvents = [](IInputEventSink*) { RequestQuit(); }; // the close button
    looper.Loop();
    EXPECT_EQ(platform.waits, 0);
}

TEST_F(LooperTest, AnInactiveWindowRedrawsWhenAskedAndOtherwiseWaits)
{
    LoggingMode* game = Push("game");
    platform.active = false;
    platform.onWait = [&] {
        clock.Advance(5000); // a long time away
        if (platform.waits == 1)
            platform.needsRepaint = true; // the window was uncovered
        if (platform.waits == 2)
        {
            platform.active = true;
            game->onUpdate = [&] { RequestQuit(); };
        }
    };
    looper.Loop();
    EXPECT_EQ(graphics.scenes, 2) << "the first pass's frame and the repaint";
    EXPECT_EQ(platform.waits, 2);
    EXPECT_EQ(game->updates, 2) << "waking makes one update, not a catch-up of the time asleep";
}

TEST_F(LooperTest, AnApplicationThatRunsWhileInactiveKeepsTicking)
{
    application.runSettings.runWhileInactive = true;
    LoggingMode* game = Push("game");
    platform.active = false;
    game->onUpdate = [&] {
        clock.Advance(20);
        if (game->updates == 3)
            RequestQuit();
    };
    looper.Loop();
    EXPECT_EQ(platform.waits, 0);
    EXPECT_EQ(game->updates, 3);
}
} // namespace
