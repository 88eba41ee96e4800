#include "Game/Kitchen/DelayedShowTask.h"

#include "Framework/ResourceManager.h"
#include "Framework/SerialTask.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "SceneGraph/NodeTasks.h"

using namespace Corvane;

Task* MakeDelayedShowTask(SceneNode*)
{
    const float delay = ResourceManager::GetValue<float>(Label("PopupDelayTime"), 0.0f);
    return new SerialTask(new TimedTask(delay), new NodeVisibleTask(true));
}
