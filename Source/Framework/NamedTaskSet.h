// Tasks filed under labels (several per label), run side by side. Iteration follows the order of
// the label handles and, within one label, the order of insertion.
#pragma once

#include "Framework/TaskCollection.h"

namespace Corvane::Internal
{
class NamedTaskSet : public TaskCollection<std::multimap<Label, Task*>>
{
public:
    explicit NamedTaskSet(int depth = 0) : TaskCollection(depth) {}

    // Files task (owned from now on) under name; null is ignored.
    void Insert(Label name, Task* task);
    // Ends every task filed under name, then purges (subject to the counter). The null label ends
    // nothing.
    void End(Label name);
    // A task filed under name and not ended exists; for the null label, any task filed under a
    // non-null label. Tasks filed under the null label never count.
    bool IsRunning(Label name) const;
};
} // namespace Corvane::Internal
