#include "Widgets/WidgetFocus.h"

#include "Framework/IPlatform.h"
#include "Framework/Object.h"

namespace Corvane
{
bool HasFocus(const Object* object)
{
    const ObjectDatabase* database = ObjectDatabase::Current();
    return object && database && database->GetFocus() == object;
}

void SetFocus(Object* object)
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->SetFocus(object);
}

bool HasCapture(const Object* object)
{
    const ObjectDatabase* database = ObjectDatabase::Current();
    return object && database && database->GetCapture() == object;
}

void SetCapture(Object* object)
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->SetCapture(object);
}

void BroadcastFrom(const Object& sender, Label message)
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->Broadcast(ObjectMessage(sender.GetID(), message));
}

void ReleaseCapture()
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->SetCapture(nullptr);
    else if (IPlatform* platform = IPlatform::GetInstance())
        platform->ReleaseMouse();
}
} // namespace Corvane
