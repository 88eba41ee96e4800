// A popup that shows itself a moment after the pointer arrives: the ingredient pictures of the
// level intro and the pantry's bins add it to their popup under a name of their own and end it when
// the pointer leaves, so a popup whose delay has not run out never shows.
#pragma once

namespace Corvane
{
class Task;
}
class SceneNode;

// A serial task for node, the popup that is to carry it: a wait of "PopupDelayTime" seconds (0
// when the value is missing), then a visibility task that shows the node carrying it. The caller
// owns it until it adds it to node.
Corvane::Task* MakeDelayedShowTask(SceneNode* node);
