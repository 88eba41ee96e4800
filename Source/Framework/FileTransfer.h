// One file being fetched by the download manager, as its requesters hold it: progress, outcome
// (through the error status: -2 the source failed, -3 the destination failed, -4 cancelled) and
// cancelling. Reference-counted; every operation may be called from any thread.
#pragma once

#include "DataTransferProgress.h"
#include "ErrorStatus.h"
#include "Label.h"
#include "Referenced.h"

namespace Corvane
{
class IFileTransfer : public IDataTransferProgressQuery, public IErrorStatus, public IReferenced
{
public:
    // Stops the transfer: a running copy stops at once (also one waiting for the network), a
    // queued one when a worker reaches it; it then finishes with -4.
    virtual void Cancel() = 0;
    // The path fetched, relative to the download base; requests for the same path, without
    // regard to case, share one transfer.
    virtual Label GetSourceName() = 0;
    // The whole file is at its destination: the transfer has ended well. Progress is then 1, also
    // for an empty file.
    virtual bool IsComplete() = 0;
};
} // namespace Corvane
