// What the scene graph registers at start-up, before the first manifest is read: its resource
// types with the resource manager and its node types with the node-type registry. The
// application calls both from its Start. Each node type adds its one line to
// RegisterSceneNodeTypes, in the order the start-up registers them.
#pragma once

// "scenelayout" and "randomrange" (and the other scene resource types as they come).
void RegisterSceneResourceFactories();
// "sceneref", "scenenode" and every other node type.
void RegisterSceneNodeTypes();
// Both, resources first.
void RegisterSceneGraphTypes();
