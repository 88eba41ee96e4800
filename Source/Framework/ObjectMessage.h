// A message between objects: who sent it and its name, nothing more. A receiver that needs more
// asks the sender, found with ObjectDatabase::Get.
#pragma once

#include "Framework/ObjectID.h"
#include "Label.h"

namespace Corvane
{
class ObjectMessage
{
public:
    ObjectMessage(ObjectID sender, Label name) : mSender(sender), mName(name) {}
    virtual ~ObjectMessage() = default;

    // kNoObject for the messages the database makes itself.
    ObjectID GetSender() const { return mSender; }
    Label GetName() const { return mName; }

private:
    ObjectID mSender;
    Label mName;
};

// The names of the messages the object database sends.
namespace Messages
{
// To an object when it is added, and when it is removed (sender none).
Label Add();
Label Remove();
// To the object that loses or receives keyboard focus (sender none).
Label LostFocus();
Label ReceivedFocus();
// Broadcast when the mouse enters or leaves an object (sender that object).
Label ControlEnter();
Label ControlLeave();
} // namespace Messages
} // namespace Corvane
