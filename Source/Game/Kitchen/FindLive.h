// The live object with a handle in the current object database, as the type the caller expects.
// Handlers of node signals and tasks hold handles, not pointers, and find their objects so: an
// object deleted meanwhile, or a screen whose database is gone, answers null. Main thread.
#pragma once

#include "Framework/Object.h"
#include "Framework/ObjectDatabase.h"

#include <vector>

// Null when there is no current database, the handle is stale, or the object is another type.
template <typename T> T* FindLive(Corvane::ObjectID id)
{
    Corvane::ObjectDatabase* database = Corvane::ObjectDatabase::Current();
    return database ? dynamic_cast<T*>(database->Get(id)) : nullptr;
}

// The live objects of a group of the current database that are a T, taken before any of them
// acts (acting may change the group).
template <typename T> std::vector<T*> LiveMembers(Corvane::Label group)
{
    std::vector<T*> members;
    if (Corvane::ObjectDatabase* database = Corvane::ObjectDatabase::Current())
        for (Corvane::ObjectID id : database->GetGroup(group))
            if (auto* member = dynamic_cast<T*>(database->Get(id)))
                members.push_back(member);
    return members;
}
