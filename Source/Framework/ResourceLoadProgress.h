// Following and steering a manifest load: the job the resource manager hands out, and the
// progress sink a waiting caller (the loading screen) passes to ResourceManager::LoadAndWait.
#pragma once

#include "DataTransferProgress.h"
#include "ErrorStatus.h"
#include "Referenced.h"

namespace Corvane
{
class IResourceLoadProgress
{
public:
    virtual ~IResourceLoadProgress() = default;
    // The fraction of the work done, 0 to 1.
    virtual void SetProgress(float fraction) = 0;
    // True when the load should stop.
    virtual bool IsCancelled() = 0;
};

class IResourceLoadProgressQuery
{
public:
    // The fraction of the manifest read, 0 to 1. Any thread.
    virtual float GetProgress() = 0;

protected:
    ~IResourceLoadProgressQuery() = default;
};

// A load job as its requesters see it; a negative error code means the load failed (or one of the
// files it downloaded failed). Its byte counters follow the data files it downloads before the
// manifest is read; its GetProgress is the fraction of the manifest read.
class ILoadingJob : public IResourceLoadProgressQuery,
                    public IDataTransferProgressQuery,
                    public IErrorStatus,
                    public IReferenced
{
};
} // namespace Corvane
