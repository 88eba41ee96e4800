// One request to load one manifest, shared by the resource manager (its job map holds one
// reference for the whole run) and every requester (each holds its own). The requesters' and the
// state operations may be called from any thread; the download records are the loader thread's.
#pragma once

#include "Framework/FileTransfer.h"
#include "Framework/ResourceLoadProgress.h"
#include "Framework/ResourceManager.h"
#include "RefPtr.h"
#include "Threading.h"
#include "XMLElementList.h"

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Corvane
{
class ResourceManager::LoadingJob final : public Referenced<ILoadingJob>, public IResourceLoadProgress
{
public:
    enum State
    {
        kQueued = 0,
        kDownloading = 1,
        kReading = 2,
        kDone = 3,
        kFailed = -1,
        kCancelled = -2,
    };

    // A resource whose data files are still being fetched: its element, kept to be built later,
    // and the transfers it waits for.
    struct PendingResource
    {
        Label name;
        XMLElementList element;
        std::vector<RefPtr<IFileTransfer>> transfers;
    };

    LoadingJob(const std::wstring& manifest, bool cacheListings);

    float GetProgress() override;
    void SetProgress(float fraction) override;
    // True once cancelled.
    bool IsCancelled() override;
    // The bytes of the job's downloads: those of finished transfers plus the running ones' total,
    // and plus what the running ones have moved.
    unsigned GetTotal() override;
    unsigned GetDone() override;

    // The state becomes cancelled unless the job has ended (done or failed).
    void Cancel();
    // Done or failed, or cancelled and no longer worked on by the loader.
    bool IsFinished();
    // Waits until the job is finished or milliseconds have passed; true when finished.
    bool WaitFinished(int milliseconds);
    int GetState();
    const std::wstring& GetManifest() const { return mManifest; }
    bool GetCacheListings() const { return mCacheListings; }
    // How often the manifest was requested.
    int GetRequests();
    // The error the read stopped on, rethrown to waiting callers; null when none.
    std::exception_ptr GetFailure();

    // The loader's side.
    // Counts one more request.
    void AddRequest();
    // The loader takes the job up, unless it was cancelled meanwhile (false).
    bool Begin();
    // Downloads were started (false when cancelled meanwhile).
    bool SetDownloading();
    // The manifest is read now.
    void SetReading();
    // The loader is done with it: done unless cancelled or failed.
    void EndReading();
    // Reading ended on failure (the manifest missing, or failure holds the error raised).
    void Fail(std::exception_ptr failure);

    // Downloads (loader thread).
    // Holds transfer unless it already does.
    void AddTransfer(const RefPtr<IFileTransfer>& transfer);
    void AddPending(PendingResource pending);
    bool HasPending() const { return !mPending.empty(); }
    // Drops the transfers that completed (counting their bytes) or failed (their error becomes the
    // job's) and recomputes the byte counters. True when any did since the last call.
    bool PollTransfers();
    // Takes out, in order, the pending resources whose transfers have all completed or failed.
    std::vector<PendingResource> TakeReady();
    void CancelTransfers();

private:
    ~LoadingJob() override;
    // Wakes the waiters after a change of state that may have finished the job.
    void NotifyWaiters();

    const std::wstring mManifest;
    const bool mCacheListings;
    std::unique_ptr<IMutex> mStateLock;
    int mState = kQueued;
    bool mBusy = false;
    int mRequests = 1;
    std::exception_ptr mFailure;
    std::mutex mWaitLock;
    std::condition_variable mFinished;
    std::unique_ptr<IMutex> mProgressLock;
    float mProgress = 0.0f;
    unsigned mBytesTotal = 0;
    unsigned mBytesDone = 0;

    std::vector<RefPtr<IFileTransfer>> mTransfers;
    std::vector<PendingResource> mPending;
    unsigned mBytesFinished = 0;
};
} // namespace Corvane
