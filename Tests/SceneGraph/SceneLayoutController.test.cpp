#include "SceneGraph/SceneLayoutController.h"

#include "SceneGraph/SceneLayout.h"
#include "Support/SceneHarness.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;

class Station : public SceneLayoutController
{
public:
    explicit Station(Log& log) : mLog(log) {}
    ~Station() override { mLog.push_back("station deleted"); }

protected:
    SceneNode* CreateNode() override
    {
        return SceneLayout::Find(Label("StationLayout"))->Instantiate(nullptr, nullptr);
    }
    void OnRemoved() override { mLog.push_back("station OnRemoved"); }
    void OnAttached() override { mLog.push_back("station OnAttached"); }

private:
    Log& mLog;
};

// Counts, when a child arrives, the nodes of its subtree that have no id yet.
class Counter : public SceneNode
{
public:
    void ChildAdded(SceneNode* child) override { unregistered = Unregistered(*child); }
    static int Unregistered(SceneNode& node)
    {
        int count = node.GetID() == kNoObject ? 1 : 0;
        for (SceneNode* child : node.GetChildren())
            count += Unregistered(*child);
        return count;
    }
    int unregistered = -1;
};

class Controllers : public testing::Test
{
protected:
    Controllers()
    {
        scene.Load(R"(<scenelayout name="StationLayout">
                        <testboxnode width="10" height="10"><scenenode nodeName="Flame"/></testboxnode>
                      </scenelayout>)");
        counter = new Counter;
        counter->SetParent(scene.Root());
        counter->RegisterTree(&scene.Screen());
    }

    Log log;
    SceneHarness scene;
    Counter* counter = nullptr;
};

TEST_F(Controllers, AttachingRegistersTheWholeTreeBeforeItJoinsTheScene)
{
    auto* station = new Station(log);
    station->Attach(counter);
    ASSERT_NE(station->GetNode(), nullptr);
    EXPECT_EQ(counter->unregistered, 0);
    EXPECT_EQ(station->GetNode()->GetParent(), counter);
    EXPECT_EQ(station->GetNode()->GetController(), station);
    EXPECT_EQ(scene.Screen().Get(station->GetID()), station);
    EXPECT_EQ(log, (Log{"station OnAttached"}));

    // Without a parent the tree is registered but stays out of the scene.
    auto* loose = new Station(log);
    loose->Attach(nullptr);
    EXPECT_NE(scene.Screen().Get(loose->GetNode()->FindByPath({"Flame"})->GetID()), nullptr);
    EXPECT_EQ(loose->GetNode()->GetParent(), nullptr);
}

TEST_F(Controllers, RemovingEitherSideRemovesBoth)
{
    for (const bool removeController : {true, false})
    {
        log.clear();
        auto* station = new Station(log);
        station->Attach(counter);
        SceneNode* node = station->GetNode();
        SceneNode* flame = node->FindByPath({"Flame"});
        int removedSignals = 0;
        station->Removed.connect([&](SceneLayoutController* removed) {
            EXPECT_EQ(removed, station);
            ++removedSignals;
        });
        log.clear();
        scene.Screen().Remove(removeController ? station->GetID() : node->GetID());
        EXPECT_EQ(scene.Screen().Get(station->GetID()), nullptr) << removeController;
        EXPECT_EQ(scene.Screen().Get(node->GetID()), nullptr) << removeController;
        EXPECT_EQ(scene.Screen().Get(flame->GetID()), nullptr) << removeController;
        EXPECT_EQ(station->GetNode(), nullptr);
        EXPECT_EQ(removedSignals, 1);
        EXPECT_TRUE(counter->GetChildren().empty());
        scene.Update();
        EXPECT_EQ(log, (Log{"station OnRemoved", "station deleted"})) << removeController;
    }
}
} // namespace
