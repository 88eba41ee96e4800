#include "SceneGraph/SceneApplicationMode.h"

#include "Framework/KeyboardFocusController.h"
#include "Graphics/RecordingCanvas.h"
#include "Graphics/RenderContext.h"
#include "Support/FakeGraphicsPlatform.h"
#include "Support/FakePlatform.h"
#include "Support/FrameworkObjects.h"
#include "Support/SceneHarness.h"
#include "Widgets/Components.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr int kLeft = 37;
constexpr int kRight = 39;
constexpr int kEnter = 13;

// A node that logs the input and messages it gets, answering with takes.
class LoggingNode : public SceneNode, public EnableComponent
{
public:
    LoggingNode(Log& log, std::string tag, Rect<float> area = {0, 0, 0, 0}) : mLog(log), mTag(std::move(tag))
    {
        SetPosition(area.x, area.y);
        SetSize(area.width, area.height);
        SetHitTest(true);
    }
    bool KeyDown(int key) override { return Take("key " + std::to_string(key)); }
    bool MouseMove(int x, int y) override
    {
        if (logMoves)
            Take("move " + std::to_string(x) + "," + std::to_string(y));
        return movesTaken;
    }
    bool MouseDown(int button, int x, int y) override
    {
        return ownButtons ? Take("down") : SceneNode::MouseDown(button, x, y);
    }
    bool CanTakeFocus() override { return focusable; }
    void OnMessage(const ObjectMessage& message) override
    {
        if (message.GetName() != Messages::Add())
            mLog.push_back(mTag + " " + message.GetName().c_str());
        SceneNode::OnMessage(message);
    }

    bool takes = false;
    bool movesTaken = false;
    bool logMoves = false;
    bool focusable = false;
    bool ownButtons = false; // log presses and decline them, instead of the base's signals
    std::function<void()> onKey;

private:
    bool Take(const std::string& what)
    {
        mLog.push_back(mTag + " " + what);
        if (const std::function<void()> handler = onKey) // a copy: the handler may replace itself
            handler();
        return takes;
    }

    Log& mLog;
    std::string mTag;
};

class SceneInput : public testing::Test
{
protected:
    // A node attached under parent (the root when null) and registered.
    LoggingNode* Add(const std::string& tag, Rect<float> area = {0, 0, 0, 0}, SceneNode* parent = nullptr)
    {
        auto* node = new LoggingNode(log, tag, area);
        node->SetParent(parent ? parent : scene.Root());
        node->RegisterTree(&scene.Screen());
        return node;
    }
    void Watch(SceneNode* node, const std::string& tag)
    {
        node->Signals().ButtonDown.connect(
            [this, tag](SceneNode*, MouseButton, int, int) { log.push_back(tag + " pressed"); });
        node->Signals().CapturedButtonDown.connect(
            [this, tag](SceneNode*, MouseButton, int, int) { log.push_back(tag + " captured press"); });
        node->Signals().MouseEnter.connect([this, tag](SceneNode*) { log.push_back(tag + " enter"); });
        node->Signals().MouseLeave.connect([this, tag](SceneNode*) { log.push_back(tag + " leave"); });
    }

    FakePlatform platform;
    Log log;
    SceneHarness scene;
};

TEST_F(SceneInput, APressGoesToTheTopmostHitNodeAndSkipsHiddenOnes)
{
    LoggingNode* back = Add("back", {0, 0, 100, 100});
    LoggingNode* front = Add("front", {50, 50, 100, 100});
    LoggingNode* hiddenParent = Add("hidden parent");
    LoggingNode* hidden = Add("hidden", {0, 0, 200, 200}, hiddenParent);
    hiddenParent->SetVisible(false);
    for (auto [node, tag] : {std::pair{back, "back"}, {front, "front"}, {hidden, "hidden"}})
        Watch(node, tag);
    scene.Update();

    scene.Press(60, 60);
    scene.Press(10, 10);
    scene.Press(149, 149);
    scene.Press(150, 150);
    EXPECT_EQ(log, (Log{"front pressed", "back pressed", "front pressed"}));
}

TEST_F(SceneInput, KeysGoToTheFocusThenTheTreeChildrenFirstThenTheOtherObjects)
{
    LoggingNode* panel = Add("panel");
    LoggingNode* first = Add("first", {}, panel);
    LoggingNode* second = Add("second", {}, panel);
    LoggingNode* focus = Add("focus");
    auto* other = new LoggingControl(log, "other", 0, {0, 0, 0, 0});
    other->takes = false;
    scene.Screen().Add(other);
    focus->SetKeyboardFocus();
    log.clear();

    scene.KeyDown(kEnter);
    EXPECT_EQ(log, (Log{"focus key 13", "second key 13", "first key 13", "panel key 13", "other key 13"}));

    // The first taker ends the walk.
    log.clear();
    first->takes = true;
    scene.KeyDown(kEnter);
    EXPECT_EQ(log, (Log{"focus key 13", "second key 13", "first key 13"}));
    (void)second;
}

TEST_F(SceneInput, TheCapturingNodeTakesEveryPressEvenWhenItDeclines)
{
    LoggingNode* holder = Add("holder", {0, 0, 10, 10});
    LoggingNode* target = Add("target", {100, 100, 10, 10});
    Watch(target, "target");
    holder->ownButtons = true;
    holder->SetCapture();
    EXPECT_EQ(scene.Screen().GetCaptureNode(), holder);
    // The system's mouse goes with it, so that a release outside the window still comes here.
    EXPECT_EQ(platform.captures, 1);
    EXPECT_TRUE(scene.Screen().OnMouseDown(0, 105, 105));
    EXPECT_EQ(log, (Log{"holder down"}));

    log.clear();
    holder->ownButtons = false;
    Watch(holder, "holder");
    scene.Press(105, 105);
    EXPECT_EQ(log, (Log{"holder captured press"}));

    // Removing the holder frees the capture.
    log.clear();
    scene.Screen().Remove(holder->GetID());
    EXPECT_EQ(platform.releases, 1);
    scene.Press(105, 105);
    EXPECT_EQ(log, (Log{"holder Remove", "target pressed"}));
}

TEST_F(SceneInput, HoverEntersAndLeavesExactlyOnce)
{
    LoggingNode* back = Add("back", {0, 0, 100, 100});
    LoggingNode* front = Add("front", {50, 50, 100, 100});
    LoggingNode* plain = Add("plain", {300, 300, 10, 10});
    Watch(back, "back");
    Watch(front, "front");
    scene.Update();

    for (auto [x, y] : {std::pair{60, 60}, {61, 61}, {70, 70}, {20, 20}, {21, 21}, {305, 305}, {400, 400}, {401, 401}})
        scene.MoveMouse(x, y);
    EXPECT_EQ(log, (Log{"front enter", "front leave", "back enter", "back leave"}));
    EXPECT_EQ(scene.Screen().GetHoverNode(), nullptr);
    (void)plain;

    // While a node holds the capture only it can be hovered.
    log.clear();
    front->SetCapture();
    scene.MoveMouse(20, 20);
    scene.MoveMouse(60, 60);
    scene.MoveMouse(20, 20);
    EXPECT_EQ(log, (Log{"front enter", "front leave"}));

    // Leaving the window leaves the hover as it is: the next move inside settles it, and coming
    // back over the same node is no new entry.
    log.clear();
    SceneNode::ClearCapture();
    scene.MoveMouse(20, 20);
    scene.LeaveWindow();
    EXPECT_EQ(scene.Screen().GetHoverNode(), back);
    scene.MoveMouse(21, 21);
    scene.LeaveWindow();
    scene.MoveMouse(-50, -50);
    EXPECT_EQ(log, (Log{"back enter", "back leave"}));
}

TEST_F(SceneInput, MovesReachEveryNodeUntilOneTakesThem)
{
    LoggingNode* back = Add("back", {0, 0, 100, 100});
    LoggingNode* front = Add("front", {50, 50, 100, 100});
    back->logMoves = front->logMoves = true;
    auto* other = new LoggingControl(log, "other", 0, {0, 0, 0, 0});
    scene.Screen().Add(other);
    log.clear();
    scene.MoveMouse(5, 6);
    EXPECT_EQ(log, (Log{"front move 5,6", "back move 5,6", "other move 5,6"}));
    log.clear();
    front->movesTaken = true;
    scene.MoveMouse(7, 8);
    EXPECT_EQ(log, (Log{"front move 7,8"}));
}

TEST_F(SceneInput, HandlersMayRemoveAndReorderNodesWhileTheEventIsRouted)
{
    LoggingNode* a = Add("a");
    LoggingNode* b = Add("b");
    LoggingNode* bChild = Add("b child", {}, b);
    LoggingNode* c = Add("c");
    c->onKey = [&] {
        c->onKey = nullptr;
        scene.Screen().Remove(b->GetID());
        a->BringToFront();
    };
    log.clear();
    scene.KeyDown(kEnter);
    EXPECT_EQ(log, (Log{"c key 13", "b Remove", "b child Remove", "a key 13"}));
    (void)bChild;

    // A node that removes itself when hovered is not told anything more.
    LoggingNode* fleeting = Add("fleeting", {0, 0, 50, 50});
    fleeting->Signals().MouseEnter.connect([&](SceneNode* node) { scene.Screen().Remove(node->GetID()); });
    fleeting->logMoves = true;
    log.clear();
    scene.MoveMouse(10, 10);
    scene.Update();
    scene.MoveMouse(11, 11);
    EXPECT_EQ(log, (Log{"fleeting Remove"}));
}

TEST_F(SceneInput, TheFocusKeysMoveOneFocusAmongTheControlsAndTellTheOneLosingIt)
{
    LoggingNode* panel = Add("panel");
    LoggingNode* ok = Add("ok", {}, panel);
    LoggingNode* hidden = Add("hidden", {}, panel);
    LoggingNode* disabled = Add("disabled", {}, panel);
    LoggingNode* cancel = Add("cancel");
    for (LoggingNode* control : {ok, hidden, disabled, cancel})
        control->focusable = true;
    hidden->SetVisible(false);
    disabled->SetEnabled(false);
    scene.Screen().Add(new KeyboardFocusController);
    auto focusMessages = [&] {
        Log messages;
        for (const std::string& entry : log)
            if (entry.find("Focus") != std::string::npos)
                messages.push_back(entry);
        log.clear();
        return messages;
    };

    // Only visible, enabled controls take the focus, in draw order, wrapping around.
    log.clear();
    scene.KeyDown(kRight);
    EXPECT_EQ(scene.Screen().GetFocusNode(), ok);
    EXPECT_EQ(focusMessages(), (Log{"ok ReceivedFocus"}));
    scene.KeyDown(kRight);
    EXPECT_EQ(focusMessages(), (Log{"ok LostFocus", "cancel ReceivedFocus"}));
    scene.KeyDown(kRight);
    EXPECT_EQ(focusMessages(), (Log{"cancel LostFocus", "ok ReceivedFocus"}));
    scene.KeyDown(kLeft);
    EXPECT_EQ(focusMessages(), (Log{"ok LostFocus", "cancel ReceivedFocus"}));

    // The focused control is offered keys first.
    cancel->takes = true;
    scene.KeyDown(kEnter);
    EXPECT_EQ(log, (Log{"cancel key 13"}));
    log.clear();

    // Code giving the focus moves the same focus.
    ok->SetKeyboardFocus();
    EXPECT_TRUE(ok->HasKeyboardFocus());
    EXPECT_FALSE(cancel->HasKeyboardFocus());
    EXPECT_EQ(scene.Screen().GetFocus(), ok);
    EXPECT_EQ(focusMessages(), (Log{"cancel LostFocus", "ok ReceivedFocus"}));

    // A focused control that goes is told it lost the focus first.
    scene.Screen().Remove(ok->GetID());
    EXPECT_EQ(log, (Log{"ok LostFocus", "ok Remove"}));
    EXPECT_EQ(scene.Screen().GetFocusNode(), nullptr);
}

TEST_F(SceneInput, AScreenWithoutItsRootTakesNothingAndDrawsNothing)
{
    SceneApplicationMode bare;
    Internal::CurrentApplicationModeScope current(&bare);
    EXPECT_EQ(bare.GetRootNode(), nullptr);
    EXPECT_FALSE(bare.OnKeyDown(kEnter));
    EXPECT_FALSE(bare.OnMouseDown(0, 1, 1));
    EXPECT_FALSE(bare.OnMouseMove(1, 1));
    bare.Update(0.02f);
    bare.Draw();
    bare.MoveFocus(false);
}

// ---- Update and drawing ----

TEST(SceneScreen, DrawingVisitsEveryNodeBeforeItsChildrenAfterTheWorldStatesWereRefreshed)
{
    SceneHarness scene;
    SceneNode* panel = scene.Show(R"(<testboxnode nodeName="Panel" x="10" y="20" width="50" height="50">
                                       <testboxnode nodeName="A" x="1" width="5" height="5"/>
                                       <testboxnode nodeName="B" x="2" width="5" height="5"/>
                                       <testboxnode nodeName="C" x="3" width="5" height="5"/>
                                     </testboxnode>)");
    Log log;
    for (const char* name : {"Panel", "A", "B", "C"})
    {
        SceneNode* node = name == std::string("Panel") ? panel : panel->FindByPath({name});
        node->Signals().BeforeDraw.connect([&log, name](SceneNode*) { log.push_back(name); });
    }
    // A handler may take a node out of the picture while the frame is drawn.
    panel->FindByPath({"A"})->Signals().BeforeDraw.connect(
        [&](SceneNode*) { scene.Screen().Remove(panel->FindByPath({"B"})->GetID()); });

    scene.Update();
    for (SceneNode* node : {panel, panel->FindByPath({"A"})})
        EXPECT_EQ(node->GetDirty(), 0u);
    RecordingCanvas canvas({"IQuadDrawingCanvas"});
    scene.Draw(&canvas);
    EXPECT_EQ(log, (Log{"Panel", "A", "C"}));
    ASSERT_EQ(canvas.calls.size(), 3u);
    EXPECT_EQ(canvas.calls[2].numbers, (std::vector<float>{13, 20, 5, 5}));

    // Moving a node is seen at the next update's refresh without anyone asking.
    panel->SetPosition(100, 100);
    scene.Update();
    EXPECT_EQ(panel->GetDirty(), 0u);
    EXPECT_EQ(panel->FindByPath({"C"})->GetDirty(), 0u);
}

TEST(SceneScreen, TheUnderlayDimsOnlyOnTheHardwareRenderer)
{
    Log log;
    SceneHarness scene;
    RecordingCanvas canvas({"IQuadDrawingCanvas"}, {0, 0, 640, 480});
    Graphics::RenderContext context = Graphics::GetRenderContext();
    context.target = &canvas;
    Graphics::ScopedDrawState target(context);
    {
        FakeGraphicsPlatform software(log, kGraphicsDirectDraw);
        scene.Screen().DrawUnderlay();
        EXPECT_TRUE(canvas.calls.empty());
    }
    FakeGraphicsPlatform hardware(log, kGraphicsDirect3D);
    scene.Screen().DrawUnderlay();
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0].numbers, (std::vector<float>{0, 0, 640, 480}));
    EXPECT_EQ(canvas.calls[0].state.color, (ColorF{0, 0, 0, 0.5f}));
    EXPECT_EQ(Graphics::GetRenderContext().state.color, context.state.color) << "the context is restored";
}
} // namespace
