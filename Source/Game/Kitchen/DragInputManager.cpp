#include "Game/Kitchen/DragInputManager.h"

#include "Framework/Looper.h"
#include "Framework/ObjectDatabase.h"
#include "Game/Kitchen/DragAndDrop.h"
#include "Game/Kitchen/IngredientStepDisplay.h"
#include "SceneGraph/SceneNode.h"

#include <vector>

using namespace Corvane;

namespace
{
// Where a new picture waits until the first update after its drag began.
constexpr float kOffScreen = -999.0f;
} // namespace

Label DragInputManager::Name()
{
    static const Label name("DRAGINPUT_MANAGER");
    return name;
}

Label DragInputManager::GetName() const
{
    return Name();
}

DragInputManager* DragInputManager::Get()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return nullptr;
    if (auto* found = dynamic_cast<DragInputManager*>(database->FindByName(Name())))
        return found;
    database->Add(new DragInputManager);
    return dynamic_cast<DragInputManager*>(database->FindByName(Name()));
}

SceneNode* DragInputManager::GetDragImage() const
{
    return FindLive<SceneNode>(mImage);
}

void DragInputManager::StartDrag(SceneNode* node)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (database && mImage != kNoObject && (!node || node->GetID() != mImage))
        database->Remove(mImage);
    mImage = node ? node->GetID() : kNoObject;
    if (!node)
        return;
    node->SetVisible(true);
    node->SetWorldPosition({kOffScreen, kOffScreen});
}

void DragInputManager::SetDragMode(int mode)
{
    SetDragImageVisible(false);
    mMode = mode;
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return;
    // Copied: a display may go while the hints change.
    const std::list<ObjectID>& group = database->GetGroup(IngredientStepDisplay::Group());
    const std::vector<ObjectID> displays(group.begin(), group.end());
    for (const bool on : {false, true})
    {
        if (on && mode != kIngredient)
            break;
        for (ObjectID id : displays)
            if (auto* display = dynamic_cast<IngredientStepDisplay*>(database->Get(id)))
                display->SetDropHint(on);
    }
}

void DragInputManager::SetDragImageVisible(bool visible)
{
    if (SceneNode* image = GetDragImage())
        image->SetVisible(visible);
}

void DragInputManager::DeliverDrop()
{
    DeliverCurrentDrag();
}

void DragInputManager::OnUpdate(float)
{
    if (SceneNode* image = GetDragImage())
    {
        const Vector2<int> mouse = GetLastMousePosition();
        image->SetWorldPosition({static_cast<float>(mouse.x), static_cast<float>(mouse.y)});
    }
}
