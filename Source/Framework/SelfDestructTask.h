// Removes its owner from the current object database and finishes, using the whole update. It
// cannot be cloned.
#pragma once

#include "Framework/Task.h"

namespace Corvane
{
class SelfDestructTask : public Task
{
public:
    TaskResult Update(Object* owner, float dt) override;
};
} // namespace Corvane
