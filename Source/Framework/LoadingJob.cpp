#include "Framework/LoadingJob.h"

#include <algorithm>

namespace Corvane
{
ResourceManager::LoadingJob::LoadingJob(const std::wstring& manifest, bool cacheListings)
    : mManifest(manifest), mCacheListings(cacheListings), mStateLock(CreateMutex()), mProgressLock(CreateMutex())
{
}

ResourceManager::LoadingJob::~LoadingJob() = default;

float ResourceManager::LoadingJob::GetProgress()
{
    ScopedLock lock(*mProgressLock);
    return mProgress;
}

void ResourceManager::LoadingJob::SetProgress(float fraction)
{
    ScopedLock lock(*mProgressLock);
    mProgress = fraction;
}

unsigned ResourceManager::LoadingJob::GetTotal()
{
    ScopedLock lock(*mProgressLock);
    return mBytesTotal;
}

unsigned ResourceManager::LoadingJob::GetDone()
{
    ScopedLock lock(*mProgressLock);
    return mBytesDone;
}

bool ResourceManager::LoadingJob::IsCancelled()
{
    ScopedLock lock(*mStateLock);
    return mState == kCancelled;
}

void ResourceManager::LoadingJob::Cancel()
{
    {
        ScopedLock lock(*mStateLock);
        if (mState != kDone && mState != kFailed)
            mState = kCancelled;
    }
    NotifyWaiters();
}

bool ResourceManager::LoadingJob::IsFinished()
{
    ScopedLock lock(*mStateLock);
    return mState == kDone || mState == kFailed || (mState == kCancelled && !mBusy);
}

bool ResourceManager::LoadingJob::WaitFinished(int milliseconds)
{
    std::unique_lock lock(mWaitLock);
    return mFinished.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return IsFinished(); });
}

void ResourceManager::LoadingJob::NotifyWaiters()
{
    // Taken once so that a waiter between its test and its wait does not miss the wake-up.
    {
        std::lock_guard lock(mWaitLock);
    }
    mFinished.notify_all();
}

int ResourceManager::LoadingJob::GetState()
{
    ScopedLock lock(*mStateLock);
    return mState;
}

int ResourceManager::LoadingJob::GetRequests()
{
    ScopedLock lock(*mStateLock);
    return mRequests;
}

std::exception_ptr ResourceManager::LoadingJob::GetFailure()
{
    ScopedLock lock(*mStateLock);
    return mFailure;
}

void ResourceManager::LoadingJob::AddRequest()
{
    ScopedLock lock(*mStateLock);
    ++mRequests;
}

bool ResourceManager::LoadingJob::Begin()
{
    ScopedLock lock(*mStateLock);
    if (mState == kCancelled)
        return false;
    mBusy = true;
    return true;
}

bool ResourceManager::LoadingJob::SetDownloading()
{
    ScopedLock lock(*mStateLock);
    if (mState == kCancelled)
        return false;
    mState = kDownloading;
    return true;
}

void ResourceManager::LoadingJob::SetReading()
{
    ScopedLock lock(*mStateLock);
    if (mState != kCancelled)
        mState = kReading;
}

void ResourceManager::LoadingJob::EndReading()
{
    {
        ScopedLock lock(*mStateLock);
        mBusy = false;
        if (mState != kCancelled && mState != kFailed)
            mState = kDone;
    }
    NotifyWaiters();
}

void ResourceManager::LoadingJob::Fail(std::exception_ptr failure)
{
    {
        ScopedLock lock(*mStateLock);
        mBusy = false;
        mFailure = failure;
        mState = kFailed;
        SetError(kFailed);
    }
    NotifyWaiters();
}

void ResourceManager::LoadingJob::AddTransfer(const RefPtr<IFileTransfer>& transfer)
{
    for (const RefPtr<IFileTransfer>& held : mTransfers)
        if (held.Get() == transfer.Get())
            return;
    mTransfers.push_back(transfer);
}

void ResourceManager::LoadingJob::AddPending(PendingResource pending)
{
    mPending.push_back(std::move(pending));
}

bool ResourceManager::LoadingJob::PollTransfers()
{
    bool changed = false;
    unsigned total = 0;
    unsigned done = 0;
    std::vector<RefPtr<IFileTransfer>> running;
    for (const RefPtr<IFileTransfer>& transfer : mTransfers)
    {
        if (transfer->IsComplete())
        {
            mBytesFinished += transfer->GetTotal();
            changed = true;
        }
        else if (transfer->HasError())
        {
            SetError(transfer->GetError());
            changed = true;
        }
        else
        {
            total += transfer->GetTotal();
            done += transfer->GetDone();
            running.push_back(transfer);
        }
    }
    mTransfers.swap(running);
    ScopedLock lock(*mProgressLock);
    mBytesTotal = mBytesFinished + total;
    mBytesDone = mBytesFinished + done;
    return changed;
}

std::vector<ResourceManager::LoadingJob::PendingResource> ResourceManager::LoadingJob::TakeReady()
{
    const auto ended = [](const RefPtr<IFileTransfer>& transfer) {
        return transfer->IsComplete() || transfer->HasError();
    };
    std::vector<PendingResource> ready;
    std::vector<PendingResource> waiting;
    for (PendingResource& pending : mPending)
    {
        if (std::all_of(pending.transfers.begin(), pending.transfers.end(), ended))
            ready.push_back(std::move(pending));
        else
            waiting.push_back(std::move(pending));
    }
    mPending.swap(waiting);
    return ready;
}

void ResourceManager::LoadingJob::CancelTransfers()
{
    for (const RefPtr<IFileTransfer>& transfer : mTransfers)
        transfer->Cancel();
    mTransfers.clear();
    mPending.clear();
}
} // namespace Corvane
