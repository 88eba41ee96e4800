// Small pieces the scene graph's task files share: constant generators for tasks made from fixed
// values, and the owner check every node task makes before touching its node.
#pragma once

#include "Framework/NumberGenerator.h"
#include "Framework/Vector2Generator.h"

#include <memory>
#include <stdexcept>

namespace Corvane::TaskParts
{
inline std::shared_ptr<NumberGenerator<float>> Constant(float value)
{
    return std::make_shared<ConstNumberGenerator<float>>(value);
}

template <typename T> std::shared_ptr<Vector2Generator<T>> ConstantPoint(T x, T y)
{
    return std::make_shared<Vector2ToVector2Generator<T>>(std::make_shared<ConstNumberGenerator<T>>(x),
                                                          std::make_shared<ConstNumberGenerator<T>>(y));
}

// The task's owner as the node type it works on; a task put on the wrong object is a
// programming error that names itself.
template <typename Node> Node& OwnerAs(Object* owner, const char* message)
{
    Node* node = dynamic_cast<Node*>(owner);
    if (!node)
        throw std::runtime_error(message);
    return *node;
}
} // namespace Corvane::TaskParts
