// The base of everything that lives in an object database: game managers and pieces, widget
// objects, scene nodes. An object carries its timed behaviour as tasks: an ordered list run one
// after another (the time a task leaves over passes to the next) and tasks filed under labels, run
// side by side with the whole update's time. The database gives it a handle when it is added,
// runs Update once per database update, delivers messages through HandleMessage and deletes it
// after the update in which (or before which) it was removed; an object never added is owned by
// its creator. Main thread only.
#pragma once

#include "Framework/NamedTaskSet.h"
#include "Framework/ObjectID.h"
#include "Framework/ObjectMessage.h"
#include "Framework/TaskSet.h"

namespace Corvane
{
class ObjectDatabase;

class Object
{
public:
    Object() = default;
    // Ends and deletes every task of the list, then every named task.
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    // The name under which the database files the object; the null label for none.
    virtual Label GetName() const { return Label(); }
    // The index-th group label, the null label ending the list. Default: GetGroup () for index 0.
    virtual Label GetGroup(const int& index) const;
    // The single group label; default none. A subclass overrides one of the two forms (and adds
    // "using Object::GetGroup;" so that the other stays visible through it).
    virtual Label GetGroup() const { return Label(); }
    // Runs after the object's tasks in every update.
    virtual void OnUpdate(float) {}
    // Runs after the object's tasks have seen a message.
    virtual void OnMessage(const ObjectMessage&) {}

    // kNoObject until the object is added to a database.
    ObjectID GetID() const { return mID; }

    // Serial pass over the task list with dt, parallel pass over the named tasks with the full dt,
    // then OnUpdate (dt). Called by the database.
    void Update(float dt);
    // The task list, then the named tasks, then OnMessage see the message. Called by the database.
    void HandleMessage(const ObjectMessage& message);

    // The ordered task list: append with Add, end all with EndAll. The object owns its tasks.
    Internal::TaskSet& GetTasks() { return mTasks; }
    // Tasks run side by side: ask with IsRunning.
    Internal::NamedTaskSet& GetNamedTasks() { return mNamedTasks; }
    const Internal::NamedTaskSet& GetNamedTasks() const { return mNamedTasks; }

    // Files task (owned from now on) among the named tasks under name.
    void AddTask(Label name, Task* task) { mNamedTasks.Insert(name, task); }
    // Ends every named task filed under name; the null label ends nothing.
    void EndTasks(Label name) { mNamedTasks.End(name); }

    // Removes this object from the current database (which deletes it after its next update).
    // Nothing happens when the current database does not hold this very object.
    void RemoveFromDatabase();

private:
    friend class ObjectDatabase;

    ObjectID mID = kNoObject;
    Internal::TaskSet mTasks;
    Internal::NamedTaskSet mNamedTasks;
};
} // namespace Corvane
