#include "Game/Kitchen/DragTargetContainer.h"

#include "Framework/ObjectDatabase.h"

using namespace Corvane;

Label DragTargetContainer::Name()
{
    static const Label name("DRAG_TARGET_CONTAINER");
    return name;
}

Label DragTargetContainer::GetName() const
{
    return Name();
}

DragTargetContainer* GetDragTargetContainer()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return nullptr;
    if (auto* found = dynamic_cast<DragTargetContainer*>(database->FindByName(DragTargetContainer::Name())))
        return found;
    auto* container = new DragTargetContainer;
    database->Add(container);
    return container;
}
