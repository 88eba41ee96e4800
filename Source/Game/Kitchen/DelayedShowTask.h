// The delayed show of an information popup: a task that waits "PopupDelayTime" seconds (the
// float resource; 0 when absent) and then shows the node. The pantry's bins and the level intro's
// ingredient cards run it, under a name of their own, when the pointer comes to rest on them and
// end it when the pointer leaves, so a popup shows only while the pointer stays.
//
//   bin->EndTasks(name);
//   bin->AddTask(name, MakeDelayedShowTask(popup));
//
// The node is found again through the current object database when the wait is over: a node
// removed meanwhile is not shown, and a node never registered cannot be shown at all.
#pragma once

namespace Corvane
{
class Task;
}
class SceneNode;

Corvane::Task* MakeDelayedShowTask(SceneNode* node);
