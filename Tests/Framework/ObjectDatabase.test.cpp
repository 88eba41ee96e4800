#include "Framework/ObjectDatabase.h"
#include "Framework/ApplicationMode.h"
#include "Framework/SelfDestructTask.h"
#include "RuntimeError.h"
#include "Support/DebugCapture.h"
#include "Support/FrameworkObjects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace Corvane;
using Corvane::Testing::Log;
using Corvane::Testing::LoggingControl;
using Corvane::Testing::LoggingObject;

namespace
{
class TitleMode : public ApplicationMode
{
};

class RecordingDatabase : public ObjectDatabase
{
public:
    explicit RecordingDatabase(Log& log) : mLog(log) {}
    void OnMessage(const ObjectMessage& message) override
    {
        mLog.push_back(std::string("db ") + message.GetName().c_str());
    }

private:
    Log& mLog;
};

struct Plain : Object
{
};
} // namespace

TEST(ObjectDatabase, HandlesGoStaleWhenTheirSlotIsReused)
{
    Log log;
    ObjectDatabase db;
    auto* first = new LoggingObject(log, "first");
    const ObjectID a = db.Add(first);
    EXPECT_EQ(a, 65536) << "slot 0, generation 1";
    EXPECT_EQ(first->GetID(), a);
    EXPECT_EQ(db.Add(first), a) << "adding again changes nothing";
    EXPECT_EQ(log, (Log{"first Add"})) << "and sends no second Add";

    db.Remove(a);
    EXPECT_EQ(db.Get(a), nullptr) << "removed objects resolve to nothing at once";
    EXPECT_EQ(log.back(), "first Remove");
    db.Update(0.02f);
    EXPECT_EQ(log.back(), "first deleted");

    const ObjectID b = db.Add(new Plain);
    EXPECT_EQ(b, 131072) << "slot 0 again, generation 2";
    EXPECT_EQ(db.Get(a), nullptr);
    EXPECT_FALSE(db.IsValid(a));
    EXPECT_NE(db.Get(b), nullptr);
    EXPECT_EQ(db.Get(kNoObject), nullptr);
    db.Remove(a); // stale: nothing
    EXPECT_NE(db.Get(b), nullptr);
}

TEST(ObjectDatabase, GenerationsWrapWithoutEverGivingMinusOne)
{
    using namespace Corvane::Internal;
    EXPECT_NE(MakeObjectID(kMaxObjectSlots - 1, kMaxGeneration), kNoObject);
    EXPECT_EQ(NextGeneration(kMaxGeneration), 1u);
    EXPECT_EQ(NextGeneration(GenerationOf(kNoObject)), 1u) << "a slot never used starts at 1";

    ObjectDatabase db;
    ObjectID id = kNoObject;
    for (std::uint32_t generation = 1; generation <= kMaxGeneration + 1; ++generation)
    {
        Object* object = new Plain;
        id = db.Add(object);
        ASSERT_EQ(db.Get(id), object) << "generation " << generation;
        ASSERT_NE(id, kNoObject);
        if (generation == 32768)
        {
            EXPECT_LT(id, 0) << "high generations give negative handles, which still resolve";
        }
        db.Remove(id);
        db.Update(0.0f);
    }
    EXPECT_EQ(GenerationOf(id), 1u) << "after 65,535 comes 1";
    EXPECT_EQ(db.GetSize(), 1);
}

TEST(ObjectDatabase, TheTableStopsAtTheLastSlotThatCannotAliasMinusOne)
{
    ObjectDatabase db;
    for (std::uint32_t i = 0; i < Internal::kMaxObjectSlots; ++i)
        db.Add(new Plain);
    auto extra = std::make_unique<Plain>();
    EXPECT_THROW(db.Add(extra.get()), RuntimeError);
    EXPECT_EQ(extra->GetID(), kNoObject) << "the caller still owns it";

    db.Remove(Internal::MakeObjectID(7, 1));
    db.Update(0.0f);
    EXPECT_EQ(Internal::SlotOf(db.Add(extra.release())), 7u) << "a freed slot serves again";
}

TEST(ObjectDatabase, RemovalDuringUpdateSkipsAndDeletesInTheSamePass)
{
    Log log;
    ObjectDatabase db;
    auto* killer = new LoggingObject(log, "killer");
    auto* victim = new LoggingObject(log, "victim");
    auto* spawner = new LoggingObject(log, "spawner");
    db.Add(killer);
    const ObjectID victimId = db.Add(victim);
    db.Add(spawner);
    killer->onUpdate = [&](float) { db.Remove(victimId); };
    spawner->onUpdate = [&](float) {
        if (db.GetSize() == 3)
            db.Add(new LoggingObject(log, "child"));
    };
    log.clear();
    db.Update(0.02f);
    EXPECT_EQ(log,
              (Log{"killer update", "victim Remove", "spawner update", "child Add", "child update", "victim deleted"}));
}

TEST(ObjectDatabase, RemovalDuringBroadcastSkipsTheRemoved)
{
    Log log;
    RecordingDatabase db(log);
    auto* a = new LoggingObject(log, "a");
    auto* b = new LoggingObject(log, "b");
    db.Add(a);
    const ObjectID bId = db.Add(b);
    a->onMessage = [&](const ObjectMessage& m) {
        if (m.GetName() == Label("Tick"))
        {
            db.Remove(bId);
            db.Add(new LoggingObject(log, "late"));
        }
    };
    log.clear();
    db.Broadcast(ObjectMessage(kNoObject, Label("Tick")));
    EXPECT_EQ(log, (Log{"db Tick", "a Tick", "b Remove", "late Add", "late Tick"}));
    EXPECT_EQ(db.GetSize(), 3) << "nothing is freed by a broadcast";
}

TEST(ObjectDatabase, AnUpdateInsideABroadcastFreesWhenTheBroadcastEnds)
{
    Log log;
    ObjectDatabase db;
    auto* a = new LoggingObject(log, "a");
    auto* b = new LoggingObject(log, "b");
    db.Add(a);
    const ObjectID bId = db.Add(b);
    a->onMessage = [&](const ObjectMessage& m) {
        if (m.GetName() != Label("Go"))
            return;
        db.Remove(bId);
        db.Update(0.0f);
        log.push_back("after nested update");
    };
    log.clear();
    db.Broadcast(ObjectMessage(kNoObject, Label("Go")));
    EXPECT_EQ(log.back(), "b deleted");
    EXPECT_EQ(log[log.size() - 2], "after nested update");
}

TEST(ObjectDatabase, AnObjectAddedAgainBeforeItIsFreedIsDeletedOnce)
{
    Log log;
    ObjectDatabase db;
    auto* object = new LoggingObject(log, "o", Label("Stove"), Label("Stations"));
    const ObjectID old = db.Add(object);
    db.Remove(old);
    const ObjectID renewed = db.Add(object);
    EXPECT_NE(renewed, old);
    EXPECT_EQ(db.Get(old), nullptr);
    db.Update(0.0f);
    EXPECT_EQ(db.Get(renewed), object) << "freeing the old entry did not delete it";
    EXPECT_EQ(db.FindByName(Label("Stove")), object);
    EXPECT_EQ(db.GetGroup(Label("Stations")), (std::list<ObjectID>{renewed}));
    EXPECT_EQ(std::count(log.begin(), log.end(), "o deleted"), 0);
}

TEST(ObjectDatabase, NamesFollowTheLastObjectAddedUnderThem)
{
    Log log;
    ObjectDatabase db;
    const Label name("RecipeList");
    auto* old = new LoggingObject(log, "old", name);
    auto* successor = new LoggingObject(log, "new", name);
    const ObjectID oldId = db.Add(old);
    const ObjectID newId = db.Add(successor);
    EXPECT_EQ(db.FindByName(name), successor);
    db.Remove(oldId);
    EXPECT_EQ(db.FindByName(name), successor) << "removing the former holder keeps the name with its successor";
    db.Remove(newId);
    EXPECT_EQ(db.FindByName(name), nullptr);
    EXPECT_EQ(db.FindByName(Label("Nobody")), nullptr);
}

TEST(ObjectDatabase, GroupsKeepRemovedObjectsUntilFreed)
{
    Log log;
    ObjectDatabase db;
    const Label bins("Standard_IngredientBin");
    const ObjectID a = db.Add(new LoggingObject(log, "a", Label(), bins));
    const ObjectID b = db.Add(new LoggingObject(log, "b", Label(), bins));
    EXPECT_EQ(db.GetGroup(bins), (std::list<ObjectID>{a, b}));
    db.Remove(a);
    EXPECT_EQ(db.GetGroup(bins).size(), 2u);
    db.Update(0.0f);
    EXPECT_EQ(db.GetGroup(bins), (std::list<ObjectID>{b}));
    EXPECT_TRUE(db.GetGroup(Label("Empty")).empty());
}

TEST(ObjectDatabase, DrawListIsSortedByDepthStably)
{
    Log log;
    ObjectDatabase db;
    const ObjectID high = db.Add(new LoggingControl(log, "high", 5.0f, {}));
    const ObjectID low1 = db.Add(new LoggingControl(log, "low1", 1.0f, {}));
    db.Add(new Plain);
    const ObjectID low2 = db.Add(new LoggingControl(log, "low2", 1.0f, {}));
    db.Update(0.0f);
    EXPECT_EQ(db.GetDrawList(), (std::vector<ObjectID>{low1, low2, high}));
    db.Remove(low1);
    db.Update(0.0f);
    EXPECT_EQ(db.GetDrawList(), (std::vector<ObjectID>{low2, high}));
}

TEST(ObjectDatabase, BroadcastMakesItsScreenCurrent)
{
    Log log;
    auto* top = new TitleMode;
    auto* below = new TitleMode;
    Internal::SetTopApplicationMode(top);
    EXPECT_EQ(ObjectDatabase::Current(), top);

    auto* listener = new LoggingObject(log, "listener");
    below->Add(listener);
    ObjectDatabase* seenDatabase = nullptr;
    ApplicationMode* seenMode = nullptr;
    listener->onMessage = [&](const ObjectMessage&) {
        seenDatabase = ObjectDatabase::Current();
        seenMode = GetCurrentApplicationMode();
    };
    below->Broadcast(ObjectMessage(kNoObject, Label("Hello")));
    EXPECT_EQ(seenDatabase, below);
    EXPECT_EQ(seenMode, below);
    EXPECT_EQ(GetCurrentApplicationMode(), top) << "restored afterwards";

    delete below;
    delete top;
    EXPECT_EQ(GetCurrentApplicationMode(), nullptr) << "a deleted top mode is forgotten";
}

TEST(ObjectDatabase, ObjectsDeletedWithTheirDatabaseFindIt)
{
    Log log;
    auto* top = new TitleMode;
    Internal::SetTopApplicationMode(top);
    std::vector<ObjectDatabase*> seen;
    {
        Testing::DebugCapture capture;
        auto* popped = new TitleMode;
        struct Reporter : Object
        {
            std::vector<ObjectDatabase*>* seen;
            ~Reporter() override { seen->push_back(ObjectDatabase::Current()); }
        };
        for (int i = 0; i < 2; ++i)
        {
            auto* reporter = new Reporter;
            reporter->seen = &seen;
            popped->Add(reporter);
        }
        popped->Update(0.0f);
        delete popped;
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[0], popped);
        EXPECT_EQ(seen[1], popped);
        EXPECT_NE(capture.Text().find("TitleMode): Final Size = 2\n"), std::string::npos) << capture.Text();
    }
    EXPECT_EQ(ObjectDatabase::Current(), top);
    delete top;
}

TEST(ObjectDatabase, SelfDestructRemovesOnlyItsOwnerFromTheCurrentScreen)
{
    Log log;
    auto* screen = new TitleMode;
    auto* other = new TitleMode;
    Internal::SetTopApplicationMode(screen);

    auto* doomed = new LoggingObject(log, "doomed");
    doomed->GetTasks().Add(new SelfDestructTask);
    screen->Add(doomed);
    // Same handle in another screen: its object must survive a removal meant for the first.
    auto* bystander = new LoggingObject(log, "bystander");
    const ObjectID id = other->Add(bystander);
    bystander->GetTasks().Add(new SelfDestructTask);
    EXPECT_EQ(id, doomed->GetID());

    log.clear();
    screen->Update(0.02f);
    EXPECT_EQ(log, (Log{"doomed Remove", "doomed update", "doomed deleted"})) << "tasks run before the hook";
    log.clear();
    other->Update(0.02f);
    EXPECT_EQ(other->Get(id), bystander) << "the current screen does not hold it";

    delete other;
    delete screen;
}

TEST(ObjectDatabase, FocusMessagesGoToTheTwoObjectsInOrder)
{
    Log log;
    RecordingDatabase db(log);
    auto* a = new LoggingObject(log, "a");
    auto* b = new LoggingObject(log, "b");
    auto* hovered = new LoggingControl(log, "hovered", 0.0f, {0, 0, 10, 10});
    db.Add(a);
    db.Add(b);
    db.Add(hovered);
    db.OnMouseMove(5, 5);
    db.SetFocus(a);
    EXPECT_EQ(db.GetFocus(), a);
    log.clear();
    db.SetFocus(a);
    EXPECT_TRUE(log.empty()) << "focusing the focus does nothing";
    db.SetFocus(b);
    db.Remove(b->GetID());
    db.Remove(hovered->GetID());
    EXPECT_EQ(log, (Log{"a LostFocus", "b ReceivedFocus", "b LostFocus", "b Remove", "hovered Remove"}))
        << "no ControlLeave for a removed hovered object, and nothing broadcast";
    EXPECT_EQ(db.GetFocus(), nullptr);
    EXPECT_EQ(db.GetHover(), kNoObject);

    Plain stranger;
    db.SetFocus(&stranger);
    EXPECT_EQ(db.GetFocus(), nullptr) << "an object of no database is refused";
}
