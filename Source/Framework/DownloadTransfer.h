// The download manager's transfer: what requesters see (IFileTransfer) and the sink its copy
// reports to (IDataTransferProgress). Its own lock guards the counters and flags; the manager's
// lock guards its priority and run count.
#pragma once

#include "FileLocation.h"
#include "Framework/DownloadManager.h"
#include "Framework/FileTransfer.h"
#include "Threading.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Corvane
{
class IInterruptible;

class DownloadManager::FileTransfer final : public Referenced<IFileTransfer>, public IDataTransferProgress
{
public:
    FileTransfer(std::wstring url, Label source, int priority, const FileLocation& destination, unsigned expectedSize);

    unsigned GetTotal() override;
    unsigned GetDone() override;
    float GetProgress() override;
    void Cancel() override;
    Label GetSourceName() override { return mSource; }
    bool IsComplete() override;

    // The copy's side.
    // Starts counting afresh: total = bytes, done = 0.
    void SetTotal(unsigned bytes) override;
    void AddDone(float fraction, unsigned bytes) override;
    // The whole file arrived: complete, and the total becomes what was copied.
    void OnComplete() override;
    // The code of the stream error the copy stopped on; the manager makes it the outcome once the
    // transfer has left the queue, so followers never see an outcome before its clean-up.
    void Finish(int code) override;
    // Cancelled, or pre-empted since the run began (a pre-emption is answered once).
    bool IsCancelled() override;

    // The manager's side.
    const std::wstring& GetUrl() const { return mUrl; }
    const FileLocation& GetDestination() const { return mDestination; }
    bool WasCancelled();
    int GetCopyError();
    void MarkPreempted();
    // A run begins: an older pre-emption no longer applies.
    void BeginRun();
    // What Cancel interrupts while a run waits on the network: the request being opened, then the
    // source being read; null between runs.
    void SetInterruptible(IInterruptible* target);
    // The most a run may bring before it is taken for the wrong file; 0 for no limit. The listed
    // size for most files; text files are verified without their white space, so a copy with other
    // line ends or indentation may be somewhat larger.
    std::uint64_t GetSizeLimit() const;

    // Under the manager's lock.
    int priority;
    int stalledRuns = 0;

private:
    const std::wstring mUrl;
    const Label mSource;
    const FileLocation mDestination;
    std::unique_ptr<IMutex> mLock;
    const unsigned mExpected;
    unsigned mTotal;
    unsigned mDone = 0;
    bool mPreempted = false;
    bool mCancelled = false;
    bool mComplete = false;
    int mCopyError = 0;
    IInterruptible* mInterruptible = nullptr;
};
} // namespace Corvane
