// How the game's constant node paths are written: the name steps in order, then the end element.
// Multi-path tables are arrays of such paths, picked by number from 0.
#pragma once

#include "SceneGraph/NodePath.h"

#include <initializer_list>
#include <vector>

inline NodePath PathOf(std::initializer_list<NodePathElement> steps)
{
    std::vector<NodePathElement> elements(steps);
    elements.emplace_back(NodePathEnd{});
    return NodePath(std::move(elements));
}
