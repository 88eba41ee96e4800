#include "Game/Kitchen/DelayedShowTask.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/SerialTask.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "SceneGraph/SceneNode.h"

using namespace Corvane;

namespace
{
// Shows the node with this handle in the current database and ends at once.
class ShowNodeTask : public Task
{
public:
    explicit ShowNodeTask(ObjectID node) : mNode(node) {}

    Task* Clone() const override { return new ShowNodeTask(mNode); }

    TaskResult Update(Object*, float) override
    {
        ObjectDatabase* database = ObjectDatabase::Current();
        if (auto* node = database ? dynamic_cast<SceneNode*>(database->Get(mNode)) : nullptr)
            node->SetVisible(true);
        return {kTaskFinished, 0.0f};
    }

private:
    ObjectID mNode;
};
} // namespace

Task* MakeDelayedShowTask(SceneNode* node)
{
    const float delay = ResourceManager::GetValue<float>(Label("PopupDelayTime"), 0.0f);
    return new SerialTask(new TimedTask(delay), new ShowNodeTask(node ? node->GetID() : kNoObject));
}
