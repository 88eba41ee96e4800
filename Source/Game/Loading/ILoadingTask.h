// One step of the loading screen's work, run on its worker thread.
#pragma once

namespace Corvane
{
class IResourceLoadProgress;
}

class ILoadingTask
{
public:
    virtual ~ILoadingTask() = default;
    // Does the whole step on the calling thread, reporting its progress (0 to 1) to progress and
    // stopping early when progress says it is cancelled. An exception is reported and the next
    // step runs.
    virtual void Run(Corvane::IResourceLoadProgress* progress) = 0;
};
