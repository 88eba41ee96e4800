// Keyboard focus and mouse capture as the widget objects ask for them: each acts on the current
// object database (ObjectDatabase::Current), and does nothing or answers false without one.
// Main thread.
#pragma once

#include "Framework/ObjectDatabase.h"

namespace Corvane
{
class Object;

// The current database's keyboard focus is object.
bool HasFocus(const Object* object);
// Gives object the focus (null: nobody), with "LostFocus" and "ReceivedFocus".
void SetFocus(Object* object);
// The current database's mouse capture is object.
bool HasCapture(const Object* object);
// Gives object the capture and captures the mouse for the window.
void SetCapture(Object* object);
// Nobody holds the capture; the window lets the mouse go.
void ReleaseCapture();

// Broadcasts message from sender through the current database; nothing without one.
void BroadcastFrom(const Object& sender, Label message);

// The live object of that name in the current database when it is a T, else null.
template <typename T> T* FindObjectByName(Label name)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<T*>(database->FindByName(name)) : nullptr;
}
} // namespace Corvane
