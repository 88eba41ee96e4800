// The live object with a handle in the current object database, as the type the caller expects.
// Handlers of node signals and tasks hold handles, not pointers, and find their objects so: an
// object deleted meanwhile, or a screen whose database is gone, answers null. Main thread.
#pragma once

#include "Framework/Object.h"
#include "Framework/ObjectDatabase.h"

// Null when there is no current database, the handle is stale, or the object is another type.
template <typename T> T* FindLive(Corvane::ObjectID id)
{
    Corvane::ObjectDatabase* database = Corvane::ObjectDatabase::Current();
    return database ? dynamic_cast<T*>(database->Get(id)) : nullptr;
}
