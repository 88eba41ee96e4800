// The scene graph as the program starts it: the application registers the scene types in its
// Start, loads a manifest of layouts, and its first screen builds itself from them.
#include "SceneGraph/SceneGraphRegistration.h"

#include "Framework/Engine.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/SceneNodeFactory.h"
#include "Support/EngineHarness.h"
#include "Support/RecordingApplication.h"
#include "Support/ResourceFolder.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// The first screen: the title layout under its root, and a message when its button is pressed.
class TitleMode : public SceneApplicationMode
{
public:
    explicit TitleMode(std::vector<std::string>& log) : mLog(log) {}
    void OnEnter() override
    {
        SceneApplicationMode::OnEnter();
        SceneNode* title = InstantiateLayout(Label("TitleLayout"));
        if (SceneNode* play = title ? title->FindByPath({0, "Play"}) : nullptr)
            play->Signals().ButtonDown.connect(
                [](SceneNode* node, MouseButton, int, int) { node->BroadcastMessage(Label("PlayPressed")); });
    }
    void OnMessage(const ObjectMessage& message) override
    {
        // Controls are told apart by their node names.
        const auto* sender = dynamic_cast<SceneNode*>(Get(message.GetSender()));
        mLog.push_back(std::string(message.GetName().c_str()) + " from " +
                       (sender ? sender->GetNodeName().c_str() : "nobody"));
    }

private:
    std::vector<std::string>& mLog;
};

class SceneGraphStartUp : public testing::Test, public FakeEngine
{
protected:
    ResourceFolder resources;
};

TEST_F(SceneGraphStartUp, TheApplicationRegistersTheSceneTypesAndItsFirstScreenIsBuiltFromALayout)
{
    resources.WriteManifest("Screens", R"(
        <scenelayout name="Menu">
          <scenenode nodeName="Buttons" width="300" height="200">
            <scenenode nodeName="Play" x="20" y="20" width="100" height="30" hitTest="true"/>
          </scenenode>
        </scenelayout>
        <scenelayout name="TitleLayout">
          <scenenode width="800" height="600"><sceneref scenename="Menu" x="250" y="300"/></scenenode>
        </scenelayout>
        <randomrange name="Sparkle" min="1" max="3"/>)");
    RecordingApplication application(log);
    application.onStart = [&] {
        RegisterSceneGraphTypes();
        ResourceManager::Instance()->LoadAndWait(L"Screens", true, nullptr);
        PushApplicationMode(new TitleMode(log));
    };
    StartEngine();
    EXPECT_NE(FindNodeFactory(L"scenenode"), nullptr);
    EXPECT_NE(FindNodeFactory(L"sceneref"), nullptr);
    ASSERT_NE(SceneLayout::Find(Label("TitleLayout")), nullptr);

    looper.ApplyRequests();
    auto* title = dynamic_cast<TitleMode*>(looper.GetTopMode());
    ASSERT_NE(title, nullptr);
    SceneNode* play = FindNodeInCurrentScene({0, 0, "Play"});
    ASSERT_NE(play, nullptr);
    looper.Update(0.02f);
    EXPECT_EQ(play->GetWorldPosition(), (Vector2<float>{270, 320}));

    log.clear();
    InputEvent press;
    press.type = InputEvent::kButtonDown;
    press.x = 300;
    press.y = 330;
    looper.OnInputEvent(press);
    EXPECT_EQ(log, (std::vector<std::string>{"PlayPressed from Play"}));
}
} // namespace
