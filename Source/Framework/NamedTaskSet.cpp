#include "Framework/NamedTaskSet.h"

namespace Corvane::Internal
{
void NamedTaskSet::Insert(Label name, Task* task)
{
    if (task)
        mTasks.emplace(name, task);
}

void NamedTaskSet::End(Label name)
{
    if (name.IsNull())
        return;
    Iteration iteration(*this);
    auto [first, last] = mTasks.equal_range(name);
    for (auto it = first; it != last; ++it)
        it->second->SetFlags(Task::kEnded);
}

bool NamedTaskSet::IsRunning(Label name) const
{
    for (const auto& [label, task] : mTasks)
        if (!label.IsNull() && !task->IsEnded() && (name.IsNull() || label == name))
            return true;
    return false;
}
} // namespace Corvane::Internal
