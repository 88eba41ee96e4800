#include "Framework/Object.h"

#include "Framework/ObjectDatabase.h"

namespace Corvane
{
Object::~Object()
{
    mTasks.EndAll();
    mNamedTasks.EndAll();
}

Label Object::GetGroup(const int& index) const
{
    return index == 0 ? GetGroup() : Label();
}

void Object::Update(float dt)
{
    mTasks.UpdateSerial(this, dt);
    mNamedTasks.UpdateParallel(this, dt, 0);
    OnUpdate(dt);
}

void Object::HandleMessage(const ObjectMessage& message)
{
    mTasks.Message(this, message, 0);
    mNamedTasks.Message(this, message, 0);
    OnMessage(message);
}

void Object::RemoveFromDatabase()
{
    // Handles are per database: the same number may name another object in another screen.
    ObjectDatabase* database = ObjectDatabase::Current();
    if (database && database->Get(mID) == this)
        database->Remove(mID);
}
} // namespace Corvane
