// The placement of a scene node: position and size, visibility, colour, scale and orientation.
// Every node keeps two: its local state, relative to its parent, and its world state, the local
// state combined with every ancestor's (see SceneNode.h).
#pragma once

#include "Graphics/ColorF.h"
#include "Graphics/Vector2.h"

struct NodeState
{
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    bool visible = true;
    Corvane::ColorF color{1.0f, 1.0f, 1.0f, 1.0f};
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float orientation = 0.0f; // radians, clockwise on the screen

    Corvane::Vector2<float> GetPosition() const { return {x, y}; }
    Corvane::Vector2<float> GetSize() const { return {width, height}; }
    Corvane::Vector2<float> GetScale() const { return {scaleX, scaleY}; }
};

// The child's world state under a parent's world state: positions add, visibility and alpha,
// scale and orientation combine; size and colour (red, green, blue) are the child's own.
NodeState CombineNodeStates(const NodeState& parentWorld, const NodeState& childLocal);

// The dirty bits of a node: which parts of its world state are out of date.
enum NodeDirtyBits : unsigned
{
    kDirtyPosition = 1,
    kDirtyVisibility = 2,
    kDirtyColor = 4,
    kDirtyScale = 8,
    kDirtyOrientation = 16,
    kDirtyAll = 31,
};
