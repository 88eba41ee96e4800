#include "Framework/ApplicationMode.h"
#include "Framework/KeyboardFocusController.h"
#include "Support/FakePlatform.h"
#include "Support/FrameworkObjects.h"

#include <gtest/gtest.h>

using namespace Corvane;
using Corvane::Testing::FakePlatform;
using Corvane::Testing::Log;
using Corvane::Testing::LoggingControl;
using Corvane::Testing::LoggingObject;

namespace
{
// A screen with two overlapping controls, back (depth 0) and front (depth 1), and a handler that is
// not drawn.
class InputRouting : public testing::Test
{
protected:
    void SetUp() override
    {
        Internal::SetTopApplicationMode(&screen);
        back = new LoggingControl(log, "back", 0.0f, {0, 0, 100, 100});
        front = new LoggingControl(log, "front", 1.0f, {50, 50, 100, 100});
        screen.Add(front);
        screen.Add(back);
        screen.Update(0.0f);
        log.clear();
    }

    Log log;
    FakePlatform platform;
    ApplicationMode screen;
    LoggingControl* back = nullptr;
    LoggingControl* front = nullptr;
};

struct UndrawnHandler : LoggingObject, InputHandlerComponent
{
    using LoggingObject::LoggingObject;
    bool KeyDown(int key) override
    {
        mLog.push_back(mName + " key " + std::to_string(key));
        return true;
    }
};
} // namespace

TEST_F(InputRouting, MouseGoesToTheTopmostControlThatTakesIt)
{
    EXPECT_TRUE(screen.OnMouseDown(0, 60, 60));
    EXPECT_EQ(log, (Log{"front down 0"}));

    log.clear();
    front->takes = false;
    EXPECT_TRUE(screen.OnMouseDown(1, 60, 60));
    EXPECT_EQ(log, (Log{"front down 1", "back down 1"}));

    log.clear();
    front->visible = false;
    back->enabled = false;
    EXPECT_FALSE(screen.OnMouseDown(0, 60, 60)) << "invisible and disabled controls are passed over";
    EXPECT_TRUE(log.empty());
}

TEST_F(InputRouting, TheCaptureHolderTakesMouseEventsUntilItCannotTakeInput)
{
    screen.SetCapture(back);
    EXPECT_EQ(platform.captures, 1);
    back->takes = false;
    EXPECT_TRUE(screen.OnMouseDown(0, 60, 60)) << "taken by the holder even though it declined";
    EXPECT_EQ(log, (Log{"back down 0"}));

    log.clear();
    back->enabled = false;
    EXPECT_TRUE(screen.OnMouseDown(0, 60, 60));
    EXPECT_EQ(log, (Log{"front down 0"})) << "a disabled holder: the draw list as usual";

    screen.SetCapture(nullptr);
    EXPECT_EQ(platform.releases, 1);
    EXPECT_EQ(screen.GetCapture(), nullptr);

    back->enabled = true;
    screen.SetCapture(back);
    screen.Remove(back->GetID());
    EXPECT_EQ(screen.GetCapture(), nullptr) << "removal releases the capture";
    EXPECT_EQ(platform.releases, 2);
}

TEST_F(InputRouting, KeysGoToTheFocusFirstAndTextOnlyToIt)
{
    auto* undrawn = new UndrawnHandler(log, "undrawn");
    screen.Add(undrawn);
    screen.SetFocus(back);
    log.clear();

    back->takes = false;
    EXPECT_TRUE(screen.OnKeyDown(65));
    EXPECT_EQ(log, (Log{"back key 65", "front key 65"})) << "a declined key goes on, topmost first";

    log.clear();
    front->takes = false;
    EXPECT_TRUE(screen.OnKeyDown(66));
    EXPECT_EQ(log, (Log{"back key 66", "front key 66", "undrawn key 66"})) << "objects not drawn come last";

    log.clear();
    EXPECT_TRUE(screen.OnText(L"x"));
    EXPECT_EQ(log, (Log{"back text"})) << "the focus holder keeps text it declined";
}

TEST_F(InputRouting, HoverFollowsTheMouseWithEnterAndLeaveBroadcasts)
{
    auto* watcher = new LoggingObject(log, "watcher");
    std::vector<ObjectID> senders;
    watcher->onMessage = [&](const ObjectMessage& m) { senders.push_back(m.GetSender()); };
    screen.Add(watcher);
    log.clear();
    senders.clear();

    screen.OnMouseMove(10, 10);
    EXPECT_EQ(screen.GetHover(), back->GetID());
    screen.OnMouseMove(60, 60);
    EXPECT_EQ(screen.GetHover(), front->GetID());
    screen.OnMouseMove(500, 500);
    EXPECT_EQ(screen.GetHover(), kNoObject);
    screen.OnMouseMove(60, 60);
    EXPECT_FALSE(screen.OnMouseLeave());
    EXPECT_EQ(screen.GetHover(), kNoObject);

    const Log expected{"watcher ControlEnter", "watcher ControlLeave", "watcher ControlEnter",
                       "watcher ControlLeave", "watcher ControlEnter", "watcher ControlLeave"};
    Log seen;
    for (const std::string& line : log)
        if (line.rfind("watcher", 0) == 0)
            seen.push_back(line);
    EXPECT_EQ(seen, expected);
    const ObjectID b = back->GetID(), f = front->GetID();
    EXPECT_EQ(senders, (std::vector<ObjectID>{b, b, f, f, f, f}));
}

TEST_F(InputRouting, ControlsRemovedByAHandlerAreNotOfferedTheEvent)
{
    // The topmost control removes back while it handles a key, and declines it.
    class KeyRemover : public LoggingControl
    {
    public:
        KeyRemover(Log& log, ObjectDatabase& db, ObjectID victim)
            : LoggingControl(log, "remover", 2.0f, {}), mDb(db), mVictim(victim)
        {
            takes = false;
        }
        bool KeyDown(int key) override
        {
            mDb.Remove(mVictim);
            return LoggingControl::KeyDown(key);
        }

    private:
        ObjectDatabase& mDb;
        ObjectID mVictim;
    };
    screen.Add(new KeyRemover(log, screen, back->GetID()));
    screen.Add(new UndrawnHandler(log, "undrawn"));
    screen.Update(0.0f);
    front->takes = false;
    log.clear();

    EXPECT_TRUE(screen.OnKeyDown(13));
    EXPECT_EQ(log, (Log{"back Remove", "remover key 13", "front key 13", "undrawn key 13"}));
    screen.Update(0.0f);
    EXPECT_EQ(log.back(), "back deleted");
}

TEST_F(InputRouting, EqualDepthsOfferTheLaterAddedFirst)
{
    auto* earlier = new LoggingControl(log, "earlier", 5.0f, {});
    auto* later = new LoggingControl(log, "later", 5.0f, {});
    screen.Add(earlier);
    screen.Add(later);
    screen.Update(0.0f);
    log.clear();
    EXPECT_TRUE(screen.OnMouseDown(0, 60, 60));
    EXPECT_EQ(log, (Log{"later down 0"}));
}

TEST_F(InputRouting, TheKeyboardFocusControllerMovesFocusInDrawOrder)
{
    auto* third = new LoggingControl(log, "third", 2.0f, {});
    screen.Add(third);
    screen.Add(new KeyboardFocusController);
    screen.Update(0.0f);
    // Draw order: back, front, third.
    screen.SetFocus(back);
    log.clear();
    back->takes = front->takes = third->takes = false;

    EXPECT_TRUE(screen.OnKeyDown(9)); // Tab
    EXPECT_EQ(screen.GetFocus(), front);
    front->focusable = false;
    screen.OnKeyDown(40); // down: skips front
    EXPECT_EQ(screen.GetFocus(), third);
    screen.OnKeyDown(39); // right: wraps to the start
    EXPECT_EQ(screen.GetFocus(), back);
    screen.OnKeyDown(37); // left: wraps to the end
    EXPECT_EQ(screen.GetFocus(), third);
    screen.OnKeyDown(38); // up: skips front
    EXPECT_EQ(screen.GetFocus(), back);
    for (const std::string& line : log)
        EXPECT_EQ(line.find("Focus"), std::string::npos) << "moving the focus sends no messages: " << line;

    back->focusable = third->focusable = false;
    EXPECT_TRUE(screen.OnKeyDown(9)) << "still taken";
    EXPECT_EQ(screen.GetFocus(), back) << "nobody else can take it";
}

TEST(ObjectDatabaseCapture, ADatabaseDestroyedWhileHoldingTheCaptureReleasesTheMouse)
{
    FakePlatform platform;
    Log log;
    {
        ObjectDatabase db;
        auto* control = new LoggingControl(log, "control", 0.0f, {});
        db.Add(control);
        db.SetCapture(control);
        Object stranger;
        db.SetCapture(&stranger);
        EXPECT_EQ(db.GetCapture(), control) << "an object of no database is refused";
    }
    EXPECT_EQ(platform.captures, 1);
    EXPECT_EQ(platform.releases, 1);
}
