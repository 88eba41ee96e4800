#include "Game/Kitchen/DragAndDrop.h"

#include "Framework/ObjectDatabase.h"

using namespace Corvane;

namespace
{
template <typename C> C* FindOrCreate()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return nullptr;
    if (auto* found = dynamic_cast<C*>(database->FindByName(C::Name())))
        return found;
    database->Add(new C);
    return dynamic_cast<C*>(database->FindByName(C::Name()));
}

template <typename T> T* Resolve(const DragContainer* container)
{
    return container ? FindLive<T>(container->GetCurrent()) : nullptr;
}
} // namespace

Label DragSourceContainer::Name()
{
    static const Label name("DRAG_SOURCE_CONTAINER");
    return name;
}

Label DragSourceContainer::GetName() const
{
    return Name();
}

DragSourceContainer* DragSourceContainer::Get()
{
    return FindOrCreate<DragSourceContainer>();
}

Label DragTargetContainer::Name()
{
    static const Label name("DRAG_TARGET_CONTAINER");
    return name;
}

Label DragTargetContainer::GetName() const
{
    return Name();
}

DragTargetContainer* DragTargetContainer::Get()
{
    return FindOrCreate<DragTargetContainer>();
}

IngredientSource* CurrentIngredientSource()
{
    return Resolve<IngredientSource>(DragSourceContainer::Get());
}

IngredientTarget* CurrentIngredientTarget()
{
    return Resolve<IngredientTarget>(DragTargetContainer::Get());
}

void DeliverCurrentDrag()
{
    if (IngredientSource* source = CurrentIngredientSource())
        Deliver(*source);
}

void PickUp(IngredientSource& source)
{
    ClearTarget();
    DeliverCurrentDrag();
    IngredientSource* old = CurrentIngredientSource();
    if (old == &source)
        return;
    source.BeginDrag();
    if (old)
        old->CancelDrag();
    if (DragSourceContainer* sources = DragSourceContainer::Get())
        sources->SetCurrent(source.GetID());
}

void Deliver(IngredientSource& source)
{
    DragSourceContainer* sources = DragSourceContainer::Get();
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!sources || !database || !database->Get(sources->GetCurrent()) || sources->GetCurrent() != source.GetID())
        return;
    const auto releaseSource = [&] {
        if (sources->GetCurrent() == source.GetID())
            sources->SetCurrent(kNoObject);
    };
    IngredientTarget* target = CurrentIngredientTarget();
    if (target && target->Accept(source.GetItem()))
    {
        releaseSource();
        source.EndDrag();
        return;
    }
    releaseSource();
    source.CancelDrag();
}

void EnterTarget(const Object& target)
{
    if (DragTargetContainer* targets = DragTargetContainer::Get())
        targets->SetCurrent(target.GetID());
}

void LeaveTarget(const Object& target)
{
    DragTargetContainer* targets = DragTargetContainer::Get();
    if (targets && targets->GetCurrent() == target.GetID())
        targets->SetCurrent(kNoObject);
}

void ClearTarget()
{
    if (DragTargetContainer* targets = DragTargetContainer::Get())
        targets->SetCurrent(kNoObject);
}
