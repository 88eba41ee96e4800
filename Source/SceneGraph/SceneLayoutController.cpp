#include "SceneGraph/SceneLayoutController.h"

#include "Framework/ObjectDatabase.h"
#include "SceneGraph/SceneNode.h"

using namespace Corvane;

SceneLayoutController::~SceneLayoutController()
{
    Removed.disconnect_all_slots();
}

void SceneLayoutController::Attach(SceneNode* parent)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return;
    database->Add(this);
    mNode = CreateNode();
    if (mNode)
    {
        mNode->SetController(this);
        mNode->RegisterTree(database);
        if (parent)
            mNode->SetParent(parent);
    }
    OnAttached();
}

void SceneLayoutController::OnMessage(const ObjectMessage& message)
{
    if (message.GetName() != Messages::Remove())
        return;
    OnRemoved();
    if (SceneNode* node = mNode)
    {
        mNode = nullptr;
        node->SetController(nullptr);
        if (ObjectDatabase* database = ObjectDatabase::Current())
            database->Remove(node->GetID());
    }
    Removed(this);
}
